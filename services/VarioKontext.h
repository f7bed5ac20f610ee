#pragma once

#include "text/Vario.h"

namespace mirbelon {

class Context;

// The placeholder engine's outside data taken from the program's context:
// ini values through the ini-file store, folders, host facts, the user name.
class VarioKontext : public VarioUmgebung
{
public:
    explicit VarioKontext(Context &ctx)
        : m_ctx(ctx)
    {
    }

    QDateTime jetzt() override;
    quint32 tickCount() override;
    QString iniLesen(const QString &datei, const QString &sektion, const QString &schluessel,
        const QString &vorgabe) override;
    void iniSchreiben(const QString &datei, const QString &sektion, const QString &schluessel,
        const QString &wert) override;
    double iniZaehler(const QString &datei, const QString &sektion, const QString &schluessel,
        double schritt) override;
    QString benutzername() override;
    QString neueGuid() override;
    double zufall() override;
    void zufallNeuSaeen() override;
    QString aktuellerOrdner() override;
    QString laufwerksBezeichnung(const QString &laufwerk) override;
    QString ordnerPrg() override;
    QString ordnerDat() override;
    QString ordnerBrenlo() override;
    QString ordnerWin() override;
    QString ordnerSys() override;
    QString grossKlein(const QString &text) override;
    QStringList dateienSuchen(const QString &muster) override;
    QString umgebung(const QString &name) override;

private:
    Context &m_ctx;
};

// Whether a file name matches a pattern with "*" (any run) and "?" (one
// character), ignoring case; "*.*" matches every name, with or without a dot.
bool NamePasst(const QString &name, const QString &muster);

} // namespace mirbelon
