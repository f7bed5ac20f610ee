#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>

namespace mirbelon {

// A picture held as three planes of 8-bit samples (red, green, blue), each
// `zeilen[i]` bytes a line, shrunk from `quelle` to `ziel` pixels (no larger
// than `quelle`): each pixel is the mean of the pixels it covers. A null
// picture when a size is empty or larger than it may be.
QImage RgbEbenenVerkleinert(
    const uint8_t *const ebenen[3], const int zeilen[3], const QSize &quelle, const QSize &ziel);

} // namespace mirbelon
