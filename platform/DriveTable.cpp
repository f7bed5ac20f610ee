#include "platform/DriveTable.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace mirbelon {

namespace {

QString cleanFolder(const QString &folder)
{
    QString f = QDir::cleanPath(folder);
    while (f.size() > 1 && f.endsWith(QLatin1Char('/')))
        f.chop(1);
    return f;
}

bool isLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
           || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

} // namespace

DriveTable DriveTable::parse(const QString &tabelle)
{
    DriveTable table;
    for (const QString &pair : tabelle.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        const QString letter = pair.left(eq).trimmed();
        const QString folder = pair.mid(eq + 1).trimmed();
        if (eq < 0 || letter.size() != 1 || !isLetter(letter.at(0))
            || !folder.startsWith(QLatin1Char('/')))
            continue;
        table.add(letter.at(0), folder);
    }
    table.add(QLatin1Char('Z'), QStringLiteral("/"));
    return table;
}

DriveTable DriveTable::defaults(const QString &home, const QStringList &mountPoints)
{
    DriveTable table;
    table.add(QLatin1Char('C'), home);
    table.add(QLatin1Char('Z'), QStringLiteral("/"));
    return table.withMedia(mountPoints);
}

DriveTable DriveTable::withMedia(const QStringList &mountPoints) const
{
    QStringList mounted;
    for (const QString &m : mountPoints)
        mounted << cleanFolder(m);
    mounted.removeDuplicates();

    DriveTable table;
    for (const Drive &d : m_drives) {
        if (!d.medium || mounted.contains(d.folder))
            table.m_drives << d;
    }

    QStringList fresh;
    for (const QString &m : mounted) {
        const bool known = std::any_of(table.m_drives.cbegin(), table.m_drives.cend(),
                                       [&m](const Drive &d) { return d.folder == m; });
        if (!known)
            fresh << m; // the home folder, too, keeps its C:
    }
    // By the mount point's own name, the full path only breaking ties.
    std::sort(fresh.begin(), fresh.end(), [](const QString &a, const QString &b) {
        const int byName = QString::compare(QFileInfo(a).fileName(), QFileInfo(b).fileName(),
                                            Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a < b;
    });

    char next = 'D';
    for (const QString &m : fresh) {
        while (next < 'Z' && !table.folderOf(QLatin1Char(next)).isEmpty())
            ++next;
        if (next >= 'Z')
            break; // Z: stays the host root
        table.add(QLatin1Char(next), m, true);
    }
    return table;
}

QString DriveTable::folderOf(QChar letter) const
{
    const QChar upper = letter.toUpper();
    for (const Drive &d : m_drives) {
        if (d.letter == upper)
            return d.folder;
    }
    return QString();
}

QString DriveTable::toHost(const QString &programPath) const
{
    if (programPath.size() < 2 || programPath.at(1) != QLatin1Char(':'))
        return QString();
    const QString folder = folderOf(programPath.at(0));
    if (folder.isEmpty())
        return QString();

    // "." and ".." are settled here, as on the drive: ".." at the root stays there.
    QString rest = programPath.mid(2);
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    QStringList parts;
    for (const QString &part : rest.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != QLatin1String(".")) {
            parts << part;
        }
    }
    if (parts.isEmpty())
        return folder;
    const QString joined = parts.join(QLatin1Char('/'));
    return folder == QLatin1String("/") ? QLatin1Char('/') + joined
                                        : folder + QLatin1Char('/') + joined;
}

QString DriveTable::toProgram(const QString &hostPath) const
{
    if (hostPath.isEmpty())
        return QString();
    const QString path = cleanFolder(QDir::isAbsolutePath(hostPath)
                                         ? hostPath
                                         : QDir::current().absoluteFilePath(hostPath));
    const Drive *best = nullptr;
    for (const Drive &d : m_drives) {
        const bool inside = d.folder == QLatin1String("/") || path == d.folder
                            || path.startsWith(d.folder + QLatin1Char('/'));
        if (inside && (best == nullptr || d.folder.size() > best->folder.size()))
            best = &d;
    }
    if (best == nullptr)
        return QString();

    QString rest = best->folder == QLatin1String("/") ? path.mid(1)
                                                       : path.mid(best->folder.size() + 1);
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QString(best->letter) + QLatin1String(":\\") + rest;
}

void DriveTable::add(QChar letter, const QString &folder, bool medium)
{
    const QChar upper = letter.toUpper();
    if (!folderOf(upper).isEmpty())
        return; // the first naming of a letter holds
    const Drive drive{upper, cleanFolder(folder), medium};
    const auto pos = std::lower_bound(m_drives.begin(), m_drives.end(), upper,
                                      [](const Drive &d, QChar l) { return d.letter < l; });
    m_drives.insert(pos, drive);
}

} // namespace mirbelon
