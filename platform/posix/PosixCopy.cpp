#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <stdio.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <xxhash.h>

namespace mirbelon {

using namespace posixfs;

namespace {

// Large enough for the disk's speed, small enough for a progress bar that
// moves and a worker that notices little between two reads.
constexpr size_t kChunk = 4 << 20;

constexpr size_t kAlign = 4096; // for direct reads

// The chunk buffer of this thread, kept for its next file: a fresh one of
// this size takes longer to map and fault in than the disk takes to fill it.
char *chunkBuffer()
{
    thread_local const std::unique_ptr<char, decltype(&std::free)> buffer(
        static_cast<char *>(std::aligned_alloc(kAlign, kChunk)), &std::free);
    return buffer.get();
}

class Hasher
{
public:
    Hasher() : m_state(XXH3_createState()) { XXH3_128bits_reset(m_state); }
    void reset() { XXH3_128bits_reset(m_state); }
    ~Hasher() { XXH3_freeState(m_state); }
    Hasher(const Hasher &) = delete;
    Hasher &operator=(const Hasher &) = delete;

    void add(const char *data, size_t size) { XXH3_128bits_update(m_state, data, size); }
    Hash128 digest() const
    {
        const XXH128_hash_t h = XXH3_128bits_digest(m_state);
        return Hash128{h.low64, h.high64};
    }

private:
    XXH3_state_t *m_state;
};

// Reads `in` to its end, hashing every byte, and writes it to `out` unless
// that is -1. Returns 0 or the errno of the failing call.
int pump(int in, int out, Hasher &hasher, qint64 &moved, ByteProgress *progress)
{
    moved = 0;
    char *const buffer = chunkBuffer();
    if (!buffer)
        return ENOMEM;
    for (;;) {
        const ssize_t n = ::read(in, buffer, kChunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        hasher.add(buffer, size_t(n));
        if (out >= 0) {
            if (const int err = writeAll(out, buffer, n))
                return err;
        }
        moved += n;
        if (progress)
            progress->done.store(moved, std::memory_order_relaxed);
    }
}

// Reads `fd`, opened for direct reading, to its end: the bytes come from the
// disk, whatever the page cache holds, in large requests. EINVAL when the
// file system or the file cannot be read that way.
int pumpDirect(int fd, Hasher &hasher, qint64 &moved, ByteProgress *progress)
{
    moved = 0;
    char *const buffer = chunkBuffer();
    if (!buffer)
        return ENOMEM;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, kChunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        hasher.add(buffer, size_t(n));
        moved += n;
        if (progress)
            progress->done.store(moved, std::memory_order_relaxed);
        // A piece short of a block is the end of the file; reading on from
        // there is not possible directly.
        if (moved % qint64(kAlign) != 0) {
            struct stat st;
            return ::fstat(fd, &st) == 0 && qint64(st.st_size) == moved ? 0 : EINVAL;
        }
    }
}

FileStamp stampOf(const struct stat &st)
{
    return FileStamp{qint64(st.st_size), nanos(st.st_mtim) / 1'000'000};
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_size == b.st_size && nanos(a.st_mtim) == nanos(b.st_mtim);
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

CopyResult PosixFileSystem::copyBytes(const CopyOrder &order, ByteProgress *progress) const
{
    CopyResult result;
    const QByteArray &from = order.from;
    const QString &to = order.to;
    const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        result.fehler = errnoFehler(errno, from);
        return result;
    }
    struct stat src;
    if (::fstat(in, &src) != 0 || !S_ISREG(src.st_mode)) {
        ::close(in);
        result.fehler = fehler(75, from);
        return result;
    }
    result.found = stampOf(src);
    if (progress)
        progress->total.store(qint64(src.st_size));
    ::posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);

    struct stat dst;
    if (statOf(to, dst)) {
        if (S_ISDIR(dst.st_mode))
            result.fehler = fehler(75, to);
        else if (!order.overwrite)
            result.fehler = fehler(58, to);
        else if (!ownerMayWrite(dst))
            result.fehler = fehler(75, to); // a write-protected file is not replaced
        if (result.fehler) {
            ::close(in);
            return result;
        }
    }

    const QString folder = parentOf(to);
    TempFile temp = createTemp(folder, nameOf(to));
    if (temp.fd < 0) {
        const int err = errno;
        ::close(in);
        result.fehler = errnoFehler(err, to);
        return result;
    }

