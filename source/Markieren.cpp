#include "source/Markieren.h"

#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "source/Vorschau.h"

#include <algorithm>
#include <vector>

namespace mirbelon {

void mnuMarkieren(FotoListe &liste, Fenster &fenster, int index)
{
    liste.setVersteckt(true);
    std::vector<char> marken = liste.marken();
    switch (index) {
    case 0:
        std::fill(marken.begin(), marken.end(), 1);
        break;
    case 1:
        std::fill(marken.begin(), marken.end(), 0);
        break;
    case 2:
        for (char &m : marken)
            m = m ? 0 : 1;
        break;
    case 3:
        std::fill(marken.begin() + std::max(liste.aktuell(), 0), marken.end(), 1);
        break;
    default:
        break;
    }
    liste.setMarken(marken);
    liste.setVersteckt(false);
    // The preview was left alone while the list was hidden; its cross must
    // not keep telling the old mark of the current photo.
    KreuzAuffrischen(liste, fenster);
    fenster.timerHinweiseAn();
    fenster.timerInfoAn();
}

void mnuMarkierenJmp(FotoListe &liste, int index)
{
    if (index != 0 && index != 1)
        return;
    const int schritt = index == 0 ? -1 : 1;
    const int anzahl = liste.anzahl();
    int position = liste.aktuell();
    for (int gezaehlt = 1; gezaehlt <= anzahl; ++gezaehlt) {
        position += schritt;
        if (position < 0)
            position = anzahl - 1;
        else if (position > anzahl - 1)
            position = 0;
        if (liste.markiert(position)) {
            liste.setAktuell(position);
            return;
        }
    }
}

} // namespace mirbelon
