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
    int pump(int out, Hasher &hasher, qint64 &copied, ByteProgress *progress, int out2, int *err2) override
    {
        return posixfs::pump(m_fd, out, hasher, copied, progress, out2, err2);
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

namespace {

// Where the source or the first target fails, the second copy fails with it.
CopyResult scheitern(CopyResult result, const CopyOrder &order, Fehler f)
{
    result.fehler = std::move(f);
    if (!order.to2.isEmpty() && !result.fehler2)
        result.fehler2 = result.fehler;
    return result;
}

} // namespace

CopyResult PosixFileSystem::copyBytes(const CopyOrder &order, ByteProgress *progress) const
{
    const QByteArray &from = order.from;
    const int in = openRegular(from);
    if (in < 0)
        return scheitern({}, order, in == -ENOTSUP ? noRegularFile(from) : errnoFehler(-in, from));
    struct stat src;
    if (::fstat(in, &src) != 0) {
        ::close(in);
        return scheitern({}, order, fehler(75, from));
    }
    FdSource source(in, src);
    return copyInto(order, source, progress);
}

CopyResult posixfs::copyInto(const CopyOrder &order, CopySource &source, ByteProgress *progress)
{
    CopyResult result;
    const QByteArray &from = order.from;
    const QString &to = order.to;
    const QString &to2 = order.to2;
    const FileStamp src = source.found();
    result.found = src;
    if (progress)
        progress->total.store(src.size);
    // Why a file in the way keeps a copy from `ziel`.
    const auto imWeg = [&order](const QString &ziel) -> Fehler {
        struct stat dst;
        if (!statOf(ziel, dst))
            return {};
        if (S_ISDIR(dst.st_mode))
            return fehler(75, ziel);
        if (!order.overwrite)
            return fehler(58, ziel);
        if (!ownerMayWrite(dst))
            return fehler(75, ziel); // a write-protected file is not replaced
        return {};
    };
    if (Fehler f = imWeg(to))
        return scheitern(result, order, std::move(f));

    const QString folder = parentOf(to);
    TempFile temp = createTemp(folder, nameOf(to));
    if (temp.fd < 0)
        return scheitern(result, order, errnoFehler(errno, to));
    TempFile temp2;
    if (!to2.isEmpty()) {
        result.fehler2 = imWeg(to2);
        if (!result.fehler2) {
            temp2 = createTemp(parentOf(to2), nameOf(to2));
            if (temp2.fd < 0)
                result.fehler2 = errnoFehler(errno, to2);
        }
    }

    Hasher hasher;
    qint64 copied = 0;
    int err2 = 0;
    int err = source.pump(temp.fd, hasher, copied, progress, temp2.fd, &err2);
    const bool unchanged = err != 0 || source.unchanged();
    // Closes a copy: 0, an errno, or -1 when it is short of the source's size.
    const auto abschliessen = [&](TempFile &t, int fehlerBisher) {
        struct stat written;
        const bool ganz = fehlerBisher == 0 && ::fstat(t.fd, &written) == 0
                          && copied == src.size && written.st_size == src.size;
        int e = fehlerBisher;
        if (e == 0) {
            ::fchmod(t.fd, defaultMode());
            // The copy keeps the photo's time, as cp -p does.
            const struct timespec zeiten[2] = {{0, UTIME_OMIT},
                {time_t(src.modifiedNs / 1000000000), long(src.modifiedNs % 1000000000)}};
            ::futimens(t.fd, zeiten);
        }
        if (::close(t.fd) != 0 && e == 0)
            e = errno;
        t.fd = -1;
        return e != 0 ? e : (ganz ? 0 : -1);
    };
    const auto zuKurz = [&](const QString &ziel) { return fehler(diskFull(parentOf(ziel)) ? 61 : 57, ziel); };
    err = abschliessen(temp, err);
    if (temp2.fd >= 0) {
        err2 = abschliessen(temp2, err2);
        if (err2 != 0 || err != 0 || !unchanged) {
            dropTemp(temp2);
            if (err2 != 0)
                result.fehler2 = err2 > 0 ? errnoFehler(err2, to2) : zuKurz(to2);
        }
    }
    if (err != 0 || !unchanged) {
        dropTemp(temp);
        if (err > 0)
            return scheitern(result, order, source.fault() ? *source.fault() : errnoFehler(err, to));
        if (unchanged)
            return scheitern(result, order, zuKurz(to));
        Fehler geaendert = fehler(57, from);
        geaendert.beschreibung = QStringLiteral("Die Datei hat sich während des Kopierens geändert: ")
                                 + QFile::decodeName(from);
        return scheitern(result, order, geaendert);
    }
    result.bytes = copied;
    result.hash = hasher.digest();
    const bool zweiteDa = !temp2.path.isEmpty() && !result.fehler2;

    if (order.ahead) {
        result.temp = temp.path;
        if (zweiteDa)
            result.temp2 = temp2.path;
        return result;
    }
    const auto umbenennen = [&order](const QString &von, const QString &nach) {
        return order.overwrite ? (::rename(enc(von).constData(), enc(nach).constData()) == 0 ? 0 : errno)
                               : renameNoReplace(von, nach);
    };
    err = umbenennen(temp.path, to);
    if (err != 0) {
        dropTemp(temp);
        dropTemp(temp2);
        result.bytes = 0;
        result.hash = {};
        return scheitern(result, order, errnoFehler(err, to));
    }
    if (zweiteDa) {
        if (const int e = umbenennen(temp2.path, to2)) {
            dropTemp(temp2);
            result.fehler2 = errnoFehler(e, to2);
        }
    }
    return result;
}

Fehler PosixFileSystem::placeCopy(const QString &hostTemp, const QString &hostTarget) const
{
    const int err = renameNoReplace(hostTemp, hostTarget);
    if (err != 0)
        return errnoFehler(err, hostTarget);
    // Known here, the new name costs the next look-up in this folder no
    // reading of all its names again.
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(enc(hostTarget), true, false);
    return {};
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
