#include "text/Zahlen.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <optional>

namespace mirbelon {

namespace {

using Ziffern = QVarLengthArray<char, 40>;

struct Trenner
{
    QLocale locale;
    QString dezimal;
    QString gruppe;
};

// Asking the locale builds new texts each time; the status bar formats
// thousands of numbers per tick with the same locale.
const Trenner &TrennerVon(const QLocale &locale)
{
    static thread_local std::optional<Trenner> letzte;
    if (!letzte || !(letzte->locale == locale))
        letzte = Trenner { locale, locale.decimalPoint(), locale.groupSeparator() };
    return *letzte;
}

// Adds one to the decimal digits; true when a carry leaves the first digit.
bool Aufrunden(Ziffern &ziffern)
{
    for (qsizetype i = ziffern.size() - 1; i >= 0; --i) {
        if (ziffern[i] != '9') {
            ++ziffern[i];
            return false;
        }
        ziffern[i] = '0';
    }
    return true;
}

bool IstLeer(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool IstZiffer(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

double RundeKaufmaennisch(double x)
{
    return std::round(x);
}

double RundeGerade(double x)
{
    // The default rounding mode of the floating-point unit: halves to even.
    return std::nearbyint(x);
}

double ZahlWert(const QString &text)
{
    QVarLengthArray<char, 64> zahl;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto ueberspringen = [&] {
        while (i < n && IstLeer(text.at(i)))
            ++i;
    };

    ueberspringen();
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        if (text.at(i) == QLatin1Char('-'))
            zahl.append('-');
        ++i;
    }
    bool ziffern = false;
    bool punkt = false;
    for (ueberspringen(); i < n; ++i, ueberspringen()) {
        const QChar c = text.at(i);
        if (IstZiffer(c)) {
            zahl.append(char(c.unicode()));
            ziffern = true;
        } else if (c == QLatin1Char('.') && !punkt) {
            zahl.append('.');
            punkt = true;
        } else {
            break;
        }
    }
    if (!ziffern)
        return 0;

    // An exponent counts only with at least one digit; "12e" is 12.
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        const qsizetype vorher = zahl.size();
        zahl.append('e');
        ++i;
        ueberspringen();
        if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
            zahl.append(text.at(i) == QLatin1Char('-') ? '-' : '+');
            ++i;
        }
        bool exponent = false;
        for (ueberspringen(); i < n && IstZiffer(text.at(i)); ++i, ueberspringen()) {
            zahl.append(char(text.at(i).unicode()));
            exponent = true;
        }
        if (!exponent)
            zahl.resize(vorher);
    }

