#pragma once

namespace mirbelon {

class Context;
class Fenster;
class FotoListe;

// A source that went while its photos were listed (a card pulled out, a
// folder deleted) empties the list, as a scan would, and the status line
// says "Karte entfernt" until the next scan; when the source is back, it is
// read again. Nothing happens during a scan or a copy or delete run, which
// keep their own snapshot.
void QuelleNochDa(Context &ctx, FotoListe &liste, Fenster &fenster);

} // namespace mirbelon
