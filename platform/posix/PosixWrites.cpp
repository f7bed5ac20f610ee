#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"

#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon {

using namespace posixfs;

Fehler PosixFileSystem::setReadOnly(const FileRef &file, bool readOnly)
{
    const QByteArray host = hostFile(file);
    if (host.isEmpty())
        return unknownDrive(file.path);
    struct stat st;
    if (!statOf(host, st))
        return errnoFehler(errno, host);
    const mode_t mode = readOnly ? (st.st_mode & 07777 & ~S_IWUSR) : (st.st_mode & 07777) | S_IWUSR;
    if (mode != (st.st_mode & 07777) && ::chmod(host.constData(), mode) != 0)
        return errnoFehler(errno, host);
    return {};
}

Fehler PosixFileSystem::makeFolder(const QString &path)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return unknownDrive(path);
    if (::mkdir(enc(host).constData(), 0777) != 0) {
        // Making a folder that exists is a path access error, not "file exists".
        return errno == EEXIST ? fehler(75, host) : errnoFehler(errno, host);
    }
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(enc(host), true, true);
    return {};
}

Fehler PosixFileSystem::remove(const FileRef &file)
{
    const QByteArray host = hostFile(file);
    if (host.isEmpty())
        return unknownDrive(file.path);
    struct stat st;
    if (::lstat(host.constData(), &st) != 0)
        return errnoFehler(errno, host);
    const bool folder = S_ISDIR(st.st_mode);
    // A write-protected file is protected from deletion too, as on the drives the
    // program was made for; POSIX alone would delete it.
    if (!folder && !S_ISLNK(st.st_mode) && !ownerMayWrite(st))
        return fehler(75, host);
    const int rc = folder ? ::rmdir(host.constData()) : ::unlink(host.constData());
    if (rc != 0)
        return errnoFehler(errno, host);
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(host, false, folder);
    return {};
}

std::optional<QByteArray> PosixFileSystem::readAll(const FileRef &file) const
{
    const QByteArray host = hostFile(file);
    // Not waiting at the open: a FIFO without a writer would block it for good.
    const int fd = host.isEmpty() ? -1 : ::open(host.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray data;
    data.reserve(qsizetype(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        data.append(buffer, n);
    }
    ::close(fd);
    return data;
}

bool PosixFileSystem::insideDrive(const QString &path, const QString &canonicalHost) const
{
    const QString root = QFileInfo(m_drives->current()->folderOf(path.at(0))).canonicalFilePath();
    if (root.isEmpty())
        return false;
    return root == QLatin1String("/") || canonicalHost == root
        || canonicalHost.startsWith(root + QLatin1Char('/'));
}

Fehler PosixFileSystem::writeAtomic(const QString &path, const QByteArray &data, bool sync)
{
    std::optional<FileStamp> written;
    return writeAtomicStamped(path, data, sync, written);
}

Fehler PosixFileSystem::writeAtomicStamped(
    const FileRef &file, const QByteArray &data, bool sync, std::optional<FileStamp> &written)
{
    written.reset();
    const QString &path = file.path;
    // The host file as given, where its bytes come back from their text.
    QString host = QFile::decodeName(file.host);
    if (file.host.isEmpty() || enc(host) != file.host)
        host = hostPath(path);
    if (host.isEmpty())
        return unknownDrive(path);
    struct stat old;
    bool existed = false;
    if (::lstat(enc(host).constData(), &old) == 0) {
        existed = true; // a file or folder of its own: the look just taken
        if (S_ISLNK(old.st_mode)) {
            // Replace the file the link points at, not the link; but a link on a
            // card must not reach the user's files elsewhere: that file is treated
            // as write-protected.
            const QString target = QFileInfo(host).canonicalFilePath();
            if (!target.isEmpty()) {
                if (!insideDrive(path, target))
                    return fehler(70, host);
                host = target;
            }
            existed = statOf(host, old);
        }
    }
    if (existed) {
        if (S_ISDIR(old.st_mode))
            return fehler(75, host);
        if (!ownerMayWrite(old) || ::access(enc(host).constData(), W_OK) != 0)
            return fehler(70, host);
    }

    const QString folder = parentOf(host);
    TempFile temp = createTemp(folder, nameOf(host));
    if (temp.fd < 0) {
        const int err = errno;
        // A file the user may write in a folder he may not (a shared file in a
        // system folder): no new file can stand beside it, so it is written in
        // place, as the profile functions do. Writers of ini files hold the
        // folder's lock meanwhile.
        if (existed && (err == EACCES || err == EPERM))
            return writeInPlace(host, data, sync, written);
        return errnoFehler(err, host);
    }
    int err = writeAll(temp.fd, data.constData(), data.size());
    if (err == 0 && sync && ::fsync(temp.fd) != 0)
        err = errno;
    if (err == 0 && ::fchmod(temp.fd, existed ? (old.st_mode & 07777) : defaultMode()) != 0)
        err = errno;
    if (err == 0 && existed && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
        (void)::fchown(temp.fd, old.st_uid, old.st_gid); // best effort, as root may
    if (err == 0 && ::close(temp.fd) != 0)
        err = errno;
    else if (err != 0)
        ::close(temp.fd);
    temp.fd = -1;
    if (err == 0 && ::rename(enc(temp.path).constData(), enc(host).constData()) != 0)
        err = errno;
    if (err != 0) {
        dropTemp(temp);
        return errnoFehler(err, host);
    }
    // Synced, the data is on disk before the rename, so a crash leaves the old
    // or the new file whole; the folder entry is left to the kernel.
    const QByteArray hostBytes = enc(host);
    struct stat now;
    const bool seen = ::lstat(hostBytes.constData(), &now) == 0;
    if (seen && S_ISREG(now.st_mode))
        written = fullStamp(now);
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(hostBytes, true, false, seen ? &now : nullptr);
    return {};
}

Fehler PosixFileSystem::writeInPlace(
    const QString &host, const QByteArray &data, bool sync, std::optional<FileStamp> &written)
{
    const QByteArray hostBytes = enc(host);
    const int fd = ::open(hostBytes.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errnoFehler(errno, host);
    struct stat st;
    int err = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (err == 0 && !S_ISREG(st.st_mode))
        err = EINVAL;
    // Not emptied first: a write that fails (a full disk) must not leave an
    // empty settings file behind.
    if (err == 0)
        err = writeAll(fd, data.constData(), data.size());
    if (err == 0 && ::ftruncate(fd, data.size()) != 0)
        err = errno;
    if (err == 0 && sync && ::fsync(fd) != 0)
        err = errno;
    struct stat now;
    const bool seen = err == 0 && ::fstat(fd, &now) == 0;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        return errnoFehler(err, host);
    if (seen)
        written = fullStamp(now);
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(hostBytes, true, false, seen ? &now : nullptr);
    return {};
}

Fehler PosixFileSystem::syncFile(const QString &path)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return unknownDrive(path);
    const int fd = ::open(enc(host).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errnoFehler(errno, host);
    const int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (err != 0)
        return errnoFehler(err, host);
    syncFolder(parentOf(host));
    return {};
}

Fehler PosixFileSystem::append(const QString &path, const QByteArray &data)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return unknownDrive(path);
    const int fd =
        ::open(enc(host).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return errnoFehler(errno, host);
    int err = writeAll(fd, data.constData(), data.size());
    if (::close(fd) != 0 && err == 0)
        err = errno;
    {
        std::lock_guard lock(m_cache->mutex);
        m_cache->note(enc(host), true, false);
    }
    return err == 0 ? Fehler{} : errnoFehler(err, host);
}

} // namespace mirbelon
