#pragma once

#include <QString>

#include <functional>

namespace mirbelon {

class Context;
class Fenster;
class FotoListe;

// Free bytes and capacity of the disk that holds `pfad`; 0 when it cannot be queried.
double PlatzFrei(Context &ctx, const QString &pfad);
double PlatzGesamt(Context &ctx, const QString &pfad);

// Tick of TimerHinweise: counts and sizes of the marked and all photos, the
// card's space, the archive name of the current photo (`zielName` gets its
// index; " Foto nicht vorhanden " for a file that is not there), a film's
// running time once its preview has read it, and the photo-date hint.
// "Status" goes back to "Bereit", or shows a hint still fresh, or says
// "Karte entfernt" while the source is gone. Letters given to new media are kept.
void HinweiseTick(Context &ctx, const FotoListe &liste, Fenster &fenster,
    const std::function<QString(int)> &zielName);

// Shows `text` in "Status" now, and in place of "Bereit" for a while.
void HinweisZeigen(Context &ctx, Fenster &fenster, const QString &text);

} // namespace mirbelon
