#pragma once

#include <QString>

namespace mirbelon {

// Replaces every occurrence of `suche`, ignoring case; inserted text is not
// searched again. An empty `suche` inserts `ersatz` once per input character.
QString Ersetzen(const QString &text, const QString &suche, const QString &ersatz);

// Lower case character by character: the length never changes, so positions
// found in the result are valid in `text`.
QString KleinBuchstaben(const QString &text);

} // namespace mirbelon
