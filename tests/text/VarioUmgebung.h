#pragma once

// An environment for expanding placeholders that keeps everything in memory,
// shared by the tests of the placeholders.

#include "text/Vario.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QList>

namespace mirbelon::test {

// Everything in memory; ini values keyed by lower-cased "file|section|key".
class SpeicherUmgebung : public VarioUmgebung
{
public:
    QDateTime jetzt() override
    {
        ++jetztAbfragen;
        return moment;
    }
    quint32 tickCount() override { return tick; }
    QString iniLesen(const QString &datei, const QString &sektion, const QString &schluessel,
        const QString &vorgabe) override
    {
        return ini.value(iniName(datei, sektion, schluessel), vorgabe);
    }
    void iniSchreiben(const QString &datei, const QString &sektion, const QString &schluessel,
        const QString &wert) override
    {
        ini.insert(iniName(datei, sektion, schluessel), wert);
    }
    double iniZaehler(const QString &datei, const QString &sektion, const QString &schluessel,
        double schritt) override
    {
        const double wert
            = iniLesen(datei, sektion, schluessel, QStringLiteral("0")).toDouble() + schritt;
        iniSchreiben(datei, sektion, schluessel, QString::number(wert));
        return wert;
    }
    QString benutzername() override { return name; }
    QString neueGuid() override
    {
        ++guids;
        return guid;
    }
    double zufall() override
    {
        if (zufallswerte.isEmpty())
            return 0.5;
        return zufallswerte.at(zufallsZeiger++ % zufallswerte.size());
    }
    void zufallNeuSaeen() override { ++saaten; }
    QString aktuellerOrdner() override { return ordner; }
    QString laufwerksBezeichnung(const QString &laufwerk) override
    {
        return labels.value(laufwerk);
    }
    QString ordnerPrg() override { return prg; }
    QString ordnerDat() override { return QStringLiteral("C:\\Dat"); }
    QString ordnerBrenlo() override { return QStringLiteral("C:\\Brenlo"); }
    QString ordnerWin() override { return QStringLiteral("C:\\Windows"); }
    QString ordnerSys() override { return QStringLiteral("C:\\Windows\\System32"); }
    QString grossKlein(const QString &text) override
    {
        return QLatin1Char('[') + text + QLatin1Char(']');
    }
    QStringList dateienSuchen(const QString &muster) override
    {
        gesuchteMuster.append(muster);
        return dateien.value(muster);
    }
    QString umgebung(const QString &name) override { return env.value(name); }

    static QString iniName(const QString &datei, const QString &sektion, const QString &schluessel)
    {
        return (datei + QLatin1Char('|') + sektion + QLatin1Char('|') + schluessel).toLower();
    }

    QDateTime moment { QDate(2004, 1, 15), QTime(9, 5, 7) }; // a Thursday
    quint32 tick = 123456;
    QHash<QString, QString> ini;
    QString name = QStringLiteral("Anna Berg");
    QString guid = QStringLiteral("{0123ABCD-4567-89EF-0123-456789ABCDEF}");
    QList<double> zufallswerte;
    int zufallsZeiger = 0;
    int saaten = 0;
    int guids = 0;
    int jetztAbfragen = 0;
    QString ordner = QStringLiteral("C:\\Arbeit");
    QString prg = QStringLiteral("C:\\Prg");
    QHash<QString, QString> labels;
    QHash<QString, QStringList> dateien;
    QStringList gesuchteMuster;
    QHash<QString, QString> env;
};

struct Fall
{
    const char *eingabe;
    const char *erwartet;
};

inline void Pruefen(SpeicherUmgebung &u, std::initializer_list<Fall> faelle)
{
    for (const Fall &fall : faelle) {
        SCOPED_TRACE(fall.eingabe);
        EXPECT_EQ(Vario(u, QString::fromUtf8(fall.eingabe)), QString::fromUtf8(fall.erwartet));
    }
}

inline QString Zahl(qint64 wert)
{
    return QString::number(wert);
}

} // namespace mirbelon::test
