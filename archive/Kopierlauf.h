#pragma once

#include <QString>

namespace mirbelon {

class Context;
class Fenster;
class FotoListe;

// Menu "&Kopieren": copies every marked photo into the target folder under
// its target name, keeps the statistics and the speed, runs the card's
// commands, asks the delete question and ends the program when the list has
// become empty. Works on the list as it was at the start; refused while
// another run or a scan is going on.
void mnuKopieren(Context &ctx, FotoListe &liste, Fenster &fenster);

// Makes the folder with all its missing parents; only folders whose path is
// longer than 4 characters are made. Failures are ignored.
void OrdnerAnlegen(Context &ctx, const QString &pfad);

} // namespace mirbelon
