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

ZielZeilen ZielZeilenBerechnen(int zeilenHoehe, int comboHoehe)
{
    ZielZeilen z;
    z.bezZOben = 72;
    z.bezZHoehe = 3 * zeilenHoehe;
    z.hinweisOben = z.bezZOben + z.bezZHoehe;
    z.hinweisHoehe = zeilenHoehe;
    z.musterOben = z.hinweisOben + z.hinweisHoehe + 2;
    z.musterHoehe = comboHoehe;
    z.fortschrittOben = z.musterOben + z.musterHoehe + 3;
    z.fortschrittHoehe = 13;
    z.frameHoehe = z.fortschrittOben + z.fortschrittHoehe + 4;
    return z;
}

} // namespace mirbelon
