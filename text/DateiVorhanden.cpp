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

bool HatNormaleDatei(const FileSystem &files, const QString &ordner)
{
    const auto eintraege = files.list(ordner);
    if (!eintraege)
        return false;
    for (const DirEntry &e : *eintraege) {
        if (!e.isFolder && !e.isHidden)
            return true;
    }
    return false;
}

} // namespace mirbelon
