#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace mirbelon {

// Rounds to the nearest whole number, halves away from zero.
double RundeKaufmaennisch(double x);
// Rounds to the nearest whole number, halves to even.
double RundeGerade(double x);

// The leading decimal number of a text (optional sign, digits, one ".",
// optional exponent; blanks skipped; stops at the first character that
// cannot continue it); 0 when there is none. Independent of the locale.
double ZahlWert(const QString &text);

// Number formats of the described system: "0", "00", "0000" ... (leading
// zeros), "0.0" ... "0.0000", "#", "#.0", "#,##0", "#,##0.0". Separators
// come from `locale`; rounding halves away from zero.
QString FormatZahl(double wert, const QString &format, const QLocale &locale = QLocale());

// Date formats in the notation "dd.mm.yyyy hh:nn:ss": d dd ddd dddd m mm mmm
// mmmm yy yyyy q h hh n nn s ss; other characters are copied. Names follow
// `locale`.
QString FormatDatum(const QDateTime &wert, const QString &format, const QLocale &locale = QLocale());

} // namespace mirbelon
