#include "archive/ZielStatus.h"

#include "frame/Context.h"
#include "frame/Einstellungswerte.h"
#include "frame/IniStore.h"
#include "services/Platzhalter.h"
#include "source/Fenster.h"
#include "source/Statusleiste.h"
#include "text/Formatierung.h"
#include "text/Pfad.h"
#include "text/Zahlen.h"

namespace mirbelon {

namespace {

const QString kTausender = QStringLiteral("#,##0");

QString DateienText(Context &ctx, const QString &ordner)
{
    const QString anfang = QStringLiteral("Vorhanden Dateien im Ordner: ");
    const FileSystem &files = ctx.host.files;
    const auto eintraege = files.list(ordner);
    if (!eintraege) {
        if (!files.exists(ordner))
            return anfang + QStringLiteral("keine (wird beim Kopieren angelegt)");
        return anfang + QStringLiteral("unbekannt (nicht lesbar)");
    }
    int anzahl = 0;
    for (const DirEntry &e : *eintraege) {
        if (!e.isFolder && !e.isHidden)
            ++anzahl;
    }
    return anfang + FormatZahl(anzahl, kTausender);
}

} // namespace

void befZUpdate(Context &ctx, Fenster &fenster)
{
    BusyPointer busy(ctx.host.dialogs);
    EinstellungenAuffrischen(ctx);
    // The folder's own file system: a drive letter stands for a whole tree of
    // mounts here, and the archive may lie on a disk of its own below it.
    const QString ordner = Vario(ctx, fenster.ziel());
    fenster.setZielStatus(QStringLiteral("Freier Speicherplatz: ") + GroesseText(PlatzFrei(ctx, ordner))
                          + QStringLiteral("B\n") + DateienText(ctx, ordner) + QLatin1Char('\n'));
}

void befZSuche(Context &ctx, Fenster &fenster)
{
    const std::optional<QString> datei = ctx.host.dialogs.openFile(
        QStringLiteral("Wähle eine Datei im gewünschten Ziel-Ordner"), QStringLiteral("Alles"),
        QStringLiteral("*.*"), fenster.ziel());
    if (!datei)
        return;
    fenster.setZiel(PfadTeil(*datei, -1));
    fenster.fokusZiel();
}

void TimerInfoTick(Context &ctx, Fenster &fenster)
{
    const QString kamera = fenster.kamera();
    const QString sektion = QStringLiteral("Statistik_") + kamera;
    const double kopiert =
        IniZaehler(ctx, ctx.einstellungsDatei, sektion, QStringLiteral("Anzahl Cpy"), 0);
    const double gesehen =
        IniZaehler(ctx, ctx.einstellungsDatei, sektion, QStringLiteral("Anzahl Sum"), 0);
    fenster.setPanel(QStringLiteral("Statistik"), QLatin1Char(' ') + FormatZahl(kopiert, kTausender)
                                                      + QStringLiteral(" (")
                                                      + FormatZahl(gesehen, kTausender)
                                                      + QStringLiteral(" Bilder) "));
    fenster.setPanelTipp(QStringLiteral("Statistik"), kamera + QStringLiteral(": kopiert (fotografiert)"));
}

} // namespace mirbelon
