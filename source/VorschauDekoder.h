#pragma once

#include "source/DateiTyp.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QSize>

#include <optional>

namespace mirbelon {

// The preview box in twips for a picture of `natur` pixels in `platz` twips;
// a picture of no size (none, or unreadable) gets the 4:3 box of the layout.
QSize BoxFuer(const QSize &platz, const QSize &natur);
// The decoded size: the box in pixels, never above the picture's own size.
QSize DekodierGroesse(const QSize &natur, const QSize &box);

// Of the preview images a RAW file carries (upright sizes), the one to show
// in `platz` twips: the smallest that fills the box, or the largest when
// none does. -1 when there is none.
int VorschauWahl(const QList<QSize> &groessen, const QSize &platz);

struct VorschauPixel
{
    QImage bild; // upright, at the size it is shown; null when nothing decodes
    QSize natur; // the upright picture's own size in pixels
    std::optional<QDateTime> aufnahme; // the capture date, from the same reading
    qint64 filmMs = -1; // a film's running time, 0 when it does not say; -1 for a photo
};

// Runs on a worker: the picture of one file for a box of `platz` twips. A RAW
// file shows the embedded preview image that is the smallest to still fill
// the box, or its largest when none does; a film its first key frame.
VorschauPixel VorschauDekodieren(const QByteArray &hostPfad, VorschauArt art, const QSize &platz);

} // namespace mirbelon
