#pragma once

#include "source/VorschauLader.h"

#include <QSize>
#include <QString>

namespace mirbelon {

class Context;
class Fenster;
class FotoListe;

// The preview box in twips for a picture of bildBreite x bildHoehe: the full
// available width, the height by the picture's ratio; when that is too high,
// the full available height and the width by the ratio.
QSize VorschauGroesse(int verfuegbarBreite, int verfuegbarHoehe, int bildBreite, int bildHoehe);

// Click reaction of ListBilder: the cross over an unmarked photo and the
// status bar hints at once, the preview picture of the current photo as soon
// as the worker has it. Nothing while the list is hidden. A picture that
// cannot be decoded leaves the box empty.
void ListeKlick(Context &ctx, FotoListe &liste, Fenster &fenster, VorschauLader &lader);

// The cross ImageFlag over the current photo while it is unmarked, when the
// preview is on; nothing without a current photo.
void KreuzAuffrischen(const FotoListe &liste, Fenster &fenster);

// Key reaction of ListBilder with its Windows virtual-key code (37
// left, 39 right: jump to the nearest marked entry, no wrap-around). Every
// key remembers the marks. True when the key is swallowed.
bool ListeTaste(Context &ctx, FotoListe &liste, Fenster &fenster, int tastenCode);

// Mouse-button release on ListBilder: hints, and the marks are remembered.
void ListeMausLos(Context &ctx, FotoListe &liste, Fenster &fenster);

// Click reaction of CheckPreview: off hides the preview; on shows the current
// entry (the first when there is none) by moving to the next one and back.
void VorschauSchalter(FotoListe &liste, Fenster &fenster);

// The system's "Open" action on a document or address; an empty path does
// nothing. When nothing could open it, the "Status" panel says so.
void DokumentOeffnen(Context &ctx, Fenster &fenster, const QString &pfad);

// mnuFotoOpen: opens the current photo.
void FotoOeffnen(Context &ctx, Fenster &fenster, const FotoListe &liste);

} // namespace mirbelon
