#pragma once

#include <QString>

namespace mirbelon {

class Context;

// Expands the general placeholders in braces and the environment references
// of a text against the current date and time (the placeholder engine with
// the program's outside data: ini values, folders, user name, files).
QString Vario(Context &ctx, const QString &text);

} // namespace mirbelon
