#include "archive/Laufsperre.h"

#include "services/Meldungen.h"
#include "source/Arbeiter.h"
#include "source/Fenster.h"
#include "text/Meldung.h"
#include "text/Pfad.h"

namespace mirbelon {

bool LaufBesetzt(Context &ctx, Fenster &fenster)
{
    QString text;
    if (ctx.lauf == Lauf::Kopieren)
        text = QStringLiteral("Es werden gerade Fotos kopiert. Bitte warten Sie, bis das Kopieren "
                              "beendet ist.");
    else if (ctx.lauf == Lauf::Loeschen)
        text = QStringLiteral("Es werden gerade Fotos gelöscht. Bitte warten Sie, bis das Löschen "
                              "beendet ist.");
    else if (ctx.lauf == Lauf::Pruefen)
        text = QStringLiteral("Das Archiv wird gerade geprüft. Bitte warten Sie, bis die Prüfung "
                              "beendet ist.");
    else if (ctx.lauf == Lauf::Auswerfen)
        text = QStringLiteral("Die Karte wird gerade ausgeworfen. Bitte warten Sie einen "
                              "Augenblick.");
    else if (ctx.scanLaeuft)
        text = QStringLiteral("Die Quelle wird gerade eingelesen. Bitte warten Sie einen "
                              "Augenblick.");
    else
        return false;
    fenster.setPanel(QStringLiteral("Status"), text);
    fenster.statusNeuZeichnen();
    return true;
}

bool KarteWeg(const Context &ctx, const FileRef &foto, quint64 geraet)
{
    const FileSystem &files = ctx.host.files;
    return Nachsehen<bool>([&files, foto, geraet] { return files.mediumGone(foto, geraet); });
}

void KarteWegMelden(Context &ctx, const QString &foto, const QString &folge)
{
    ctx.host.dialogs.message(MeldungsText(QStringLiteral("Die Karte »") + PfadTeil(foto, -2)
                                          + QStringLiteral("« ist nicht mehr da oder wurde gewechselt. ") + folge),
                             QStringLiteral("Karte entfernt"), Icon::Exclamation, Buttons::Ok, Answer::Ok);
}

} // namespace mirbelon
