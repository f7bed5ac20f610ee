#include "app/Layout.h"

namespace mirbelon {

LayoutMasse LayoutAnwenden(LayoutMasse m, int innenBreite, int innenHoehe)
{
    if (innenHoehe > 4000) {
        m.frame2Oben = innenHoehe - m.frame2Hoehe - 360;
        m.frame1Hoehe = m.frame2Oben - 600;
        m.listeHoehe = m.frame1Hoehe - m.listeOben - 80;
    }
    if (innenBreite > 6800) {
        m.vorschauBreite = innenBreite - m.vorschauLinks - m.frame1Links;
        m.vorschauHoehe = m.vorschauBreite * 864 / 1152;
    }
    return m;
}

} // namespace mirbelon
