#pragma once

#include <QString>

namespace mirbelon {

// Replaces every occurrence of `suche`, ignoring case; inserted text is not
// searched again. An empty `suche` inserts `ersatz` once per input character.
QString Ersetzen(const QString &text, const QString &suche, const QString &ersatz);

} // namespace mirbelon
