#include "text/Formatierung.h"

#include "text/Ersetzen.h"
#include "text/Zahlen.h"

#include <QVarLengthArray>

#include <array>
#include <cmath>

namespace mirbelon {

namespace {

// The last entry answers every number outside the range.
const std::array<const char *, 8> kWochentage { "Sonntag", "Montag", "Dienstag", "Mittwoch",
    "Donnerstag", "Freitag", "Samstag", "Tag???" };
const std::array<const char *, 8> kWochentage2 { "So", "Mo", "Di", "Mi", "Do", "Fr", "Sa", "??" };
const std::array<const char *, 13> kMonate { "Januar", "Februar", "März", "April", "Mai", "Juni",
    "Juli", "August", "September", "Oktober", "November", "Dezember", "Monat???" };
const std::array<const char *, 13> kMonate3 { "Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul",
    "Aug", "Sep", "Okt", "Nov", "Dez", "???" };

template <std::size_t N> QString Eintrag(const std::array<const char *, N> &namen, int nummer)
{
    const bool drin = nummer >= 1 && nummer < int(N);
    return QString::fromUtf8(namen[drin ? nummer - 1 : N - 1]);
}

const ZahlFormat kGanz = ZahlFormat { 1, 0, false };
const ZahlFormat kGruppiert = ZahlFormat { 1, 0, true };
const ZahlFormat kGruppiertEins = ZahlFormat { 1, 1, true };

// Large values get whole numbers, small ones a decimal ("250 k", "1,5 k").
const ZahlFormat &Vorsatzformat(double y)
{
    return y > 100 ? kGruppiert : kGruppiertEins;
}

// Characters after which a new word begins; a table, as this runs for every
// character of every path of a scan.
constexpr std::array<bool, 256> WortAnfangTabelle()
{
    std::array<bool, 256> tabelle {};
    for (int c = 0; c < 32; ++c)
        tabelle[c] = true;
    for (unsigned char c : " ,;!?-_()[]{}=~<>\\/*+&:\"")
        tabelle[c] = true;
    for (int c : { 0xB0, 0xAB, 0xBB }) // ° « »
        tabelle[c] = true;
    return tabelle;
}
constexpr std::array<bool, 256> kWortAnfang = WortAnfangTabelle();

QChar Gross(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        return QChar(u >= u'a' && u <= u'z' ? char16_t(u - 32) : u);
    return c.toUpper();
}

QChar Klein(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        return QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
    return c.toLower();
}

bool BeginntWort(QChar vorher)
{
    return vorher.unicode() < 256 && kWortAnfang[vorher.unicode()];
}

} // namespace

QString KalenderName(int nummer, const QString &stil)
{
    const QString s = stil.toLower();
    if (s == QLatin1String("wt"))
        return Eintrag(kWochentage, nummer);
    if (s == QLatin1String("wt2"))
        return Eintrag(kWochentage2, nummer);
    if (s == QLatin1String("mo"))
        return Eintrag(kMonate, nummer);
    if (s == QLatin1String("mo3"))
        return Eintrag(kMonate3, nummer);
    return QString();
}

QString VersionAktuell(int modus, const QDate &heute)
{
    const int jahr = heute.year();
    const QString y
        = jahr >= 2000 ? QString::number(jahr) : FormatZahl(jahr % 100, QStringLiteral("00"));
    const QString mm = FormatZahl(heute.month(), QStringLiteral("00"));
    switch (modus) {
    case 1:
        return y;
    case 2:
        return mm;
    case 3:
        return QStringLiteral("0000");
    case 10:
        return y + QLatin1Char('.') + mm + QLatin1Char('.')
            + FormatZahl(heute.day(), QStringLiteral("00"));
    default:
        return y + QLatin1Char('.') + mm;
    }
}

QString DauerText(double sekunden, int kurz)
{
    const double x = RundeGerade(std::fabs(sekunden));
    const bool k = kurz == 1;
    const QString einsDezimale = QStringLiteral("#.0");
    // Each later threshold that holds replaces the text of the earlier ones.
    if (x >= 31557600)
        return FormatZahl(x / 31557600, einsDezimale)
            + (k ? QStringLiteral(" J") : QStringLiteral(" Jahre"));
    if (x >= 604800)
        return FormatZahl(x / 86400, QStringLiteral("#"))
            + (k ? QStringLiteral(" Tg") : QStringLiteral(" Tage"));
    if (x >= 129600)
        return FormatZahl(x / 86400, einsDezimale)
            + (k ? QStringLiteral(" Tg") : QStringLiteral(" Tage"));
    if (x >= 3600)
        return FormatZahl(x / 3600, einsDezimale)
            + (k ? QStringLiteral(" Std") : QStringLiteral(" Stunden"));
    if (x >= 120)
        return FormatZahl(x / 60, einsDezimale)
            + (k ? QStringLiteral(" Min") : QStringLiteral(" Minuten"));
    if (k)
        return FormatZahl(x, kGanz) + QStringLiteral(" Sek");
    if (x == 1)
        return QStringLiteral("1 Sekunde");
    return FormatZahl(x, kGanz) + QStringLiteral(" Sekunden");
}

QString ZahlKurz(double wert, int modus)
{
    const double x = std::fabs(wert);
    if (x == 0)
        return QStringLiteral("0 ");

    if (x >= 1000) {
        static const std::array<const char *, 8> kBuchstaben { "k", "M", "G", "T", "P", "E",
            "Zetta", "Yotta" };
        static const std::array<const char *, 3> kWoerter { "Tsd", "Mio", "Mrd" };
        const int bis = modus == 1 ? 9 : 24;
        int gewaehlt = 0;
        for (int e = 3; e <= bis; e += 3) {
            if (x >= std::pow(10.0, e))
                gewaehlt = e;
        }
        const double y = x / std::pow(10.0, gewaehlt);
        const char *vorsatz
            = modus == 1 ? kWoerter[gewaehlt / 3 - 1] : kBuchstaben[gewaehlt / 3 - 1];
        return FormatZahl(y, Vorsatzformat(y)) + QLatin1Char(' ') + QString::fromUtf8(vorsatz);
    }

    if (x <= 0.001) {
        static const std::array<const char *, 4> kKlein { "m", "µ", "n", "p" };
        int gewaehlt = 0;
        for (int e = 3; e <= 12; e += 3) {
            if (x <= std::pow(10.0, -e))
                gewaehlt = e;
        }
        return FormatZahl(x / std::pow(10.0, -gewaehlt), QStringLiteral("0.0000"))
            + QLatin1Char(' ') + QString::fromUtf8(kKlein[gewaehlt / 3 - 1]);
    }

    QString format = QStringLiteral("0");
    if (x < 1)
        format = QStringLiteral("0.0");
    if (x < 0.1)
        format = QStringLiteral("0.00");
    if (x < 0.01)
        format = QStringLiteral("0.000");
    return FormatZahl(x, format) + QLatin1Char(' ');
}

QString GroesseText(double bytes)
{
    static const char kBuchstaben[] = "KMGTPEZY";
    const double betrag = std::fabs(bytes);
    int e = 0;
    double stufe = 1024;
    while (e < 8 && betrag >= stufe) {
        ++e;
        stufe *= 1024;
    }

    QString text;
    text.reserve(12);
    if (e == 0) {
        FormatZahlAnhaengen(text, bytes, kGanz);
        text += QLatin1Char(' ');
        return text;
    }
    const double y = betrag / (stufe / 1024);
    FormatZahlAnhaengen(text, y, Vorsatzformat(y));
    text += QLatin1Char(' ');
    text += QLatin1Char(kBuchstaben[e - 1]);
    text += QLatin1Char('i');
    return text;
}

QString GrossKleinMitAusnahmen(QString text, const QString &ausnahmen)
{
    // Character by character, so the length stays ("ß" is not "SS"); in the
    // text's own buffer when nobody else holds it.
    if (text.size() <= 1)
        return text.isEmpty() ? text : QString(Gross(text.at(0)));

    QString ergebnis = std::move(text);
    QChar *ziel = ergebnis.data();
    QChar vorher = ziel[0]; // as it was, before its case changed
    ziel[0] = Gross(vorher);
    for (qsizetype i = 1; i < ergebnis.size(); ++i) {
        const QChar c = ziel[i];
        ziel[i] = BeginntWort(vorher) ? Gross(c) : Klein(c);
        vorher = c;
    }
    // Replacing a word by its lower case never changes the lower-cased text, so
    // one lower-cased copy serves to look for every entry, and only at its
    // blanks: paths have few of them. Only entries that occur cost a replacement.
    // Lower case keeps every blank where it is and makes none, so the blanks
    // are looked for before the copy is made.
    QVarLengthArray<qsizetype, 16> blanks;
    for (qsizetype i = 0; i < ergebnis.size(); ++i) {
        if (ergebnis.at(i) == QLatin1Char(' '))
            blanks.append(i);
    }
    if (blanks.size() < 2)
        return ergebnis;
    const QString klein = KleinBuchstaben(ergebnis);

    QVarLengthArray<QChar, 40> wort;
    for (QStringView eintrag : QStringView(ausnahmen).tokenize(QLatin1Char(','))) {
        eintrag = eintrag.trimmed();
        if (eintrag.isEmpty())
            continue;
        wort.clear();
        for (QChar c : eintrag)
            wort.append(Klein(c));
        const QStringView gesucht(wort.data(), wort.size());
        const qsizetype laenge = gesucht.size();
        bool kommtVor = false;
        for (qsizetype b : blanks) {
            const qsizetype ende = b + 1 + laenge;
            if (ende < klein.size() && klein.at(ende) == QLatin1Char(' ')
                && QStringView(klein).mid(b + 1, laenge) == gesucht) {
                kommtVor = true;
                break;
            }
        }
        if (kommtVor) {
            const QString ersatz = QLatin1Char(' ') + gesucht.toString() + QLatin1Char(' ');
            ergebnis = Ersetzen(ergebnis, ersatz, ersatz);
        }
    }
    return ergebnis;
}

QString GrossKleinFesteAusnahmen()
{
    return QStringLiteral(
        ",und,oder,von,med,am,an,im,in,der,die,das,dem,den,für,bei,auf,unter,c't,b.,u.,");
}

} // namespace mirbelon
