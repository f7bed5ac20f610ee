#include "text/VarioFest.h"

#include "text/Formatierung.h"
#include "text/IsoWoche.h"
#include "text/Vario.h"
#include "text/Zahlen.h"

#include <QLocale>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace mirbelon {

namespace {

QString Roemisch(int quartal)
{
    static const char *const zahlen[] = { "I", "II", "III", "IV" };
    return QString::fromLatin1(zahlen[qBound(1, quartal, 4) - 1]);
}

int Quartal(int monat)
{
    return (monat - 1) / 3 + 1;
}

class FesteWerte;
using Wert = std::function<QString(const FesteWerte &)>;

struct Eintrag
{
    Eintrag(const char *name, Wert w)
        : klein(KleinGleichLang(QString::fromLatin1(name)))
        , wert(std::move(w))
    {
    }

    QString klein; // the placeholder, lower-cased
    Wert wert;
};

// The values of one expansion; each is computed only when asked for.
class FesteWerte
{
public:
    FesteWerte(const QDateTime &bezug, VarioUmgebung &umgebung)
        : m_d(bezug)
        , m_u(umgebung)
    {
    }

    QString datum(const char *format) const
    {
        return FormatDatum(m_d, QString::fromLatin1(format));
    }
    static QString zahl(double wert, const char *format)
    {
        return FormatZahl(wert, QString::fromLatin1(format));
    }
    QString jahr() const { return datum("yyyy"); }
    QString jahr2() const { return datum("yy"); }
    int monat() const { return m_d.date().month(); }
    int quartal() const { return Quartal(monat()); }
    int woche() const { return IsoWoche(m_d.date()); }
    qint64 tageImJahr() const { return QDate(m_d.date().year(), 1, 1).daysTo(m_d.date()); }

    int wocheJahr() const
    {
        const int w = woche();
        return (w < 10 && monat() == 12) ? 52 : w;
    }
    QString wocheJahrGerundet(int n) const
    {
        return zahl(std::floor(wocheJahr() / double(n) + 0.5) * n, "00");
    }
    QString vormonat(int zurueck) const
    {
        return zahl((monat() - 1 - zurueck + 24) % 12 + 1, "00");
    }
    QString jjjjqVormonat() const
    {
        if (monat() == 1)
            return zahl(m_d.date().year() - 1, "0") + QStringLiteral("-4");
        return jahr() + QLatin1Char('-') + zahl(Quartal(monat() - 1), "0");
    }
    QString langesDatum() const
    {
        return QLocale().toString(m_d.date(), QLocale::LongFormat) + QStringLiteral(" um ")
            + datum("hh:nn") + QStringLiteral(" Uhr");
    }
    QString laufwerk() const { return m_u.aktuellerOrdner().left(2); }
    QString bezeichnung() const
    {
        QString name = m_u.laufwerksBezeichnung(laufwerk());
        while (name.endsWith(QLatin1Char(' ')))
            name.chop(1);
        return m_u.grossKlein(name);
    }
    QString zufall(int stellen) const
    {
        return FormatZahl(
            m_u.zufall() * std::pow(10.0, stellen), QString(stellen, QLatin1Char('0')));
    }
    QString wochentag2() const { return datum("dddd").left(2); }

