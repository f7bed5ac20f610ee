#pragma once

#include <QString>

namespace mirbelon {

// Removes blanks (only " ") at both ends; tabs and line breaks stay, so a
// value that ends in a line break keeps it.
QString Trimmen(const QString &text);

} // namespace mirbelon
