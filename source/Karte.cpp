#include "source/Karte.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "source/Fenster.h"
#include "text/DateiVorhanden.h"
#include "text/Pfad.h"

namespace mirbelon {

namespace {

const QString kStatus = QStringLiteral("Status");

// A file at the root of the source's drive; empty when the source names no
// drive, so nothing is written to the root of whatever drive is current.
QString DateiAufLaufwerk(const Fenster &fenster, const QString &name)
{
    const QString laufwerk = PfadTeil(fenster.quelle(), -2);
    return laufwerk.isEmpty() ? QString() : laufwerk + QLatin1Char('\\') + name;
}

} // namespace

void LaufwerkSuchen(Context &ctx, Fenster &fenster)
{
    BusyPointer busy(ctx.host.dialogs);
    for (char buchstabe = 'A'; buchstabe <= 'Z'; ++buchstabe) {
        const QString laufwerk = QString(QLatin1Char(buchstabe)) + QLatin1Char(':');
        fenster.setPanel(kStatus, QStringLiteral("Suche Quell-Laufwerk auf ") + laufwerk);
        fenster.statusNeuZeichnen();
        ctx.host.desktop.processEvents();
        if (DateiVorhanden(ctx.host.files, laufwerk + QStringLiteral("\\Foto.ini")))
            fenster.setQuelle(laufwerk + QLatin1Char('\\'));
    }
    fenster.fokusQuelle();
    fenster.setPanel(kStatus, QStringLiteral("Bereit"));
    fenster.statusNeuZeichnen();
}

void KameraBezSpeichern(Context &ctx, const Fenster &fenster)
{
    const QString datei = DateiAufLaufwerk(fenster, QStringLiteral("Foto.ini"));
    if (!datei.isEmpty())
        IniSchreiben(
            ctx, datei, QStringLiteral("Infos"), QStringLiteral("Kamera"), fenster.kamera());
}

void AutoStartSpeichern(Context &ctx, const Fenster &fenster)
{
    const QString datei = DateiAufLaufwerk(fenster, QStringLiteral("Autorun.inf"));
    if (datei.isEmpty())
        return;
    // The executable itself, also when the settings live elsewhere (an
    // installed program) or it was renamed.
    const QString exe = ctx.host.system.executablePath();
    const QString programm = PfadTeil(exe, 0) + PfadTeil(exe, 1);
    const QString sektion = QStringLiteral("autorun");
    IniSchreiben(ctx, datei, sektion, QStringLiteral("open"),
        programm + QStringLiteral(" Quelle=") + fenster.quelle());
    IniSchreiben(ctx, datei, sektion, QStringLiteral("icon"), programm);
}

} // namespace mirbelon
