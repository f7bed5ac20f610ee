#pragma once

#include <QRect>

namespace mirbelon {

// Window positions are given in twips; 15 twips are one pixel at 96 dpi.
constexpr int kTwipsProPixel = 15;

constexpr int zuPixel(int twips) { return twips / kTwipsProPixel; }
constexpr int zuTwips(int pixel) { return pixel * kTwipsProPixel; }
inline QRect twipsRect(int links, int oben, int breite, int hoehe)
{
    return {zuPixel(links), zuPixel(oben), zuPixel(breite), zuPixel(hoehe)};
}

} // namespace mirbelon