    Hasher hasher;
    qint64 copied = 0;
    int err = pump(in, temp.fd, hasher, copied, progress);
    // Also what a growing or rewritten source did meanwhile shows here.
    struct stat after;
    const bool unchanged = ::fstat(in, &after) == 0 && sameFile(src, after);
    ::close(in);
    struct stat written;
    const bool sizeOk = err == 0 && ::fstat(temp.fd, &written) == 0
                        && copied == qint64(src.st_size) && written.st_size == src.st_size;
    if (err == 0)
        ::fchmod(temp.fd, defaultMode());
    // Only started: the disk writes it while the caller goes on.
    if (err == 0 && sizeOk && unchanged && order.writeOut)
        ::sync_file_range(temp.fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    if (err == 0 && ::close(temp.fd) != 0)
        err = errno;
    else if (err != 0)
        ::close(temp.fd);
    temp.fd = -1;
    if (err != 0 || !sizeOk || !unchanged) {
        dropTemp(temp);
        if (err != 0)
            result.fehler = errnoFehler(err, to);
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

Fehler PosixFileSystem::flush(const QStringList &hostPaths) const
{
    // The data of a group of files goes to the disk together and is waited
    // for before the first fsync, so the disk is told to keep it once, not
    // once per file: the fsyncs after the first find nothing new to write.
    constexpr qsizetype kGruppe = 64;
    QSet<QString> folders;
    for (qsizetype start = 0; start < hostPaths.size(); start += kGruppe) {
        const qsizetype ende = std::min(hostPaths.size(), start + kGruppe);
        std::vector<std::pair<int, qsizetype>> offen;
        offen.reserve(size_t(ende - start));
        Fehler nichtOffen; // comes after the files opened before it
        for (qsizetype i = start; i < ende; ++i) {
            const int fd = ::open(enc(hostPaths.at(i)).constData(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                if (errno == ENOENT)
                    continue;
                nichtOffen = errnoFehler(errno, hostPaths.at(i));
                break;
            }
            ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
            offen.emplace_back(fd, i);
        }
        // A failed write shows at the first wait for it on this file, so
        // the wait counts as much as the fsync. The first failure in the
        // order of the list, as one by one.
        std::vector<int> fehlschlag(offen.size(), 0);
        for (size_t k = 0; k < offen.size(); ++k) {
            if (::sync_file_range(offen[k].first, 0, 0,
                                  SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER)
                != 0)
                fehlschlag[k] = errno;
        }
        Fehler fehler;
        for (size_t k = 0; k < offen.size(); ++k) {
            const auto &[fd, i] = offen[k];
            if (!fehler) {
                const int err = fehlschlag[k] != 0 ? fehlschlag[k] : (::fsync(fd) == 0 ? 0 : errno);
                if (err == 0)
                    folders.insert(parentOf(hostPaths.at(i)));
                else
                    fehler = errnoFehler(err, hostPaths.at(i));
            }
            ::close(fd);
        }
        if (!fehler)
            fehler = nichtOffen;
        if (fehler)
            return fehler;
    }
    for (const QString &folder : std::as_const(folders))
        syncFolder(folder);
    return {};
}

ReadBack PosixFileSystem::readBack(const QString &hostPath, ByteProgress *progress) const
{
    ReadBack result;
    const int fd = ::open(enc(hostPath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.fehler = errnoFehler(errno, hostPath);
        return result;
    }
    struct stat st;
    int err = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (err == 0 && progress)
        progress->total.store(qint64(st.st_size));
    // Only clean pages leave the cache: the data is written out first.
    // Written, not flushed: that is what flush() is for.
    if (err == 0
        && ::sync_file_range(fd, 0, 0,
                             SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER)
               != 0)
        err = errno;
    if (err == 0)
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    Hasher hasher;
    // Directly from the disk where the file system can, else through the
    // emptied cache.
    const int flags = ::fcntl(fd, F_GETFL);
    if (err == 0 && flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_DIRECT) == 0) {
        err = pumpDirect(fd, hasher, result.bytes, progress);
        if (err == EINVAL && ::fcntl(fd, F_SETFL, flags) == 0 && ::lseek(fd, 0, SEEK_SET) == 0) {
            hasher.reset();
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            err = pump(fd, -1, hasher, result.bytes, progress);
        }
    } else if (err == 0) {
        err = pump(fd, -1, hasher, result.bytes, progress);
    }
    ::close(fd);
    if (err != 0)
        result.fehler = errnoFehler(err, hostPath);
    result.hash = hasher.digest();
    return result;
}

std::optional<FileStamp> PosixFileSystem::hostStamp(const QByteArray &hostFile) const
{
    struct stat st;
    if (!statOf(hostFile, st) || !S_ISREG(st.st_mode))
        return std::nullopt;
    return stampOf(st);
}

} // namespace mirbelon
