#pragma once

#include "frame/Kontakt.h"

#include <QString>

namespace mirbelon {

// Configuration values of the maker; the support address lives with the
// debug log, which names it too.
inline const QString kHomepage = QStringLiteral("https://mirbelon.example/");
inline const QString kDownloadSeite = QStringLiteral("https://mirbelon.example/download");

} // namespace mirbelon
