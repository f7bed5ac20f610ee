#pragma once

namespace mirbelon {

class Context;
class Main;

// Moves the settings of Mirbelon.ini into the window at start-up. Setting
// the combo boxes runs their reactions, so the order below is the order of
// the first scan and the first target refresh.
void KonfigLaden(Context &ctx, Main &fenster);
// Writes the window's values back at the end; folders and the preview
// switch only when "Einstellungen sichern" is checked.
void KonfigSpeichern(Context &ctx, Main &fenster);

} // namespace mirbelon
