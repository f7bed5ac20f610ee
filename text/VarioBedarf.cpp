#include "text/VarioBedarf.h"

#include "text/DatumAusText.h"
#include "text/Formatierung.h"
#include "text/IsoWoche.h"
#include "text/Vario.h"
#include "text/Zahlen.h"

#include <QStringList>

#include <cmath>
#include <optional>

namespace mirbelon {

namespace {

const QString kVariablen = QStringLiteral("Variablen");
const QString kKeinName = QStringLiteral("KeinName.Txt");
constexpr int kZufallPlaetze = 10;

struct Fund
{
    QString ganz; // prefix, argument and "}" as written
    QString argument; // as written, or lower-cased when asked for
};

// Whole seconds from `von` to `bis` on the local calendar, without any
// daylight-saving shift.
qint64 Sekunden(const QDateTime &von, const QDateTime &bis)
{
    return von.date().daysTo(bis.date()) * 86400
        + (bis.time().msecsSinceStartOfDay() - von.time().msecsSinceStartOfDay()) / 1000;
}

class Bedarf
{
public:
    Bedarf(QString &text, const QDateTime &bezug, VarioUmgebung &umgebung)
        : m_text(text)
        , m_d(bezug)
        , m_u(umgebung)
    {
    }

    void alle()
    {
        einfach("{username}", [this] { return m_u.benutzername(); });
        einfach("{guid}", [this] { return m_u.neueGuid(); });
        einfach("{id}", [this] { return id(); });
        einfach(
            "{brenlo.ini}", [this] { return m_u.ordnerBrenlo() + QStringLiteral("\\Brenlo.ini"); });
        if (enthaelt("{wt+"))
            werktage();
        if (enthaelt("{wochentag"))
            wochentag();
        mitArgument("{zufall$", true, [this](const QString &a) { return zufallAuswahl(a); });
        if (enthaelt("{counter"))
            zaehler();
        mitArgument("{index:", false, [this](const QString &a) { return index(a); });
        mitArgument("{iniread,", false, [this](const QString &a) { return iniLesen(a); });
        mitArgument("{variable:", false, [this](const QString &a) { return variable(a); });
        mitArgument("{a7b:", false, [](const QString &a) { return Einfach(a); });
        mitArgument("{aig:", false, [](const QString &a) { return a.toUpper().trimmed(); });
        mitArgument("{$", false, [this](const QString &a) { return zufallsDatei(a); });
        mitAlter("{alter:", [this](const QString &a) { return alter(a); });
        mitAlter("{alterd:", [this](const QString &a) { return alterInTagen(a); });
        mitArgument("{&", false, [this](const QString &a) { return alleDateien(a); });
    }

private:
    bool enthaelt(const char *praefix) const
    {
        return KleinGleichLang(m_text).contains(QLatin1String(praefix));
    }

    template <typename F> void einfach(const char *platzhalter, F wert)
    {
        if (enthaelt(platzhalter))
            PlatzhalterErsetzen(m_text, QString::fromLatin1(platzhalter), wert());
    }

    // The first placeholder with `praefix`; nullopt when it has no "}".
    std::optional<Fund> erster(const char *praefix, bool klein) const
    {
        const QString suche = QString::fromLatin1(praefix);
        const QString kleinText = KleinGleichLang(m_text);
        const qsizetype anfang = kleinText.indexOf(suche);
        if (anfang < 0)
            return std::nullopt;
        const qsizetype argument = anfang + suche.size();
        const qsizetype ende = m_text.indexOf(QLatin1Char('}'), argument);
        if (ende < 0)
            return std::nullopt;
        return Fund { m_text.mid(anfang, ende + 1 - anfang),
            (klein ? kleinText : m_text).mid(argument, ende - argument) };
    }

    template <typename F> void mitArgument(const char *praefix, bool klein, F wert)
    {
        if (!enthaelt(praefix))
            return;
        if (const std::optional<Fund> fund = erster(praefix, klein))
            PlatzhalterErsetzen(m_text, fund->ganz, wert(fund->argument));
    }

    // A missing "}" is supplied at the end of the text.
    template <typename F> void mitAlter(const char *praefix, F wert)
    {
        if (!enthaelt(praefix))
            return;
        if (!erster(praefix, false))
            m_text += QLatin1Char('}');
        if (const std::optional<Fund> fund = erster(praefix, false))
            PlatzhalterErsetzen(m_text, fund->ganz, wert(fund->argument).trimmed());
    }

    QString id() const
    {
        const QDateTime anfang(QDate(1901, 1, 1), QTime(0, 0));
        const double wert = double(Sekunden(anfang, m_d)) + static_cast<qint32>(m_u.tickCount())
            + m_u.zufall() * 99;
        return FormatZahl(wert, QStringLiteral("0"));
    }

    void werktage()
    {
        const qsizetype anfang = KleinGleichLang(m_text).indexOf(QLatin1String("{wt+"));
        const QChar zeichen = anfang + 4 < m_text.size() ? m_text.at(anfang + 4) : QChar();
        const int anzahl = (zeichen >= QLatin1Char('0') && zeichen <= QLatin1Char('9'))
            ? zeichen.unicode() - '0'
            : 0;
        QDateTime tag = m_d;
        for (int gezaehlt = 0; gezaehlt < anzahl;) {
            tag = tag.addDays(1);
            if (tag.date().dayOfWeek() != Qt::Sunday)
                ++gezaehlt;
        }
        PlatzhalterErsetzen(
            m_text, m_text.mid(anfang, 6), FormatDatum(tag, QStringLiteral("dd.mm.yyyy")));
    }

