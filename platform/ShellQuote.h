#pragma once

#include <QString>

namespace mirbelon {

// One word for /bin/sh: the text in single quotes, inner quotes escaped, so
// that no file name can become a command.
QString shellQuote(const QString &word);

} // namespace mirbelon
