#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace mirbelon {

// A date typed by a user: "d.m.yyyy", "d.m.yy" (also with "/" or "-"),
// "yyyy-mm-dd", each optionally followed by "h:n" or "h:n:s". Two-digit
// years below 30 are 20xx, the others 19xx. nullopt for anything else.
std::optional<QDateTime> DatumAusText(const QString &text);

} // namespace mirbelon
