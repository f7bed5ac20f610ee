#pragma once

#include <QString>

namespace mirbelon {

class Context;

// Proper case with the exception list "ImmerKlein" of section "Adressen" in
// Brenlo.ini followed by the fixed list.
QString GrossKlein(Context &ctx, const QString &text);

// The exception list that GrossKlein reads, for callers that apply it to
// many texts in one go with GrossKleinMitAusnahmen.
QString GrossKleinAusnahmen(Context &ctx);

} // namespace mirbelon
