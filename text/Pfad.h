#pragma once

#include <QString>

namespace mirbelon {

// Splits a program path. Modes: -2 drive ("C:" or "\\server\share"),
// -1 drive and folder without the closing "\", 0 with it, 1 name without
// extension, 2 extension without the dot, 3 file name; any other mode "".
QString PfadTeil(const QString &pfad, int modus);

// Removes characters from the end while the last one is one of `zeichen`.
QString RechtsKuerzen(const QString &text, const QString &zeichen);

} // namespace mirbelon
