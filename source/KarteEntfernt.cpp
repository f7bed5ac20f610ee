#include "source/KarteEntfernt.h"

#include "frame/Context.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "source/Scan.h"

namespace mirbelon {

void QuelleNochDa(Context &ctx, FotoListe &liste, Fenster &fenster)
{
    if (ctx.lauf != Lauf::Keiner || ctx.scanLaeuft)
        return;
    const QString quelle = fenster.quelle();
    const bool da = !quelle.isEmpty() && ctx.host.files.isFolder(quelle);
    if (ctx.karteEntfernt) {
        if (da)
            QuelleScannen(ctx, liste, fenster);
        return;
    }
    if (da || liste.anzahl() == 0)
        return;
    liste.leeren();
    ctx.karteEntfernt = true;
    fenster.versteckeVorschau();
    fenster.setKreuzSichtbar(false);
}

} // namespace mirbelon
