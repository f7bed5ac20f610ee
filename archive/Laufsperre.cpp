#include "archive/Laufsperre.h"

#include "source/Fenster.h"

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

} // namespace mirbelon
