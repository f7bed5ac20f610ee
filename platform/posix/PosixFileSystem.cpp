#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"

#include <QStorageInfo>

#include <sys/statvfs.h>

namespace mirbelon {

using namespace posixfs;

PosixFileSystem::PosixFileSystem() : PosixFileSystem(DriveTable::fromEnvironment()) {}

PosixFileSystem::PosixFileSystem(DriveTable table)
    : m_table(std::move(table)), m_cache(std::make_shared<PosixNameCache>())
{
}

QString PosixFileSystem::hostPath(const QString &programPath) const
{
    const QString given = m_table.toHost(programPath);
    if (given.isEmpty())
        return QString();
    const QString root = m_table.folderOf(programPath.at(0));
    if (given.size() <= root.size())
        return given;
    const QStringList parts =
        given.mid(root == QLatin1String("/") ? 1 : root.size() + 1).split(QLatin1Char('/'));
    std::lock_guard lock(m_cache->mutex);
    return m_cache->resolve(root, parts);
}

QString PosixFileSystem::programPath(const QString &hostPath) const
{
    return m_table.toProgram(hostPath);
}

QStringList PosixFileSystem::driveLetters() const
{
    QStringList letters;
    for (const DriveTable::Drive &d : m_table.drives())
        letters << QString(d.letter);
    return letters;
}

Fehler PosixFileSystem::unknownDrive(const QString &programPath) const
{
    return fehler(68, programPath);
}

DiskSpace PosixFileSystem::space(const QString &path) const
{
    QString host = hostPath(path);
    if (host.isEmpty())
        return {};
    // A folder still to be made counts with the disk it will be made on.
    const QString root = m_table.folderOf(path.at(0));
    while (!folderExists(host) && host.size() > root.size())
        host = parentOf(host);
    struct statvfs vs;
    if (::statvfs(enc(host).constData(), &vs) != 0)
        return {};
    return DiskSpace{double(vs.f_bfree) * double(vs.f_frsize),
                     double(vs.f_blocks) * double(vs.f_frsize)};
}

QString PosixFileSystem::volumeLabel(const QString &drive) const
{
    if (drive.isEmpty())
        return QString();
    const QString folder = m_table.folderOf(drive.at(0));
    if (folder.isEmpty())
        return QString();
    const QStorageInfo info(folder);
    QString root = info.rootPath();
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    // Only a drive that is a volume of its own has a label.
    if (!info.isValid() || root != folder)
        return QString();
    const QString label = info.name();
    if (!label.isEmpty())
        return label;
    for (const char *media : {"/media/", "/run/media/", "/mnt/"}) {
        if (folder.startsWith(QLatin1String(media)))
            return nameOf(folder);
    }
    return QString();
}

} // namespace mirbelon