    double wert = 0;
    const auto [ende, fehler] = std::from_chars(zahl.data(), zahl.data() + zahl.size(), wert);
    (void)ende;
    // Too large to hold: no usable number, as for a text without digits.
    return fehler == std::errc() ? wert : 0;
}

ZahlFormat ZahlFormatLesen(const QString &format)
{
    if (format.isEmpty())
        return ZahlFormat { 0, -1, false };
    const qsizetype punkt = format.indexOf(QLatin1Char('.'));
    const QStringView ganz = QStringView(format).left(punkt < 0 ? format.size() : punkt);
    const QStringView bruch = punkt < 0 ? QStringView() : QStringView(format).mid(punkt + 1);
    ZahlFormat f;
    f.ganzStellen = int(ganz.count(QLatin1Char('0')));
    f.nachkomma = int(bruch.count(QLatin1Char('0')));
    f.tausender = ganz.contains(QLatin1Char(','));
    return f;
}

void FormatZahlAnhaengen(
    QString &ziel, double wert, const ZahlFormat &format, const QLocale &locale)
{
    if (!std::isfinite(wert)) {
        ziel += locale.toString(wert);
        return;
    }
    // The shortest decimal text that reads back as `wert` is rounded as
    // written, so 0.15 with one decimal gives 0.2 as a reader expects.
    char puffer[400];
    const auto [ende, fehler]
        = std::to_chars(puffer, puffer + sizeof puffer, std::fabs(wert), std::chars_format::fixed);
    (void)fehler; // 400 characters hold every double in fixed notation
    const std::string_view text(puffer, ende - puffer);
    const std::size_t punkt = text.find('.');
    const std::string_view ganzText = text.substr(0, punkt);
    const std::string_view bruchText
        = punkt == std::string_view::npos ? std::string_view() : text.substr(punkt + 1);

    Ziffern ziffern(ganzText.begin(), ganzText.end());
    const qsizetype nachkomma
        = format.nachkomma < 0 ? qsizetype(bruchText.size()) : qsizetype(format.nachkomma);
    for (qsizetype i = 0; i < nachkomma; ++i)
        ziffern.append(i < qsizetype(bruchText.size()) ? bruchText[i] : '0');
    if (nachkomma < qsizetype(bruchText.size()) && bruchText[nachkomma] >= '5'
        && Aufrunden(ziffern))
        ziffern.insert(ziffern.cbegin(), '1');

    // Whole digits without leading zeros, then padded to the format's width.
    qsizetype ganzAnfang = 0;
    const qsizetype ganzEnde = ziffern.size() - nachkomma;
    while (ganzAnfang < ganzEnde && ziffern[ganzAnfang] == '0')
        ++ganzAnfang;
    const qsizetype ganzZahl = ganzEnde - ganzAnfang;
    const qsizetype fuellung = qMax<qsizetype>(0, format.ganzStellen - ganzZahl);

    bool null = true;
    for (char z : ziffern)
        null = null && z == '0';

    const Trenner &trenner = TrennerVon(locale);
    ziel.reserve(ziel.size() + 2 + 2 * (fuellung + ziffern.size()));
    if (wert < 0 && !null)
        ziel += QLatin1Char('-');
    const qsizetype stellen = fuellung + ganzZahl;
    for (qsizetype i = 0; i < stellen; ++i) {
        if (format.tausender && i > 0 && (stellen - i) % 3 == 0)
            ziel += trenner.gruppe;
        ziel += QLatin1Char(i < fuellung ? '0' : ziffern[ganzAnfang + i - fuellung]);
    }
    if (nachkomma > 0) {
        ziel += trenner.dezimal;
        for (qsizetype i = ganzEnde; i < ziffern.size(); ++i)
            ziel += QLatin1Char(ziffern[i]);
    }
}

QString FormatZahl(double wert, const ZahlFormat &format, const QLocale &locale)
{
    QString ergebnis;
    FormatZahlAnhaengen(ergebnis, wert, format, locale);
    return ergebnis;
}

QString FormatZahl(double wert, const QString &format, const QLocale &locale)
{
    return FormatZahl(wert, ZahlFormatLesen(format), locale);
}

QString FormatDatum(const QDateTime &wert, const QString &format, const QLocale &locale)
{
    // An unset date variable holds the empty date, midnight of 30.12.1899.
    const QDateTime moment = wert.isValid() ? wert : QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    const QDate datum = moment.date();
    const QTime zeit = moment.time();
    auto zweistellig
        = [](int zahl) { return QString::number(zahl).rightJustified(2, QLatin1Char('0')); };

    QString ergebnis;
    ergebnis.reserve(format.size() + 16);
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n;) {
        const QChar zeichen = format.at(i);
        const char16_t code = zeichen.toLower().unicode();
        qsizetype lauf = 1;
        while (i + lauf < n && format.at(i + lauf).toLower() == zeichen.toLower())
            ++lauf;
        // One code at a time; the rest of a longer run is read as the next code.
        qsizetype genommen = 1;
        switch (code) {
        case u'd':
            genommen = qMin<qsizetype>(lauf, 4);
            if (genommen == 1)
                ergebnis += QString::number(datum.day());
            else if (genommen == 2)
                ergebnis += zweistellig(datum.day());
            else
                ergebnis += locale.standaloneDayName(
                    datum.dayOfWeek(), genommen == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'm':
            genommen = qMin<qsizetype>(lauf, 4);
            if (genommen == 1)
                ergebnis += QString::number(datum.month());
            else if (genommen == 2)
                ergebnis += zweistellig(datum.month());
            else
                ergebnis += locale.standaloneMonthName(
                    datum.month(), genommen == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'y':
            if (lauf >= 4) {
                genommen = 4;
                ergebnis += QString::number(datum.year()).rightJustified(4, QLatin1Char('0'));
            } else if (lauf >= 2) {
                genommen = 2;
                ergebnis += zweistellig(datum.year() % 100);
            } else {
                ergebnis += zeichen;
            }
            break;
        case u'q':
            ergebnis += QString::number((datum.month() - 1) / 3 + 1);
            break;
        case u'h':
        case u'n':
        case u's': {
            genommen = qMin<qsizetype>(lauf, 2);
            const int zahl = code == u'h' ? zeit.hour()
                : code == u'n'            ? zeit.minute()
                                          : zeit.second();
            ergebnis += genommen == 1 ? QString::number(zahl) : zweistellig(zahl);
            break;
        }
        default:
            ergebnis += zeichen;
            break;
        }
        i += genommen;
    }
    return ergebnis;
}

} // namespace mirbelon
