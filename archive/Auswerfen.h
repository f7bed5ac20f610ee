#pragma once

#include <QString>

namespace mirbelon {

class Context;
class Fenster;

// Menu "Karte auswerfen": unmounts the source's card and powers its drive
// off through the host's disk service; the "Status" panel says how it went
// or why it did not.
void KarteAuswerfen(Context &ctx, Fenster &fenster);

// After a copy or delete run that began with photos listed and left none on
// the source `quelle`: its card is ejected the same way. A source on no
// removable drive (a folder on the hard disk) stays as it is, silently.
void LeereKarteAuswerfen(Context &ctx, Fenster &fenster, const QString &quelle);

} // namespace mirbelon
