#pragma once

#include "frame/Context.h"

namespace mirbelon {

class Fenster;

// True when a run (copying, deleting, checking, ejecting) or a scan is
// going on; the "Status" panel then says so and the caller must not start.
bool LaufBesetzt(Context &ctx, Fenster &fenster);

// Marks a run as going on for its lifetime (or until freigeben()).
class LaufSperre
{
public:
    LaufSperre(Context &ctx, Lauf lauf) : m_ctx(ctx) { m_ctx.lauf = lauf; }
    ~LaufSperre() { freigeben(); }
    void freigeben() { m_ctx.lauf = Lauf::Keiner; }
    LaufSperre(const LaufSperre &) = delete;
    LaufSperre &operator=(const LaufSperre &) = delete;

private:
    Context &m_ctx;
};

} // namespace mirbelon
