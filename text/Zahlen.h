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

// Number formats in the Windows style: "0", "00", "0000" ... (leading
// zeros), "0.0" ... "0.0000", "#", "#.0", "#,##0", "#,##0.0". Separators
// come from `locale`; rounding halves away from zero.
QString FormatZahl(double wert, const QString &format, const QLocale &locale = QLocale());

// A number format taken apart once, for callers that format in a loop.
struct ZahlFormat
{
    int ganzStellen = 1; // leading zeros up to this many digits; 0 for "#"
    int nachkomma = 0; // decimals, each written even when zero
    bool tausender = false; // group separators
};
// Reads "0", "0.00", "#.0", "#,##0" ...; an empty text gives ganzStellen 0 and
// nachkomma -1, which writes the number as short as it reads back exactly.
ZahlFormat ZahlFormatLesen(const QString &format);
QString FormatZahl(double wert, const ZahlFormat &format, const QLocale &locale = QLocale());
// Appends the formatted number to `ziel` without building a text of its own.
void FormatZahlAnhaengen(
    QString &ziel, double wert, const ZahlFormat &format, const QLocale &locale = QLocale());

// Date formats in the notation "dd.mm.yyyy hh:nn:ss": d dd ddd dddd m mm mmm
// mmmm yy yyyy q h hh n nn s ss; other characters are copied. Names follow
// `locale`.
QString FormatDatum(
    const QDateTime &wert, const QString &format, const QLocale &locale = QLocale());

} // namespace mirbelon
