#pragma once

#include "source/VorschauDekoder.h"

#include <QByteArray>
#include <QSize>

namespace mirbelon {

// The picture of a HEIF file (.heic, .heif, .hif) whose bytes are `daten`, for
// a box of `platz` twips, decoded with libheif, which turns and mirrors it as
// the file's properties say: upright already, so no EXIF orientation may turn
// it again. Of the main picture and those of its thumbnails that stand as it
// does, the smallest that fills the box is decoded. Runs on a worker; a null
// picture when nothing decodes.
VorschauPixel HeifDekodieren(const QByteArray &daten, const QSize &platz);

} // namespace mirbelon
