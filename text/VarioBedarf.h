#pragma once

#include <QDateTime>
#include <QString>

namespace mirbelon {

class VarioUmgebung;

// The placeholders that need work or outside data ("{username}", "{guid}",
// "{CounterN}", "{index:", "{$" ...), in their fixed order. Of each kind with
// an argument only the first occurrence (and its identical copies) is handled.
void BedarfsPlatzhalterErsetzen(QString &text, const QDateTime &bezug, VarioUmgebung &umgebung);

} // namespace mirbelon
