#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace mirbelon {

class Context;

// The date of a photo: the file's modification time stamp in local time, to
// the second, moved by the date correction (ctx.datumKorrektur, rounded to
// whole minutes, halves away from zero). The arithmetic is on the wall clock,
// so a correction of 60 is one hour later on the clock also across a change
// of daylight saving time. nullopt when the time stamp cannot be read.
std::optional<QDateTime> Picture_DT(Context &ctx, const QString &hFile);

} // namespace mirbelon
