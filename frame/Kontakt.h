#pragma once

#include <QString>

namespace mirbelon {

// The maker's support address, named in the debug log's header and used by
// the error report.
inline const QString kSupportAdresse = QStringLiteral("support@mirbelon.example");

} // namespace mirbelon
