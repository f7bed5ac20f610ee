#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/CopyInto.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"
#include "platform/posix/PosixPump.h"

#include <QFile>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace mirbelon {

using namespace posixfs;

namespace {

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

Fehler PosixFileSystem::copyFile(const FileRef &source, const QString &target, bool overwrite)
{
    const QByteArray from = hostFile(source);
    if (from.isEmpty())
        return unknownDrive(source.path);
    const QString to = hostPath(target);
    if (to.isEmpty())
        return unknownDrive(target);
    const CopyResult result = copyBytes(CopyOrder{from, to, overwrite, {}}, nullptr);
    if (!result.fehler)
        noteCopy(to);
    return result.fehler;
}

namespace {

// A regular host file, open for reading.
class FdSource : public CopySource
{
public:
    FdSource(int fd, const struct stat &st) : m_fd(fd), m_st(st)
    {
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    ~FdSource() override { ::close(m_fd); }
    FileStamp found() const override { return fullStamp(m_st); }
    int pump(int out, Hasher &hasher, qint64 &copied, ByteProgress *progress) override
    {
        return posixfs::pump(m_fd, out, hasher, copied, progress);
    }
    // Also what a growing or rewritten source did meanwhile shows here.
    bool unchanged() override
    {
        struct stat after;
        return ::fstat(m_fd, &after) == 0 && fullStamp(m_st) == fullStamp(after);
    }

private:
    int m_fd;
    struct stat m_st;
};

} // namespace

CopyResult PosixFileSystem::copyBytes(const CopyOrder &order, ByteProgress *progress) const
{
    CopyResult result;
    const QByteArray &from = order.from;
    const int in = openRegular(from);
    if (in < 0) {
        result.fehler = in == -ENOTSUP ? noRegularFile(from) : errnoFehler(-in, from);
        return result;
    }
    struct stat src;
    if (::fstat(in, &src) != 0) {
        ::close(in);
        result.fehler = fehler(75, from);
        return result;
    }
    FdSource source(in, src);
    return copyInto(order, source, progress);
}

CopyResult posixfs::copyInto(const CopyOrder &order, CopySource &source, ByteProgress *progress)
{
    CopyResult result;
    const QByteArray &from = order.from;
    const QString &to = order.to;
    const FileStamp src = source.found();
    result.found = src;
    if (progress)
        progress->total.store(src.size);

    struct stat dst;
    if (statOf(to, dst)) {
        if (S_ISDIR(dst.st_mode))
            result.fehler = fehler(75, to);
        else if (!order.overwrite)
            result.fehler = fehler(58, to);
        else if (!ownerMayWrite(dst))
            result.fehler = fehler(75, to); // a write-protected file is not replaced
        if (result.fehler)
            return result;
    }

    const QString folder = parentOf(to);
    TempFile temp = createTemp(folder, nameOf(to));
    if (temp.fd < 0) {
        result.fehler = errnoFehler(errno, to);
        return result;
    }

    Hasher hasher;
    qint64 copied = 0;
    int err = source.pump(temp.fd, hasher, copied, progress);
    const bool unchanged = err == 0 && source.unchanged();
    struct stat written;
    const bool sizeOk = err == 0 && ::fstat(temp.fd, &written) == 0
                        && copied == src.size && written.st_size == src.size;
    if (err == 0) {
        ::fchmod(temp.fd, defaultMode());
        // The copy keeps the photo's time, as cp -p does.
        const struct timespec zeiten[2] = {{0, UTIME_OMIT},
            {time_t(src.modifiedNs / 1000000000), long(src.modifiedNs % 1000000000)}};
        ::futimens(temp.fd, zeiten);
    }
    if (err == 0 && ::close(temp.fd) != 0)
        err = errno;
    else if (err != 0)
        ::close(temp.fd);
    temp.fd = -1;
    if (err != 0 || !sizeOk || !unchanged) {
        dropTemp(temp);
        if (err != 0)
            result.fehler = source.fault() ? *source.fault() : errnoFehler(err, to);
        else if (!unchanged) {
            result.fehler = fehler(57, from);
            result.fehler.beschreibung
                = QStringLiteral("Die Datei hat sich während des Kopierens geändert: ")
                  + QFile::decodeName(from);
        }
        else
            result.fehler = fehler(diskFull(folder) ? 61 : 57, to);
        return result;
    }

    if (order.ahead) {
        result.temp = temp.path;
        result.bytes = copied;
        result.hash = hasher.digest();
        return result;
    }
    err = order.overwrite
              ? (::rename(enc(temp.path).constData(), enc(to).constData()) == 0 ? 0 : errno)
              : renameNoReplace(temp.path, to);
    if (err != 0) {
        dropTemp(temp);
        result.fehler = errnoFehler(err, to);
        return result;
    }
    result.bytes = copied;
    result.hash = hasher.digest();
    return result;
}

Fehler PosixFileSystem::placeCopy(const QString &hostTemp, const QString &hostTarget) const
{
    const int err = renameNoReplace(hostTemp, hostTarget);
    return err == 0 ? Fehler{} : errnoFehler(err, hostTarget);
}

void PosixFileSystem::dropCopy(const QString &hostTemp) const
{
    ::remove(enc(hostTemp).constData());
}

void PosixFileSystem::noteCopy(const QString &hostTarget)
{
    m_unflushed.append(hostTarget);
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(enc(hostTarget), true, false);
}

QStringList PosixFileSystem::takeUnflushed()
{
    return std::exchange(m_unflushed, {});
}

std::optional<FileStamp> PosixFileSystem::hostStamp(const QByteArray &hostFile) const
{
    struct stat st;
    if (!statOf(hostFile, st) || !S_ISREG(st.st_mode))
        return std::nullopt;
    return fullStamp(st);
}

} // namespace mirbelon