    void wochentag()
    {
        const QString praefix = QStringLiteral("{wochentag");
        const qsizetype anfang = KleinGleichLang(m_text).indexOf(praefix);
        QString argument = m_text.mid(anfang + praefix.size(), 11);
        const qsizetype ende = argument.indexOf(QLatin1Char('}'));
        if (ende >= 0)
            argument.truncate(ende);
        const std::optional<QDateTime> datum = DatumAusText(argument);
        if (!datum)
            return;
        PlatzhalterErsetzen(m_text, praefix + argument + QLatin1Char('}'),
            KalenderName(WochentagAbSonntag(datum->date()), QStringLiteral("WT")));
    }

    // The last item comes up half as often as each other one.
    QString zufallAuswahl(const QString &argument) const
    {
        QStringList plaetze;
        for (const QString &eintrag : (argument + QLatin1Char(',')).split(QLatin1Char(','))) {
            if (eintrag.isEmpty())
                continue;
            if (plaetze.size() < kZufallPlaetze)
                plaetze.append(eintrag);
            else
                plaetze.last() = eintrag;
        }
        if (plaetze.isEmpty())
            return {};
        const double n = plaetze.size();
        const int platz = static_cast<int>(std::floor((n - 0.5) * m_u.zufall()));
        return plaetze.at(qBound(0, platz, int(plaetze.size()) - 1));
    }

    void zaehler()
    {
        const QString argument = PlatzhalterTeil(m_text, QStringLiteral("Counter"), 2);
        if (argument.isEmpty())
            return;
        bool zahl = false;
        const qlonglong nummer = argument.trimmed().toLongLong(&zahl);
        if (!zahl)
            return;
        const QString schluessel = QStringLiteral("VarioCount") + QString::number(nummer);
        const double wert = m_u.iniZaehler({}, kVariablen, schluessel, 1);
        PlatzhalterErsetzen(m_text, PlatzhalterTeil(m_text, QStringLiteral("Counter"), 1),
            FormatZahl(wert, QStringLiteral("0")));
    }

    QString index(const QString &argument) const
    {
        const QStringList teile = (argument + QStringLiteral(",,,")).split(QLatin1Char(','));
        const QString schluessel = QStringLiteral("VarioIndex_") + teile.at(0);
        const double minimum = ZahlWert(teile.at(1));
        const double maximum = ZahlWert(teile.at(2));
        double wert = ZahlWert(m_u.iniLesen({}, kVariablen, schluessel, QStringLiteral("0"))) + 1;
        if (wert < minimum)
            wert = minimum;
        if (wert > maximum)
            wert = minimum;
        const QString text = FormatZahl(wert, QStringLiteral("0"));
        m_u.iniSchreiben({}, kVariablen, schluessel, text);
        return text;
    }

    QString iniLesen(const QString &argument) const
    {
        const QStringList felder = (argument + QStringLiteral(",,,,,")).split(QLatin1Char(','));
        return m_u.iniLesen(felder.at(0), felder.at(1), felder.at(2), felder.at(3));
    }

    QString variable(const QString &name) const
    {
        QString wert = m_u.iniLesen({}, kVariablen, name, name);
        const qsizetype kommentar = wert.indexOf(QLatin1Char(';'));
        if (kommentar >= 0)
            wert.truncate(kommentar);
        return wert.trimmed();
    }

    // Lower-case letters, digits and single blanks only; umlauts spelled out.
    static QString Einfach(const QString &argument)
    {
        QString text = KleinGleichLang(argument);
        text.replace(QChar(0xE4), QLatin1String("ae"));
        text.replace(QChar(0xF6), QLatin1String("oe"));
        text.replace(QChar(0xFC), QLatin1String("ue"));
        text.replace(QChar(0xDF), QLatin1String("ss"));
        const QLatin1String erlaubt("abcdefghijklmnopqrstuvwxyz0123456789 ");
        for (QChar &zeichen : text) {
            if (!erlaubt.contains(zeichen))
                zeichen = QLatin1Char(' ');
        }
        return text.simplified();
    }

    QString zufallsDatei(const QString &muster) const
    {
        const QStringList namen = m_u.dateienSuchen(muster);
        m_u.zufallNeuSaeen();
        const double k = RundeGerade(m_u.zufall() * namen.size());
        if (namen.isEmpty())
            return kKeinName;
        return namen.at(qBound(0, int(k) - 1, int(namen.size()) - 1));
    }

    QString alter(const QString &argument) const
    {
        const std::optional<QDateTime> datum = DatumAusText(argument);
        if (!datum)
            return argument + QStringLiteral("???");
        return DauerText(double(Sekunden(*datum, m_d)), 1);
    }

    QString alterInTagen(const QString &argument) const
    {
        const std::optional<QDateTime> datum = DatumAusText(argument);
        if (!datum)
            return argument + QStringLiteral("???");
        return FormatZahl(double(Sekunden(*datum, m_d)) / 86400, QStringLiteral("0.0"));
    }

    QString alleDateien(const QString &muster) const
    {
        const QStringList namen = m_u.dateienSuchen(muster);
        return namen.isEmpty() ? kKeinName : namen.join(QLatin1Char(' '));
    }

    QString &m_text;
    const QDateTime m_d;
    VarioUmgebung &m_u;
};

} // namespace

void BedarfsPlatzhalterErsetzen(QString &text, const QDateTime &bezug, VarioUmgebung &umgebung)
{
    Bedarf(text, bezug, umgebung).alle();
}

} // namespace mirbelon
