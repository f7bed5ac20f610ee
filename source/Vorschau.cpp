#include "source/Vorschau.h"

#include "frame/Context.h"
#include "source/DateiTyp.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace mirbelon {

namespace {

const QString kVorschauTypen = QStringLiteral(".bmp.gif.jpg");
constexpr double kTwipsJePixel = 15.0;

struct VorschauBild
{
    QImage bild;
    QSize box; // twips
};

QSize VerfuegbarerPlatz(const VorschauGeometrie &g)
{
    return { g.innenBreite - g.vorschauLinks - g.frame1Links, g.innenHoehe - 1000 };
}

// An empty box (no picture, or one that cannot be read) keeps the 4:3 shape
// the layout gives the preview.
QSize BoxFuer(const QSize &platz, const QSize &natur)
{
    const QSize form = natur.isValid() && !natur.isEmpty() ? natur : QSize(4, 3);
    return VorschauGroesse(platz.width(), platz.height(), form.width(), form.height());
}

// The decoded size: the box in pixels, never above the picture's own size.
QSize DekodierGroesse(const QSize &natur, const QSize &box)
{
    const QSize pixel(std::max(1, static_cast<int>(std::lround(box.width() / kTwipsJePixel))),
        std::max(1, static_cast<int>(std::lround(box.height() / kTwipsJePixel))));
    if (pixel.width() >= natur.width() || pixel.height() >= natur.height())
        return natur;
    return pixel;
}

VorschauBild BildLaden(Context &ctx, VorschauCache &cache, const QString &pfad, const QSize &platz)
{
    if (pfad.isEmpty() || !TypPasst(pfad, kVorschauTypen))
        return { QImage(), BoxFuer(platz, {}) };

    const qint64 bytes = ctx.host.files.size(pfad);
    const QDateTime zeit = ctx.host.files.modified(pfad).value_or(QDateTime());
    if (const VorschauCache::Eintrag *e = cache.finden(pfad, bytes, zeit)) {
        const QSize box = BoxFuer(platz, e->natur);
        if (e->bild.size() == DekodierGroesse(e->natur, box))
            return { e->bild, box };
    }

    const std::optional<QByteArray> daten = ctx.host.files.readAll(pfad);
    if (!daten)
        return { QImage(), BoxFuer(platz, {}) };
    QBuffer puffer;
    puffer.setData(*daten);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer);
    QSize natur = leser.size();
    QImage bild;
    if (natur.isValid() && !natur.isEmpty()) {
        const QSize groesse = DekodierGroesse(natur, BoxFuer(platz, natur));
        if (groesse != natur)
            leser.setScaledSize(groesse);
        bild = leser.read();
    } else {
        bild = leser.read();
        natur = bild.size();
    }
    if (bild.isNull())
        return { QImage(), BoxFuer(platz, natur) };
    cache.ablegen({ pfad, bytes, zeit, natur, bild });
    return { bild, BoxFuer(platz, natur) };
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

void ListeKlick(Context &ctx, FotoListe &liste, Fenster &fenster, VorschauCache &cache)
{
    if (liste.versteckt())
        return;
    const QString pfad = liste.aktuellerPfad();
    BusyPointer busy(ctx.host.dialogs);
    if (fenster.vorschauAn()) {
        fenster.versteckeVorschau();
        const VorschauBild vb
            = BildLaden(ctx, cache, pfad, VerfuegbarerPlatz(fenster.vorschauGeometrie()));
        fenster.zeigeVorschau(vb.bild, vb.box.width(), vb.box.height());
        ctx.host.desktop.redraw();
        if (liste.aktuell() >= 0)
            fenster.setKreuzSichtbar(!liste.markiert(liste.aktuell()));
    }
    fenster.timerHinweiseAn();
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

void DokumentOeffnen(Context &ctx, const QString &pfad)
{
    if (pfad.isEmpty())
        return;
    BusyPointer busy(ctx.host.dialogs);
    ctx.host.processes.openDocument(pfad);
}

void FotoOeffnen(Context &ctx, const FotoListe &liste)
{
    DokumentOeffnen(ctx, liste.aktuellerPfad());
}

} // namespace mirbelon
