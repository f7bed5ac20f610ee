#pragma once

namespace mirbelon {

class Context;

// The settings of Mirbelon.ini that the program keeps for the run ("Formate",
// "FotoDatum", "Doppelte"), read with their defaults, and the file's stamp they were read at.
void EinstellungswerteLesen(Context &ctx);

// Reads them again when the settings file they were read from changed on
// disk since (the user edited it by hand). True when it was read again.
bool EinstellungenAuffrischen(Context &ctx);

} // namespace mirbelon
