#pragma once

#include <QString>

namespace mirbelon {

class Context;

// Writes one line to the debug log when it is on. "clr" empties the log and
// writes the header, "inf" writes the header; "[]" starts a heading.
void DebugLog(Context &ctx, const QString &text);
// Appends a time-stamped line to a usage file (default: data folder + "\" +
// program name + ".use").
void NutzungsLog(Context &ctx, const QString &text, const QString &datei = QString());
// The multi-line system report of the header and the error report's e-mail.
QString SystemBericht(Context &ctx);

} // namespace mirbelon
