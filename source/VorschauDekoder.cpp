#include "source/VorschauDekoder.h"

#include "source/FilmDatei.h"
#include "source/FotoMetadaten.h"
#include "source/HeifBild.h"
#include "source/Vorschau.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace mirbelon {

namespace {

constexpr double kTwipsJePixel = 15.0;
// The most a picture may take while it is read whole, for formats that cannot
// scale while reading (BMP): a 12000 x 8000 picture takes 367 MiB.
constexpr qint64 kGanzHoechstensMiB = 1024;

// Raises Qt's allocation limit for the life of this object when the reader
// must decode the whole picture before it can scale it and the picture needs
// more than the limit allows. Previews are decoded one at a time, so nothing
// else reads photos meanwhile.
class GanzesBildErlauben
{
public:
    GanzesBildErlauben(QImageReader &leser, const QSize &gespeichert)
        : m_vorher(QImageReader::allocationLimit())
    {
        if (m_vorher <= 0 || leser.supportsOption(QImageIOHandler::ScaledSize))
            return;
        const qint64 mib = (qint64(gespeichert.width()) * gespeichert.height() * 4 >> 20) + 1;
        if (mib > m_vorher && mib <= kGanzHoechstensMiB) {
            QImageReader::setAllocationLimit(static_cast<int>(mib));
            m_erhoeht = true;
        }
    }
    ~GanzesBildErlauben()
    {
        if (m_erhoeht)
            QImageReader::setAllocationLimit(m_vorher);
    }
    GanzesBildErlauben(const GanzesBildErlauben &) = delete;
    GanzesBildErlauben &operator=(const GanzesBildErlauben &) = delete;

private:
    int m_vorher;
    bool m_erhoeht = false;
};

// Decodes `daten` upright for `platz`; `natur` is the stored size when known.
VorschauPixel Dekodieren(const QByteArray &daten, int ausrichtung, const QSize &platz)
{
    QBuffer puffer;
    puffer.setData(daten);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer);
    // The orientation comes from exiv2 for every type, so Qt must not turn it too.
    leser.setAutoTransform(false);
    const QSize gespeichert = leser.size();
    if (gespeichert.isValid() && !gespeichert.isEmpty()) {
        const QSize natur = AufrechteGroesse(gespeichert, ausrichtung);
        const QSize groesse = DekodierGroesse(natur, BoxFuer(platz, natur));
        if (groesse != natur)
            leser.setScaledSize(AufrechteGroesse(groesse, ausrichtung));
        const GanzesBildErlauben erlaubt(leser, gespeichert);
        const QImage bild = leser.read();
        return { Aufrichten(bild, ausrichtung), bild.isNull() ? QSize() : natur, {}, -1 };
    }
    const QImage bild = Aufrichten(leser.read(), ausrichtung);
    return { bild, bild.size(), {}, -1 };
}

// Whether a picture of `natur` (upright) has at least the pixels of its box.
bool Fuellt(const QSize &natur, const QSize &platz)
{
    const QSize box = BoxFuer(platz, natur);
    return natur.width() * kTwipsJePixel >= box.width() && natur.height() * kTwipsJePixel >= box.height();
}

} // namespace

QSize BoxFuer(const QSize &platz, const QSize &natur)
{
    const QSize form = natur.isValid() && !natur.isEmpty() ? natur : QSize(4, 3);
    return VorschauGroesse(platz.width(), platz.height(), form.width(), form.height());
}

QSize DekodierGroesse(const QSize &natur, const QSize &box)
{
    const QSize pixel(std::max(1, static_cast<int>(std::lround(box.width() / kTwipsJePixel))),
        std::max(1, static_cast<int>(std::lround(box.height() / kTwipsJePixel))));
    if (pixel.width() >= natur.width() || pixel.height() >= natur.height())
        return natur;
    return pixel;
}

int VorschauWahl(const QList<QSize> &groessen, const QSize &platz)
{
    const auto flaeche = [](const QSize &g) { return qint64(g.width()) * g.height(); };
    int wahl = -1;
    for (int i = 0; i < groessen.size(); ++i) {
        if (wahl < 0) {
            wahl = i;
            continue;
        }
        const bool fuellt = Fuellt(groessen[i], platz);
        const bool bisherFuellt = Fuellt(groessen[wahl], platz);
        const bool kleiner = flaeche(groessen[i]) < flaeche(groessen[wahl]);
        if (fuellt != bisherFuellt ? fuellt : kleiner == fuellt)
            wahl = i;
    }
    return wahl;
}

VorschauPixel VorschauDekodieren(const QByteArray &hostPfad, VorschauArt art, const QSize &platz)
{
    if (art == VorschauArt::Film) {
        const FilmDatei film(hostPfad);
        VorschauPixel ergebnis = film.bild(platz);
        ergebnis.aufnahme = AufnahmeDatum(hostPfad, &film);
        return ergebnis;
    }
    const BildDatei datei(hostPfad);
    const int ausrichtung = datei.ausrichtung();
    VorschauPixel ergebnis;
    if (art == VorschauArt::Heif) {
        ergebnis = HeifDekodieren(datei.daten(), platz);
    } else if (art != VorschauArt::Roh) {
        ergebnis = Dekodieren(datei.daten(), ausrichtung, platz);
    } else {
        QList<QSize> aufrecht;
        for (const QSize &g : datei.vorschauGroessen())
            aufrecht.append(AufrechteGroesse(g, ausrichtung));
        const int wahl = VorschauWahl(aufrecht, platz);
        if (wahl >= 0)
            ergebnis = Dekodieren(datei.vorschau(wahl), ausrichtung, platz);
    }
    // Pixels of a card pulled meanwhile are not the photo's: none is shown.
    if (datei.beschaedigt())
        return {};
    ergebnis.aufnahme = datei.aufnahme();
    return ergebnis;
}

} // namespace mirbelon
