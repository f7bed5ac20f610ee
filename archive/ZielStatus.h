#pragma once

namespace mirbelon {

class Context;
class Fenster;

// bezZ: free space of the file system that holds the expanded target folder
// (or would hold it, when it is still to be made) and the number of files
// directly in it (neither folders nor hidden files). A folder that does not
// exist yet says so instead of a count. Settings changed on disk are read
// first. Never reports errors.
void befZUpdate(Context &ctx, Fenster &fenster);

// Lets the user pick any file in the wanted folder; its folder becomes txtZ.
void befZSuche(Context &ctx, Fenster &fenster);

// The "Statistik" panel: photos of the current camera copied and seen.
void TimerInfoTick(Context &ctx, Fenster &fenster);

} // namespace mirbelon
