#pragma once

#include <QString>

namespace mirbelon {

class Context;
class Fenster;
class FotoListe;

// A number with a unit letter as seconds: the leading number ("," counts as
// ".") times the seconds of the unit named by the last character (y j a
// year, m month, w week, d t day, h hour, n minute, s second); without a unit letter the number
// itself. An overflow goes to the error report.
double DateJump2(Context &ctx, const QString &wert);

// Menu "Datum der Quell-Datei korrigieren...": asks for the offset, keeps it
// as the date correction in minutes and shows the current photo again. An
// offset too large for the correction is refused; the old one stays.
void mnuFileDateDiff(Context &ctx, FotoListe &liste, Fenster &fenster);

} // namespace mirbelon
