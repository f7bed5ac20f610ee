#pragma once

#include <QDate>
#include <QString>

namespace mirbelon {

// Names of weekdays ("wt", "wt2"; 1 = Sunday) and months ("mo", "mo3").
QString KalenderName(int nummer, const QString &stil);
// Year and month label of `heute` by mode (1, 2, 3, 10, otherwise "Y.MM").
QString VersionAktuell(int modus, const QDate &heute);
// A duration in seconds as text; `kurz` 1 gives the short units.
QString DauerText(double sekunden, int kurz);
// A number with a decimal prefix; `modus` 1 gives German words.
QString ZahlKurz(double wert, int modus);
// A byte count with a binary prefix, without the final "B" ("1,5 Ki", "512 ").
QString GroesseText(double bytes);
// Proper case: words capitalised, `ausnahmen` (comma-separated, the fixed
// list already appended by the caller or not) kept in lower case between blanks.
QString GrossKleinMitAusnahmen(QString text, const QString &ausnahmen);
// The fixed exception list that follows the user's "ImmerKlein".
QString GrossKleinFesteAusnahmen();

} // namespace mirbelon
