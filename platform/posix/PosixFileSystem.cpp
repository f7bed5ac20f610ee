#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"

#include <QStorageInfo>

#include <sys/statvfs.h>

namespace mirbelon {

using namespace posixfs;

PosixFileSystem::PosixFileSystem() : PosixFileSystem(MountedDrives::fromEnvironment()) {}

PosixFileSystem::PosixFileSystem(DriveTable table)
    : PosixFileSystem(std::make_shared<const MountedDrives>(std::move(table)))
{
}

PosixFileSystem::PosixFileSystem(std::shared_ptr<const MountedDrives> drives)
    : m_drives(std::move(drives)), m_cache(std::make_shared<PosixNameCache>())
{
}

QString PosixFileSystem::hostPath(const QString &programPath) const
{
    const auto table = m_drives->current();
    const QString given = table->toHost(programPath);
    if (given.isEmpty())
        return QString();
    const QString root = table->folderOf(programPath.at(0));
    if (given.size() <= root.size())
        return given;
    const QStringList parts =
        given.mid(root == QLatin1String("/") ? 1 : root.size() + 1).split(QLatin1Char('/'));
    std::lock_guard lock(m_cache->mutex);
    return m_cache->resolve(root, parts);
}

QByteArray PosixFileSystem::hostFile(const FileRef &file) const
{
    return file.host.isEmpty() ? enc(hostPath(file.path)) : file.host;
}

QString PosixFileSystem::programPath(const QString &hostPath) const
{
    return m_drives->current()->toProgram(hostPath);
}

QStringList PosixFileSystem::driveLetters() const
{
    QStringList letters;
    for (const DriveTable::Drive &d : m_drives->current()->drives())
        letters << QString(d.letter);
    return letters;
}

QList<QPair<QChar, QString>> PosixFileSystem::media() const
{
    QList<QPair<QChar, QString>> found;
    for (const DriveTable::Drive &d : m_drives->current()->drives()) {
        if (d.medium)
            found.append({d.letter, d.name});
    }
    return found;
}

QMap<QChar, QString> PosixFileSystem::letterMemory() const
{
    return m_drives->memory();
}

void PosixFileSystem::setLetterMemory(const QMap<QChar, QString> &memory)
{
    m_drives->setMemory(memory);
}

void PosixFileSystem::whenMediaChange(std::function<void()> changed)
{
    m_drives->whenChanged(std::move(changed));
}

Fehler PosixFileSystem::unknownDrive(const QString &programPath) const
{
    return fehler(68, programPath);
}

DiskSpace PosixFileSystem::space(const QString &path) const
{
    QString host = hostPath(path);
    // A folder still to be made counts with the disk it will be made on.
    const QString root = host.isEmpty() ? QString() : m_drives->current()->folderOf(path.at(0));
    if (root.isEmpty())
        return {}; // no such drive, or a card taken out meanwhile
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
    const QString folder = m_drives->current()->folderOf(drive.at(0));
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