    const QDateTime &d() const { return m_d; }
    VarioUmgebung &u() const { return m_u; }

private:
    QDateTime m_d;
    VarioUmgebung &m_u;
};

std::vector<Eintrag> Aufbauen()
{
    const auto format
        = [](const char *f) { return Wert([f](const FesteWerte &w) { return w.datum(f); }); };
    const auto jahrStelle = [](int von, int anzahl) {
        return Wert([von, anzahl](const FesteWerte &w) { return w.jahr().mid(von, anzahl); });
    };
    const auto jahrPlus = [](int von, int anzahl, int plus, const char *f) {
        return Wert([von, anzahl, plus, f](const FesteWerte &w) {
            return FesteWerte::zahl(ZahlWert(w.jahr().mid(von, anzahl)) + plus, f);
        });
    };
    const auto prg = [](const FesteWerte &w) { return w.u().ordnerPrg(); };
    const auto cur = [](const FesteWerte &w) { return w.u().aktuellerOrdner(); };
    const auto name = [](const FesteWerte &) { return QStringLiteral("Mirbelon"); };

    const auto kwj
        = [](int n) { return Wert([n](const FesteWerte &w) { return w.wocheJahrGerundet(n); }); };
    const auto kw = [](int n) {
        return Wert(
            [n](const FesteWerte &w) { return FesteWerte::zahl(w.woche() / double(n), "00"); });
    };

    return {
        { "{K07}",
            [](const FesteWerte &w) { return FesteWerte::zahl(w.tageImJahr() / 7.0, "00"); } },
        { "{K10}",
            [](const FesteWerte &w) { return FesteWerte::zahl(w.tageImJahr() / 10.0, "00"); } },
        { "{datum}", format("d.m.yyyy") },
        { "{datum0}", format("dd.mm.yyyy") },
        { "{kw}", [](const FesteWerte &w) { return FesteWerte::zahl(w.woche(), "00"); } },
        // The current date; an expansion reads it once as its reference moment.
        { "{versionakt0}", [](const FesteWerte &w) { return VersionAktuell(0, w.d().date()); } },
        { "{kwj}", [](const FesteWerte &w) { return FesteWerte::zahl(w.wocheJahr(), "00"); } },
        { "{kwj2}", kwj(2) },
        { "{kwj3}", kwj(3) },
        { "{kwj4}", kwj(4) },
        { "{kwj5}", kwj(5) },
        { "{kw2}", kw(2) },
        { "{kw3}", kw(3) },
        { "{kw4}", kw(4) },
        { "{kw5}", kw(5) },
        { "{q}", format("q") },
        { "{qr}", [](const FesteWerte &w) { return Roemisch(w.quartal()); } },
        { "{jjjjq-1m}", [](const FesteWerte &w) { return w.jjjjqVormonat(); } },
        { "{jjqr}",
            [](const FesteWerte &w) {
                return w.jahr2() + QLatin1Char('-') + Roemisch(w.quartal());
            } },
        { "{jjjjqr}",
            [](const FesteWerte &w) {
                return w.jahr() + QLatin1Char('-') + Roemisch(w.quartal());
            } },
        { "{hh}", format("hh") },
        { "{hh-mm}", format("hh-nn") },
        { "{hh-mm-ss}", format("hh-nn-ss") },
        { "{hh:mm}", format("hh:nn") },
        { "{hh:mm:ss}", format("hh:nn:ss") },
        { "{SysTime}",
            [](const FesteWerte &w) {
                return FesteWerte::zahl(static_cast<qint32>(w.u().tickCount()), "0");
            } },
        { "{jahr1}", jahrStelle(3, 1) },
        { "{jahr2}", format("yy") },
        { "{jahr4}", format("yyyy") },
        { "{jahrzent}", jahrStelle(2, 1) },
        { "{jahrzent0}",
            [](const FesteWerte &w) { return w.jahr().mid(2, 1) + QLatin1Char('0'); } },
        { "{jahrhundert}", jahrStelle(0, 2) },
        { "{jahrhundert+1}", jahrPlus(0, 2, 1, "0") },
        { "{jahrtausend}", jahrStelle(0, 1) },
        { "{jahrtausend+1}", jahrPlus(0, 1, 1, "0") },
        { "{j}", jahrStelle(3, 1) },
        { "{jj}", format("yy") },
        { "{yy}", format("yy") },
        // Arithmetic on the two-digit year: 2000 gives "-01" for {jj-1}.
        { "{jj-1}",
            [](const FesteWerte &w) { return FesteWerte::zahl(ZahlWert(w.jahr2()) - 1, "00"); } },
        { "{jj-2}",
            [](const FesteWerte &w) { return FesteWerte::zahl(ZahlWert(w.jahr2()) - 2, "00"); } },
        { "{jj+1}",
            [](const FesteWerte &w) { return FesteWerte::zahl(ZahlWert(w.jahr2()) + 1, "00"); } },
        { "{jjjj}", format("yyyy") },
        { "{yyyy}", format("yyyy") },
        { "{jjjj-1}", jahrPlus(0, 4, -1, "0000") },
        { "{jjjj-2}", jahrPlus(0, 4, -2, "0000") },
        { "{jjjj+1}", jahrPlus(0, 4, 1, "0000") },
        { "{jj-mm-tt}", format("yy-mm-dd") },
        { "{jjjj}", format("yyyy") },
        { "{jjjj-mm-tt}", format("yyyy-mm-dd") },
        { "{jjjj-mm}", format("yyyy-mm") },
        { "{jjjj-mm-1}",
            [](const FesteWerte &w) {
                return FormatDatum(w.d().addMonths(-1), QStringLiteral("yyyy-mm"));
            } },
        { "{jjjj-mm-2}",
            [](const FesteWerte &w) {
                return FormatDatum(w.d().addMonths(-2), QStringLiteral("yyyy-mm"));
            } },
        { "{jjmmtt}", format("yymmdd") },
        { "{jjjjmmtt}", format("yyyymmdd") },
        { "{jetzt}", [](const FesteWerte &w) { return w.langesDatum(); } },
        { "{laufwerk}", [](const FesteWerte &w) { return w.laufwerk(); } },
        { "{mm}", format("mm") },
        { "{mm-1}", [](const FesteWerte &w) { return w.vormonat(1); } },
        { "{mm-2}", [](const FesteWerte &w) { return w.vormonat(2); } },
        { "{monat}", format("mmmm") },
        { "{m}", format("m") },
        { "{monat0}", format("mm") },
        { "{monatsname}", format("mmmm") },
        { "{monatsname3}", format("mmm") },
        { "{mmmm}", format("mmmm") },
        { "{mmm}", format("mmm") },
        { "{label}", [](const FesteWerte &w) { return w.bezeichnung(); } },
        { "{pfad}", cur },
        { "{ordner_app}", prg },
        { "{ordner_prg}", prg },
        { "{ordner_dat}", [](const FesteWerte &w) { return w.u().ordnerDat(); } },
        { "{ordner_win}", [](const FesteWerte &w) { return w.u().ordnerWin(); } },
        { "{ordner_sys}", [](const FesteWerte &w) { return w.u().ordnerSys(); } },
        { "{ordner_cur}", cur },
        { "{PrgTitel}", name },
        { "{PrgName}", name },
        { "{s}", format("s") },
        { "{ss}", format("ss") },
        { "{sekunde}", format("s") },
        { "{sekunde0}", format("ss") },
        { "{n}", format("n") },
        { "{nn}", format("nn") },
        { "{minute}", format("n") },
        { "{minute0}", format("nn") },
        { "{stunde}", format("h") },
        { "{stunde0}", format("hh") },
        { "{h}", format("h") },
        { "{hh}", format("hh") },
        { "{tag}", format("d") },
        { "{tag0}", format("dd") },
        { "{t}", format("d") },
        { "{tt}", format("dd") },
        { "{dd}", format("dd") },
        { "{tt-mm-jj}", format("dd-mm-yy") },
        { "{tt-mm-jjjj}", format("dd-mm-yyyy") },
        { "{tt.mm.jj}", format("dd.mm.yy") },
        { "{tt.mm.jjjj}", format("dd.mm.yyyy") },
        { "{uhrzeit}", format("h:n") },
        { "{uhrzeit0}", format("hh:nn") },
        { "{wochentag}", format("dddd") },
        { "{wochentag2}", [](const FesteWerte &w) { return w.wochentag2(); } },
        { "{wwww}", format("dddd") },
        { "{ww}", [](const FesteWerte &w) { return w.wochentag2(); } },
        { "{zufall1}", [](const FesteWerte &w) { return w.zufall(1); } },
        { "{zufall2}", [](const FesteWerte &w) { return w.zufall(2); } },
        { "{zufall3}", [](const FesteWerte &w) { return w.zufall(3); } },
        { "{zufall4}", [](const FesteWerte &w) { return w.zufall(4); } },
        { "{zufall5}", [](const FesteWerte &w) { return w.zufall(5); } },
        { "{zufall6}", [](const FesteWerte &w) { return w.zufall(6); } },
        { "{zufall7}", [](const FesteWerte &w) { return w.zufall(7); } },
        { "{zufall8}", [](const FesteWerte &w) { return w.zufall(8); } },
    };
}

const std::vector<Eintrag> &Tabelle()
{
    static const std::vector<Eintrag> tabelle = Aufbauen();
    return tabelle;
}

} // namespace

void FestePlatzhalterErsetzen(QString &text, const QDateTime &bezug, VarioUmgebung &umgebung)
{
    const FesteWerte werte(bezug, umgebung);
    QString klein = KleinGleichLang(text);
    for (const Eintrag &eintrag : Tabelle()) {
        if (PlatzhalterPosition(klein, eintrag.klein) < 0)
            continue;
        PlatzhalterErsetzen(text, eintrag.klein, eintrag.wert(werte));
        klein = KleinGleichLang(text);
    }
}

} // namespace mirbelon
