#pragma once

#include <QString>

namespace mirbelon {

// True when the last four characters of `pfad`, lower-cased, occur anywhere
// in the lower-cased `typen`. Type lists such as "*.jpg;*.avi" are not parsed
// into patterns, so ".jpeg" only fits a text that contains "jpeg".
bool TypPasst(const QString &pfad, const QString &typen);

} // namespace mirbelon
