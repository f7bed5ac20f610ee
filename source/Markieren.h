#pragma once

namespace mirbelon {

class Fenster;
class FotoListe;

// The marking commands of "&Markieren": 0 all, 1 none, 2 invert, 3 from the
// current entry (entry 0 when there is none) to the last; any other index
// changes nothing. One bulk change while the list is hidden, so the preview
// is not redrawn for every mark; afterwards the cross follows the current
// photo's mark. The marks are not remembered here.
void mnuMarkieren(FotoListe &liste, Fenster &fenster, int index);

// 0 previous, 1 next marked entry, wrapping round the list. When nothing is
// marked the current entry stays.
void mnuMarkierenJmp(FotoListe &liste, int index);

} // namespace mirbelon
