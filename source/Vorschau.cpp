#include "source/Vorschau.h"

#include "frame/Context.h"
#include "source/DateiTyp.h"
#include "source/Fenster.h"
#include "source/FotoDatum.h"
#include "source/FotoListe.h"
#include "source/VorschauDekoder.h"

#include <QFile>

#include <algorithm>
#include <cmath>

namespace mirbelon {

namespace {

QSize VerfuegbarerPlatz(const VorschauGeometrie &g)
{
    return { g.innenBreite - g.vorschauLinks - g.frame1Links, g.innenHoehe - 1000 };
}

void Zeigen(Fenster &fenster, Context &ctx, const QImage &bild, const QSize &box)
{
    fenster.zeigeVorschau(bild, box.width(), box.height());
    ctx.host.desktop.redraw();
}

// The picture of the current photo: from the cache at once, otherwise asked of
// the worker, and shown when it is ready, unless another photo was asked for
// since. A file that cannot be previewed gets the empty box at once.
void BildAnfordern(Context &ctx, FotoListe &liste, Fenster &fenster, VorschauLader &lader,
    const FileRef &datei, const QSize &platz)
{
    const QString &pfad = datei.path;
    const VorschauArt art = ArtVon(pfad);
    // Only a regular file reaches a decoder: a FIFO would block its read.
    const std::optional<FileStamp> stempel
        = art == VorschauArt::Keine ? std::nullopt : ctx.host.files.stamp(datei);
    const QByteArray host = stempel ? ctx.host.files.hostFile(datei) : QByteArray();
    if (!stempel || host.isEmpty()) {
        lader.verwerfen();
        Zeigen(fenster, ctx, QImage(), BoxFuer(platz, {}));
        return;
    }
    // One text may stand for two files (names that differ in case only).
    const QString schluessel = pfad + QLatin1Char('\n') + QLatin1String(host.toPercentEncoding());
    const QDateTime zeit = QDateTime::fromMSecsSinceEpoch(stempel->modifiedMs);
    if (const VorschauCache::Eintrag *e = lader.cache().finden(schluessel, stempel->size, zeit)) {
        const QSize box = BoxFuer(platz, e->natur);
        if (e->bild.size() == DekodierGroesse(e->natur, box)) {
            lader.verwerfen();
            Zeigen(fenster, ctx, e->bild, box);
            return;
        }
    }
    VorschauAuftrag auftrag{ schluessel, stempel->size, zeit, host, art, platz, ctx.lauf == Lauf::Kopieren,
        &ctx.host.files };
    const FileStamp s = *stempel;
    lader.anfordern(std::move(auftrag),
        [&ctx, &liste, &fenster, &lader, s](const VorschauAuftrag &a, const VorschauPixel &p) {
            AufnahmeMerken(ctx, a.hostPfad, s, { p.aufnahme, p.filmMs });
            if (!p.bild.isNull())
                lader.cache().ablegen({ a.pfad, a.bytes, a.zeit, p.natur, p.bild });
            // The status bar names a film's running time once it is known.
            if (p.filmMs >= 0)
                fenster.timerHinweiseAn();
            if (fenster.vorschauAn() && !liste.versteckt())
                Zeigen(fenster, ctx, p.bild, BoxFuer(a.platz, p.natur));
        });
}

} // namespace

QSize VorschauGroesse(int verfuegbarBreite, int verfuegbarHoehe, int bildBreite, int bildHoehe)
{
    if (bildBreite <= 0 || bildHoehe <= 0)
        return { 0, 0 };
    const double verhaeltnis = static_cast<double>(bildBreite) / bildHoehe;
    double breite = std::max(verfuegbarBreite, 0);
    double hoehe = breite / verhaeltnis;
    if (hoehe > verfuegbarHoehe) {
        hoehe = std::max(verfuegbarHoehe, 0);
        breite = hoehe * verhaeltnis;
    }
    return { static_cast<int>(std::lround(breite)), static_cast<int>(std::lround(hoehe)) };
}

void ListeKlick(Context &ctx, FotoListe &liste, Fenster &fenster, VorschauLader &lader)
{
    if (liste.versteckt())
        return;
    const FileRef datei = liste.aktuelleDatei();
    BusyPointer busy(ctx.host.dialogs);
    if (fenster.vorschauAn()) {
        // The cross follows the list at once; the picture when it is decoded.
        KreuzAuffrischen(liste, fenster);
        BildAnfordern(ctx, liste, fenster, lader, datei, VerfuegbarerPlatz(fenster.vorschauGeometrie()));
    }
    fenster.timerHinweiseAn();
}

void KreuzAuffrischen(const FotoListe &liste, Fenster &fenster)
{
    if (fenster.vorschauAn() && liste.aktuell() >= 0)
        fenster.setKreuzSichtbar(!liste.markiert(liste.aktuell()));
}

void VorschauSchalter(FotoListe &liste, Fenster &fenster)
{
    if (!fenster.vorschauAn()) {
        fenster.versteckeVorschau();
        return;
    }
    if (liste.anzahl() == 0)
        return;
    const int c = std::max(liste.aktuell(), 0);
    const int o = c == liste.anzahl() - 1 ? 0 : c + 1;
    // With one photo already current neither move is a change, and the
    // preview would stay hidden, so it is drawn directly.
    const bool keineAenderung = liste.aktuell() == c && o == c;
    liste.setAktuell(o);
    liste.setAktuell(c);
    if (keineAenderung)
        liste.klicken();
}

namespace {

// Opens `ziel`; a failure is reported under the name the user knows, `pfad`.
void Oeffnen(Context &ctx, Fenster &fenster, const QString &ziel, const QString &pfad)
{
    if (ziel.isEmpty())
        return;
    BusyPointer busy(ctx.host.dialogs);
    const auto melden = [&fenster, pfad] {
        fenster.setPanel(QStringLiteral("Status"), pfad + QStringLiteral(" konnte nicht geöffnet werden."));
    };
    if (!ctx.host.processes.openDocument(ziel, melden))
        melden();
}

} // namespace

void DokumentOeffnen(Context &ctx, Fenster &fenster, const QString &pfad)
{
    Oeffnen(ctx, fenster, pfad, pfad);
}

void FotoOeffnen(Context &ctx, Fenster &fenster, const FotoListe &liste)
{
    // As a file URL, byte for byte: the entry's text may name another file or none.
    const FileRef datei = liste.aktuelleDatei();
    const QByteArray host = ctx.host.files.hostFile(datei);
    if (!host.isEmpty())
        Oeffnen(ctx, fenster, QLatin1String("file://" + host.toPercentEncoding("/")), datei.path);
}

} // namespace mirbelon
