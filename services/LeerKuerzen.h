#pragma once

#include <QString>

namespace mirbelon {

// Removes blanks (only " ") at both ends; tabs and line breaks stay.
QString LeerKuerzen(const QString &text);

} // namespace mirbelon
