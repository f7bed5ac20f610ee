#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"

#include <QSet>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <stdio.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace mirbelon {

using namespace posixfs;

namespace {

// Copies from the current offsets to the end of `in`; `copied` counts the bytes.
int copyData(int in, int out, qint64 expected, qint64 &copied)
{
    copied = 0;
    bool kernelCopy = true;
    while (kernelCopy && copied < expected) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr,
                                            size_t(std::min<qint64>(expected - copied, 1 << 30)), 0);
        if (n > 0) {
            copied += n;
        } else if (n == 0) {
            kernelCopy = false; // some file systems report 0 early; read on below
        } else if (errno == EINTR) {
            continue;
        } else if (copied == 0
                   && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP
                       || errno == EPERM || errno == EBADF)) {
            kernelCopy = false;
        } else {
            return errno;
        }
    }
    // Also reads what a growing source gained, so the size check below notices it.
    std::vector<char> buffer(4 << 20);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        if (const int err = writeAll(out, buffer.data(), n))
            return err;
        copied += n;
    }
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(enc(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool diskFull(const QString &folder)
{
    struct statvfs vs;
    return ::statvfs(enc(folder).constData(), &vs) == 0 && vs.f_bavail == 0;
}

// Renames without ever replacing `to`; EEXIST when it is there.
int renameNoReplace(const QString &from, const QString &to)
{
    const QByteArray a = enc(from);
    const QByteArray b = enc(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    if (::link(a.constData(), b.constData()) == 0) {
        ::unlink(a.constData());
        return 0;
    }
    if (errno == EEXIST || (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS))
        return errno;
    // Neither way exists on this file system: check as closely as possible.
    struct stat st;
    if (::lstat(b.constData(), &st) == 0)
        return EEXIST;
    return ::rename(a.constData(), b.constData()) == 0 ? 0 : errno;
}

} // namespace

Fehler PosixFileSystem::copyFile(const QString &source, const QString &target, bool overwrite)
{
    const QString from = hostPath(source);
    if (from.isEmpty())
        return unknownDrive(source);
    const QString to = hostPath(target);
    if (to.isEmpty())
        return unknownDrive(target);

    const int in = ::open(enc(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errnoFehler(errno, from);
    struct stat src;
    if (::fstat(in, &src) != 0 || !S_ISREG(src.st_mode)) {
        ::close(in);
        return fehler(75, from);
    }
    ::posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);

    struct stat dst;
    if (statOf(to, dst)) {
        Fehler f;
        if (S_ISDIR(dst.st_mode))
            f = fehler(75, to);
        else if (!overwrite)
            f = fehler(58, to);
        else if (!ownerMayWrite(dst))
            f = fehler(75, to); // a write-protected file is not replaced
        if (f) {
            ::close(in);
            return f;
        }
    }

    const QString folder = parentOf(to);
    TempFile temp = createTemp(folder, nameOf(to));
    if (temp.fd < 0) {
        const int err = errno;
        ::close(in);
        return errnoFehler(err, to);
    }

    qint64 copied = 0;
    int err = copyData(in, temp.fd, qint64(src.st_size), copied);
    ::close(in);
    struct stat written;
    const bool sizeOk = err == 0 && ::fstat(temp.fd, &written) == 0
                        && copied == qint64(src.st_size) && written.st_size == src.st_size;
    if (err == 0)
        ::fchmod(temp.fd, defaultMode());
    if (err == 0 && ::close(temp.fd) != 0)
        err = errno;
    else if (err != 0)
        ::close(temp.fd);
    temp.fd = -1;
    if (err != 0 || !sizeOk) {
        dropTemp(temp);
        if (err != 0)
            return errnoFehler(err, to);
        return fehler(diskFull(folder) ? 61 : 57, to);
    }

    err = overwrite ? (::rename(enc(temp.path).constData(), enc(to).constData()) == 0 ? 0 : errno)
                    : renameNoReplace(temp.path, to);
    if (err != 0) {
        dropTemp(temp);
        return errnoFehler(err, to);
    }
    m_unflushed.append(to);
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(folder, nameOf(to), true, false);
    return {};
}

Fehler PosixFileSystem::flushCopies()
{
    QSet<QString> folders;
    for (const QString &path : std::as_const(m_unflushed)) {
        const int fd = ::open(enc(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT)
                continue;
            return errnoFehler(errno, path);
        }
        const int err = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        if (err != 0)
            return errnoFehler(err, path);
        folders.insert(parentOf(path));
    }
    for (const QString &folder : std::as_const(folders))
        syncFolder(folder);
    m_unflushed.clear();
    return {};
}

} // namespace mirbelon
