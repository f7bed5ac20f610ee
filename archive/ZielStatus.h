#pragma once

namespace mirbelon {

class Context;
class Fenster;

// bezZ: free space of the target's drive and the number of files directly
// in the expanded target folder (neither folders nor hidden files). A folder
// that does not exist yet says so instead of a count. Never reports errors.
void befZUpdate(Context &ctx, Fenster &fenster);

// Lets the user pick any file in the wanted folder; its folder becomes txtZ.
void befZSuche(Context &ctx, Fenster &fenster);

// The "Statistik" panel: photos of the current camera copied and seen.
void TimerInfoTick(Context &ctx, Fenster &fenster);

} // namespace mirbelon
