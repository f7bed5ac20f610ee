#pragma once

#include <QString>

namespace mirbelon {

class Context;
class Fenster;
class FotoListe;

// Menu "&Fotos löschen...": asks whether all photos, the marked ones or
// none are deleted on the source (Cancel is the default), then puts a
// safety copy of each into the temp folder under a name no other copy holds,
// and deletes the photo only when that copy, and the archive copy this
// program run made of it, read back from the disk as the card's bytes;
// scans the source again at the end.
void mnuLoeschenAlle(Context &ctx, FotoListe &liste, Fenster &fenster);

// Menu "&Temporär abgelegte Fotos löschen": offers to delete the safety
// copies that the deletion put into the temp folder, and nothing else.
// Called at start-up with `vomMenue` false, when it deletes nothing.
void mnuLoeschenTmp(Context &ctx, bool vomMenue);

} // namespace mirbelon
