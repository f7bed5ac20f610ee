#pragma once

#include "frame/Context.h"

namespace mirbelon {

class Fenster;

// True when a run (copying, deleting, checking, ejecting) or a scan is
// going on; the "Status" panel then says so and the caller must not start.
bool LaufBesetzt(Context &ctx, Fenster &fenster);

// Whether the card (or camera) that held `foto` is gone or changed, asked
// on a worker: a camera answers over its cable. `geraet`: of its stamp.
bool KarteWeg(const Context &ctx, const FileRef &foto, quint64 geraet);
// The one report of a card gone mid-run, after which the run has ended;
// `folge` says what that left undone.
void KarteWegMelden(Context &ctx, const QString &foto, const QString &folge);

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
