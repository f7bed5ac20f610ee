#pragma once

#include "source/Fenster.h"

#include <QHash>
#include <QStringList>

#include <functional>

namespace mirbelon::test {

// A main window without widgets: it keeps the values and records what the
// reactions did. Tests wire the change reactions they need through the hooks
// (for example `beiQuelle` to the scan), as the real window wires its signals.
class TestFenster : public Fenster
{
public:
    QString quelle() const override { return m_quelle; }
    void setQuelle(const QString &text) override
    {
        if (text == m_quelle)
            return;
        m_quelle = text;
        if (beiQuelle)
            beiQuelle();
    }
    void quelleEinlesen() override
    {
        if (beiQuelle)
            beiQuelle();
    }
    void fokusQuelle() override { fokus = QStringLiteral("txtQ"); }

    QString ziel() const override { return m_ziel; }
    void setZiel(const QString &text) override
    {
        if (text == m_ziel)
            return;
        m_ziel = text;
        if (beiZiel)
            beiZiel();
    }
    void fokusZiel() override { fokus = QStringLiteral("txtZ"); }

    QString zielMuster() const override { return muster; }

    QString kamera() const override { return m_kamera; }
    void setKamera(const QString &text) override
    {
        if (text == m_kamera)
            return;
        m_kamera = text;
        ++timerInfo;
    }

    bool vorschauAn() const override { return m_vorschau; }
    void setVorschauAn(bool an) override
    {
        if (an == m_vorschau)
            return;
        m_vorschau = an;
        if (beiVorschau)
            beiVorschau();
    }

    VorschauGeometrie vorschauGeometrie() const override { return geometrie; }
    void zeigeVorschau(const QImage &bild, int breiteTwips, int hoeheTwips) override
    {
        vorschauBild = bild;
        vorschauBreite = breiteTwips;
        vorschauHoehe = hoeheTwips;
        vorschauSichtbar = true;
    }
    void versteckeVorschau() override { vorschauSichtbar = false; }
    void setKreuzSichtbar(bool sichtbar) override { kreuz = sichtbar; }

    QString panel(const QString &schluessel) const override { return panels.value(schluessel); }
    void setPanel(const QString &schluessel, const QString &text) override
    {
        panels[schluessel] = text;
        if (schluessel == QLatin1String("Status"))
            statusVerlauf << text;
    }
    void setPanelTipp(const QString &schluessel, const QString &tipp) override
    {
        tipps[schluessel] = tipp;
    }
    void statusNeuZeichnen() override { ++neuGezeichnet; }

    void setZielStatus(const QString &text) override { zielStatus = text; }
    void setDatumHinweisSichtbar(bool sichtbar) override { datumHinweis = sichtbar; }

    void setFortschrittSichtbar(bool sichtbar) override { fortschrittSichtbar = sichtbar; }
    void setFortschritt(int prozent) override
    {
        fortschritte << prozent;
        if (beiFortschritt)
            beiFortschritt(prozent);
    }

    void timerInitAn() override { ++timerInit; }
    void timerHinweiseAn() override { ++timerHinweise; }
    void timerInfoAn() override { ++timerInfo; }

    void programmEnde() override { ++beendet; }

    // Values the tests set or read directly.
    QString muster = QStringLiteral("{jjjj}_{mm}{tt}-{hh}{nn}{ss}");
    VorschauGeometrie geometrie{12270, 8565, 3960, 600, 120};
    std::function<void()> beiQuelle;
    std::function<void()> beiZiel;
    std::function<void()> beiVorschau;
    std::function<void(int)> beiFortschritt;

    QString fokus;
    QImage vorschauBild;
    int vorschauBreite = 0;
    int vorschauHoehe = 0;
    bool vorschauSichtbar = false;
    bool kreuz = false;
    QHash<QString, QString> panels;
    QHash<QString, QString> tipps;
    QStringList statusVerlauf;
    int neuGezeichnet = 0;
    QString zielStatus;
    bool datumHinweis = false;
    bool fortschrittSichtbar = false;
    QList<int> fortschritte;
    int timerInit = 0;
    int timerHinweise = 0;
    int timerInfo = 0;
    int beendet = 0;

    // Sets a value without running its reaction (as if loaded before wiring).
    void quelleOhneReaktion(const QString &text) { m_quelle = text; }
    void zielOhneReaktion(const QString &text) { m_ziel = text; }
    void kameraOhneReaktion(const QString &text) { m_kamera = text; }
    void vorschauOhneReaktion(bool an) { m_vorschau = an; }

private:
    QString m_quelle;
    QString m_ziel;
    QString m_kamera;
    bool m_vorschau = false;
};

} // namespace mirbelon::test
