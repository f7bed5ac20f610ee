#include "text/Vario.h"

#include "text/Ersetzen.h"
#include "text/VarioBedarf.h"
#include "text/VarioFest.h"

namespace mirbelon {

namespace {
// Positions were 16-bit signed: a hit starting beyond this (1-based) stays.
constexpr qsizetype kLetztePosition = 32767;
constexpr int kUmgebungsDurchlaeufe = 8;

void Tastennamen(QString &text)
{
    PlatzhalterErsetzen(text, QStringLiteral("{Tab}"), QStringLiteral("\t"));
    PlatzhalterErsetzen(text, QStringLiteral("{CR}"), QStringLiteral("\r"));
    PlatzhalterErsetzen(text, QStringLiteral("{LF}"), QStringLiteral("\n"));
    PlatzhalterErsetzen(text, QStringLiteral("{CRLF}"), QStringLiteral("\r\n"));
    PlatzhalterErsetzen(text, QStringLiteral("{Back}"), QStringLiteral("\b"));
    PlatzhalterErsetzen(text, QStringLiteral("{None}"), QString());
    PlatzhalterErsetzen(text, QStringLiteral("{Nichts}"), QString());
}
} // namespace

QString KleinGleichLang(const QString &text)
{
    QString klein = text;
    for (QChar &zeichen : klein)
        zeichen = zeichen.toLower();
    return klein;
}

qsizetype PlatzhalterPosition(
    const QString &kleinText, const QString &kleinPlatzhalter, qsizetype ab)
{
    if (kleinPlatzhalter.isEmpty())
        return -1;
    const qsizetype treffer = kleinText.indexOf(kleinPlatzhalter, ab);
    return treffer >= kLetztePosition ? -1 : treffer;
}

void PlatzhalterErsetzen(QString &text, const QString &platzhalter, const QString &wert)
{
    const QString suche = KleinGleichLang(platzhalter);
    QString klein = KleinGleichLang(text);
    qsizetype treffer = PlatzhalterPosition(klein, suche);
    while (treffer >= 0) {
        text.replace(treffer, suche.size(), wert);
        klein.replace(treffer, suche.size(), KleinGleichLang(wert));
        treffer = PlatzhalterPosition(klein, suche, treffer + wert.size());
    }
}

QString PlatzhalterTeil(const QString &text, const QString &praefix, int teil)
{
    const QString klein = KleinGleichLang(text);
    QString suche = KleinGleichLang(praefix).trimmed();
    if (!suche.startsWith(QLatin1Char('{')))
        suche.prepend(QLatin1Char('{'));
    if (suche == QLatin1String("{"))
        return {};
    const qsizetype anfang = klein.indexOf(suche);
    if (anfang < 0)
        return {};
    const qsizetype argument = anfang + suche.size();
    const qsizetype ende = klein.indexOf(QLatin1Char('}'), argument);
    if (ende < 0)
        return {};
    if (teil == 1)
        return klein.mid(anfang, ende + 1 - anfang);
    return klein.mid(argument, ende - argument);
}

QString UmgebungErsetzen(VarioUmgebung &umgebung, const QString &text)
{
    QString ergebnis = text;
    for (int durchlauf = 0; durchlauf < kUmgebungsDurchlaeufe; ++durchlauf) {
        const qsizetype erstes = ergebnis.indexOf(QLatin1Char('%'));
        if (erstes < 0)
            break;
        const qsizetype zweites = ergebnis.indexOf(QLatin1Char('%'), erstes + 1);
        if (zweites < 0)
            break;
        const QString name = ergebnis.mid(erstes + 1, zweites - erstes - 1).trimmed().toUpper();
        QString wert;
        if (name == QLatin1String("ERRORLEVEL"))
            wert = QStringLiteral("%ERRORLEVEL%");
        else if (!name.isEmpty())
            wert = umgebung.umgebung(name);
        const QString verweis = QLatin1Char('%') + name + QLatin1Char('%');
        ergebnis = Ersetzen(ergebnis, verweis, wert);
    }
    return ergebnis;
}

QString Vario(VarioUmgebung &umgebung, const QString &text)
{
    QString arbeit = text;
    if (!arbeit.isEmpty() && arbeit.contains(QLatin1Char('{'))) {
        const QDateTime bezug = umgebung.jetzt();
        Tastennamen(arbeit);
        FestePlatzhalterErsetzen(arbeit, bezug, umgebung);
        BedarfsPlatzhalterErsetzen(arbeit, bezug, umgebung);
    }
    if (arbeit.contains(QLatin1Char('%')))
        arbeit = UmgebungErsetzen(umgebung, arbeit);
    return arbeit;
}

} // namespace mirbelon
