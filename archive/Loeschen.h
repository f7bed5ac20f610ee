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
// program run made of it, read back from the disk as the card's bytes and
// the card still holds the very file that was listed; scans the source
// again at the end. After a copy run "the marked" are those with an archive
// copy: the others stay, and one line says so.
void mnuLoeschenAlle(Context &ctx, FotoListe &liste, Fenster &fenster, bool nachKopierlauf = false);

// Menu "&Temporär abgelegte Fotos löschen": offers to delete the safety
// copies that the deletion put into the temp folder, and nothing else.
// Called at start-up with `vomMenue` false, when it only removes what a
// killed deletion was writing there.
void mnuLoeschenTmp(Context &ctx, bool vomMenue);

} // namespace mirbelon
