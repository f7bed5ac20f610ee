#pragma once

#include <QDateTime>
#include <QString>

namespace mirbelon {

class VarioUmgebung;

// The fixed placeholders ("{datum}", "{kw}", "{jjjj}", "{ordner_prg}" ...),
// one after the other in their fixed order, each computed from `bezug` only
// when it occurs. A value holding a later placeholder is expanded further.
void FestePlatzhalterErsetzen(QString &text, const QDateTime &bezug, VarioUmgebung &umgebung);

} // namespace mirbelon
