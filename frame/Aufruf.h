#pragma once

#include <QString>
#include <QStringList>

namespace mirbelon {

class FileSystem;

// Kommandozeile(argumente) of the text routines, where a host path or
// file:// URI, alone or behind "Quelle=", becomes "Quelle=" with its program
// path. Relative paths ("./x", "../x") count from `arbeitsordner`.
QString Kommandozeile(const FileSystem &files, const QStringList &argumente,
                      const QString &arbeitsordner);

} // namespace mirbelon
