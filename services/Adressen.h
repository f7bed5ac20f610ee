#pragma once

#include <QString>

namespace mirbelon {

// Configuration values of the maker.
inline const QString kSupportAdresse = QStringLiteral("support@mirbelon.example");
inline const QString kHomepage = QStringLiteral("https://mirbelon.example/");
inline const QString kDownloadSeite = QStringLiteral("https://mirbelon.example/download");

} // namespace mirbelon
