#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixPump.h"

#include <QSet>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Putting copies on disk for good, and reading them back from it.

namespace mirbelon {

using namespace posixfs;

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
    const int fd = openRegular(enc(hostPath));
    if (fd < 0) {
        result.fehler = fd == -ENOTSUP ? noRegularFile(enc(hostPath)) : errnoFehler(-fd, hostPath);
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

} // namespace mirbelon
