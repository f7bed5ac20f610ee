#include "source/Vorschau.h"

#include "frame/Context.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "source/Scan.h"

namespace mirbelon {

namespace {

constexpr int kTastePfeilLinks = 37;
constexpr int kTastePfeilRechts = 39;

} // namespace

bool ListeTaste(Context &ctx, FotoListe &liste, Fenster &, int tastenCode)
{
    bool geschluckt = false;
    if (tastenCode == kTastePfeilLinks || tastenCode == kTastePfeilRechts) {
        BusyPointer busy(ctx.host.dialogs);
        const int schritt = tastenCode == kTastePfeilLinks ? -1 : 1;
        for (int i = liste.aktuell() + schritt; i >= 0 && i < liste.anzahl(); i += schritt) {
            if (liste.markiert(i)) {
                liste.setAktuell(i);
                break;
            }
        }
        geschluckt = true;
    }
    ListenAuswahl(ctx, liste, QStringLiteral("save"));
    return geschluckt;
}

void ListeMausLos(Context &ctx, FotoListe &liste, Fenster &fenster)
{
    fenster.timerHinweiseAn();
    ListenAuswahl(ctx, liste, QStringLiteral("save"));
}

} // namespace mirbelon
