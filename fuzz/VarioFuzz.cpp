#include "fuzz/FuzzHilfe.h"

#include "text/Vario.h"

#include <QHash>

namespace {

using namespace mirbelon;

// Everything in memory, so any input runs without a disk or a clock.
class SpeicherUmgebung : public VarioUmgebung
{
public:
    QDateTime jetzt() override { return QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)); }
    quint32 tickCount() override { return 4294967000u; }
    QString iniLesen(const QString &datei, const QString &sektion, const QString &schluessel,
                     const QString &vorgabe) override
    {
        return ini.value(name(datei, sektion, schluessel), vorgabe);
    }
    void iniSchreiben(const QString &datei, const QString &sektion, const QString &schluessel,
                      const QString &wert) override
    {
        ini.insert(name(datei, sektion, schluessel), wert);
    }
    double iniZaehler(const QString &datei, const QString &sektion, const QString &schluessel,
                      double schritt) override
    {
        const double wert = iniLesen(datei, sektion, schluessel, QStringLiteral("0")).toDouble() + schritt;
        iniSchreiben(datei, sektion, schluessel, QString::number(wert));
        return wert;
    }
    QString benutzername() override { return QStringLiteral("Anna {Berg} %A%"); }
    QString neueGuid() override { return QStringLiteral("{0123ABCD-4567-89EF-0123-456789ABCDEF}"); }
    double zufall() override
    {
        m_zufall = (m_zufall * 7 + 3) % 11;
        return m_zufall / 11.0;
    }
    void zufallNeuSaeen() override { m_zufall = 5; }
    QString aktuellerOrdner() override { return QStringLiteral("C:\\Arbeit"); }
    QString laufwerksBezeichnung(const QString &laufwerk) override
    {
        return laufwerk.startsWith(QLatin1Char('E'), Qt::CaseInsensitive) ? QStringLiteral("CANON")
                                                                            : QString();
    }
    QString ordnerPrg() override { return QStringLiteral("C:\\Prg"); }
    QString ordnerDat() override { return QStringLiteral("C:\\Dat"); }
    QString ordnerBrenlo() override { return QStringLiteral("C:\\Brenlo"); }
    QString ordnerWin() override { return QStringLiteral("C:\\Windows"); }
    QString ordnerSys() override { return QStringLiteral("C:\\Windows\\System32"); }
    QString grossKlein(const QString &text) override { return text.toUpper(); }
    QStringList dateienSuchen(const QString &muster) override
    {
        if (muster.isEmpty())
            return {};
        return {QStringLiteral("a{x}.jpg"), QStringLiteral("%PATH%.jpg"), QStringLiteral("c.jpg")};
    }
    QString umgebung(const QString &name) override
    {
        // References that refer to each other, so the pass limit is reached.
        static const QHash<QString, QString> werte = {
            {QStringLiteral("A"), QStringLiteral("%B%")},
            {QStringLiteral("B"), QStringLiteral("%A%%A%")},
            {QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin")},
            {QStringLiteral("LEER"), QString()},
        };
        return werte.value(name.toUpper());
    }

    QHash<QString, QString> ini;

private:
    static QString name(const QString &datei, const QString &sektion, const QString &schluessel)
    {
        return (datei + QLatin1Char('|') + sektion + QLatin1Char('|') + schluessel).toLower();
    }
    int m_zufall = 5;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList texte = fuzz::Texte(data, size, 3);
    SpeicherUmgebung umgebung;
    const QString text = texte[0];
    const QString ergebnis = Vario(umgebung, text);
    if (!text.contains(QLatin1Char('{')) && !text.contains(QLatin1Char('%')))
        FUZZ_PRUEFEN(ergebnis == text);
    // The same input against the same state gives the same text twice.
    SpeicherUmgebung zweite;
    FUZZ_PRUEFEN(Vario(zweite, text) == ergebnis);

    (void)UmgebungErsetzen(umgebung, texte[1]);
    const QString klein = KleinGleichLang(texte[1]);
    FUZZ_PRUEFEN(klein.size() == texte[1].size());
    (void)PlatzhalterTeil(texte[1], texte[2], 1);
    (void)PlatzhalterTeil(texte[1], texte[2], 2);
    QString arbeit = texte[1];
    PlatzhalterErsetzen(arbeit, texte[2], QStringLiteral("{wert}"));
    if (!texte[2].isEmpty()) {
        const qsizetype pos = PlatzhalterPosition(klein, KleinGleichLang(texte[2]));
        FUZZ_PRUEFEN(pos >= -1 && pos < klein.size());
    }
    return 0;
}
