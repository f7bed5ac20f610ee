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

// Rows of the target frame in pixels, from the font's line height and the
// height of a combo box, so that no text hides another: bezZ gets three lines
// (a long count text wraps), the date hint a line of its own below it, then
// the name pattern and the progress bar with the design's gaps.
struct ZielZeilen
{
    int bezZOben = 0;
    int bezZHoehe = 0;
    int hinweisOben = 0;
    int hinweisHoehe = 0;
    int musterOben = 0;
    int musterHoehe = 0;
    int fortschrittOben = 0;
    int fortschrittHoehe = 0;
    int frameHoehe = 0;
};
ZielZeilen ZielZeilenBerechnen(int zeilenHoehe, int comboHoehe);

} // namespace mirbelon
