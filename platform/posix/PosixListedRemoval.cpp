#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

// Deleting the very file a list named, and telling a medium that is gone.

namespace mirbelon {

using namespace posixfs;

namespace {

class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

Fehler PosixFileSystem::removeListed(const FileRef &listed, const FileStamp &expected)
{
    const QByteArray host = hostFile(listed);
    const QString rootText = listed.path.isEmpty() ? QString() : m_drives->current()->folderOf(listed.path.at(0));
    if (host.isEmpty() || rootText.isEmpty())
        return unknownDrive(listed.path);
    const QByteArray root = enc(rootText);
    const QByteArray prefix = root == "/" ? root : root + '/';
    if (!host.startsWith(prefix))
        return nichtMehrDieselbe(host);
    const QList<QByteArray> parts = host.mid(prefix.size()).split('/');

    // Folder by folder from the drive's own folder: a link anywhere on the
    // way, or a folder swapped for one, ends the walk.
    Fd dir(::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0)
        return errnoFehler(errno, host);
    for (qsizetype k = 0; k + 1 < parts.size(); ++k) {
        if (parts.at(k).isEmpty())
            continue;
        const int next = ::openat(dir.get(), parts.at(k).constData(),
                                  O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            const int err = errno;
            return err == ELOOP || err == ENOTDIR ? nichtMehrDieselbe(host) : errnoFehler(err, host);
        }
        dir.reset(next);
    }
    const QByteArray &name = parts.last();
    struct stat st;
    if (::fstatat(dir.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errnoFehler(errno, host);
    if (!S_ISREG(st.st_mode) || !(fullStamp(st) == expected))
        return nichtMehrDieselbe(host);
    if (!ownerMayWrite(st))
        return fehler(75, host); // protected from deletion, as remove() holds
    if (::unlinkat(dir.get(), name.constData(), 0) != 0)
        return errnoFehler(errno, host);
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(host, false, false);
    return {};
}

bool PosixFileSystem::mediumGone(const FileRef &file, quint64 device) const
{
    const QByteArray host = hostFile(file);
    if (host.isEmpty())
        return true;
    struct stat st;
    if (!statOf(parentOf(host), st))
        return errno == ENOENT || errno == ENOTDIR || errno == EIO || errno == ENODEV || errno == ENXIO;
    return device != 0 && quint64(st.st_dev) != device;
}

void PosixFileSystem::removeLeftovers(const QString &folder)
{
    const QString host = hostPath(folder);
    if (!host.isEmpty())
        posixfs::removeLeftovers(host);
}

} // namespace mirbelon
