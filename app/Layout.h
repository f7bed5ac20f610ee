#pragma once

namespace mirbelon {

// Sizes the layout rule changes, in twips.
struct LayoutMasse
{
    int frame1Hoehe = 3735;
    int frame2Oben = 4560;
    int frame2Hoehe = 2175;
    int listeOben = 1080;
    int listeHoehe = 1860;
    int vorschauLinks = 3960;
    int vorschauBreite = 3735;
    int vorschauHoehe = 1335;
    int frame1Links = 120;
};

// The rule applied on every resize: above an inner height of 4000 twips the
// target frame moves down and the source frame and list grow; above an inner
// width of 6800 the preview takes the width with a 3:4 height. At or below
// a threshold that step keeps the last sizes.
LayoutMasse LayoutAnwenden(LayoutMasse masse, int innenBreite, int innenHoehe);

} // namespace mirbelon
