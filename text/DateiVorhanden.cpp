#include "text/DateiVorhanden.h"

#include "platform/FileSystem.h"

namespace mirbelon {

bool DateiVorhanden(const FileSystem &files, const QString &pfad)
{
    if (pfad.isEmpty() || HatJoker(pfad))
        return false;
    return files.canRead(pfad);
}

bool HatJoker(const QString &pfad)
{
    return pfad.contains(QLatin1Char('*')) || pfad.contains(QLatin1Char('?'));
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
