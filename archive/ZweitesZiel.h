#pragma once

#include <QString>

namespace mirbelon {

class Context;
class Fenster;

// "ZweitesZiel" in [Mirbelon]: the folder that gets a second copy of every
// photo, placeholders as in the target folder; empty: none.
QString ZweitesZiel(Context &ctx);

// Menu "Zweites Ziel (Sicherungskopie)...": asks for that folder and keeps it.
void mnuZweitesZiel(Context &ctx, Fenster &fenster);

} // namespace mirbelon
