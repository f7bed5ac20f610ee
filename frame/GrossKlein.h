#pragma once

#include <QString>

namespace mirbelon {

class Context;

// Proper case with the exception list "ImmerKlein" of section "Adressen" in
// Brenlo.ini followed by the fixed list.
QString GrossKlein(Context &ctx, const QString &text);

} // namespace mirbelon
