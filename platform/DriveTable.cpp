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

QString DriveTable::Medium::key() const
{
    return uuid.isEmpty() ? QStringLiteral("label:") + name() : QStringLiteral("uuid:") + uuid.toLower();
}

QString DriveTable::Medium::name() const
{
    return label.isEmpty() ? QFileInfo(cleanFolder(folder)).fileName() : label;
}

DriveTable DriveTable::defaults(const QString &home, const QList<Medium> &media, Memory &memory)
{
    DriveTable table;
    table.add(QLatin1Char('C'), home);
    table.add(QLatin1Char('Z'), QStringLiteral("/"));
    return table.withMedia(media, memory);
}

DriveTable DriveTable::withMedia(const QList<Medium> &media, Memory &memory) const
{
    QList<Medium> mounted;
    for (Medium m : media) {
        m.folder = cleanFolder(m.folder);
        const bool twice = std::any_of(mounted.cbegin(), mounted.cend(),
                                       [&m](const Medium &n) { return n.folder == m.folder; });
        if (!twice)
            mounted << m;
    }
    const auto isMounted = [&mounted](const QString &folder) {
        return std::any_of(mounted.cbegin(), mounted.cend(),
                           [&folder](const Medium &m) { return m.folder == folder; });
    };

    DriveTable table;
    for (const Drive &d : m_drives) {
        if (!d.medium || isMounted(d.folder))
            table.m_drives << d;
    }

    QList<Medium> fresh;
    for (const Medium &m : mounted) {
        const bool known = std::any_of(table.m_drives.cbegin(), table.m_drives.cend(),
                                       [&m](const Drive &d) { return d.folder == m.folder; });
        if (!known)
            fresh << m; // the home folder, too, keeps its C:
    }
    // By the mount point's own name, the full path only breaking ties.
    std::sort(fresh.begin(), fresh.end(), [](const Medium &a, const Medium &b) {
        const int byName = QString::compare(QFileInfo(a.folder).fileName(),
                                            QFileInfo(b.folder).fileName(), Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.folder < b.folder;
    });

    const auto isFree = [&table](QChar l) {
        return l >= QLatin1Char('D') && l < QLatin1Char('Z') && table.folderOf(l).isEmpty();
    };
    QList<Medium> lowest;
    for (const Medium &m : fresh) {
        const QChar kept = memory.key(m.key());
        if (!kept.isNull() && isFree(kept))
            table.add(kept, m.folder, &m);
        else
            lowest << m;
    }
    // A letter kept for a card not in now is no free one while others are.
    for (const Medium &m : lowest) {
        QChar letter;
        for (char l = 'D'; l < 'Z' && letter.isNull(); ++l) {
            if (isFree(QLatin1Char(l)) && !memory.contains(QLatin1Char(l)))
                letter = QLatin1Char(l);
        }
        for (char l = 'D'; l < 'Z' && letter.isNull(); ++l) {
            if (isFree(QLatin1Char(l)))
                letter = QLatin1Char(l);
        }
        if (letter.isNull())
            break; // Z: stays the host root
        table.add(letter, m.folder, &m);
    }

    // Each medium is kept under the letter it has now; of two media known
    // by one name, the one that holds the kept letter keeps it.
    const auto keyAt = [&table](QChar l) {
        for (const Drive &d : table.m_drives) {
            if (d.letter == l && d.medium)
                return d.key;
        }
        return QString();
    };
    for (const Drive &d : table.m_drives) {
        const QChar kept = memory.key(d.key);
        if (!d.medium || kept == d.letter || (!kept.isNull() && keyAt(kept) == d.key))
            continue;
        for (auto it = memory.begin(); it != memory.end();)
            it = it.value() == d.key ? memory.erase(it) : std::next(it);
        memory.insert(d.letter, d.key);
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

void DriveTable::add(QChar letter, const QString &folder, const Medium *medium)
{
    const QChar upper = letter.toUpper();
    if (!folderOf(upper).isEmpty())
        return; // the first naming of a letter holds
    const Drive drive{upper, cleanFolder(folder), medium != nullptr,
                      medium ? medium->name() : QString(), medium ? medium->key() : QString()};
    const auto pos = std::lower_bound(m_drives.begin(), m_drives.end(), upper,
                                      [](const Drive &d, QChar l) { return d.letter < l; });
    m_drives.insert(pos, drive);
}

} // namespace mirbelon
