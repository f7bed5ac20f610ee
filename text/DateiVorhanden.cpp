#include "text/DateiVorhanden.h"

#include "platform/FileSystem.h"

namespace mirbelon {

bool DateiVorhanden(const FileSystem &files, const QString &pfad)
{
    // Wildcards would make the host match some other file; refuse them unopened.
    if (pfad.isEmpty() || pfad.contains(QLatin1Char('*')) || pfad.contains(QLatin1Char('?')))
        return false;
    return files.canRead(pfad);
}

} // namespace mirbelon
