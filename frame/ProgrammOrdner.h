#pragma once

#include <QString>

namespace mirbelon {

class Context;

// Resolves the program, family, temp and data folders once per run; the ini
// store calls it on its first use while the family folder is still empty.
void OrdnerErmitteln(Context &ctx);

// The program's name, from the executable's file name without extension. The
// standard executable, spelled in lower case as programs here are, keeps its
// name "Mirbelon".
QString ProgrammName(const QString &programmDatei);

// The first existing companion file of the program in the fixed search order
// (data, program, executable's, family, current, Windows, system folder, the tools folder
// on C: and H:); "" when none.
QString ProgrammDateiSuchen(Context &ctx, const QString &dateiName);

} // namespace mirbelon
