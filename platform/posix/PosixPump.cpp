#include "platform/posix/PosixPump.h"

#include "platform/posix/PosixFileUtil.h"

#include <cerrno>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon::posixfs {

namespace {

// Small enough to stay in the processor's cache between the read, the hash
// and the write; the kernel reads ahead on its own for the disk's speed.
constexpr size_t kChunk = 256 << 10;
constexpr qint64 kAnstoss = 8 << 20;

// Direct reads bypass the kernel's read-ahead: they ask the disk for large
// pieces themselves.
constexpr size_t kAlign = 4096;
constexpr size_t kDirektChunk = 4 << 20;

// The buffer of this thread, kept for its next file: a fresh one costs a page
// fault per page. Copies use the first kChunk bytes of it.
char *chunkBuffer()
{
    thread_local const std::unique_ptr<char, decltype(&std::free)> buffer(
        static_cast<char *>(std::aligned_alloc(kAlign, kDirektChunk)), &std::free);
    return buffer.get();
}

// One read, again when a signal broke it off: the bytes read, or -errno.
ssize_t readSome(int fd, char *buffer, size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR)
            return n < 0 ? -errno : n;
    }
}

} // namespace

int pump(int in, int out, Hasher &hasher, qint64 &moved, ByteProgress *progress, int out2, int *err2)
{
    moved = 0;
    char *const buffer = chunkBuffer();
    if (!buffer)
        return ENOMEM;
    const auto zweites = [&] { return out2 >= 0 && err2 && *err2 == 0; };
    // What is written starts on its way to the disk now, while the next bytes
    // are read, not all of it at the flush before a deletion.
    qint64 angestossen = 0;
    const auto anstossen = [&](qint64 bis) {
        ::sync_file_range(out, angestossen, bis - angestossen, SYNC_FILE_RANGE_WRITE);
        if (zweites())
            ::sync_file_range(out2, angestossen, bis - angestossen, SYNC_FILE_RANGE_WRITE);
        angestossen = bis;
    };
    for (;;) {
        const ssize_t n = readSome(in, buffer, kChunk);
        if (n < 0)
            return int(-n);
        if (n == 0) {
            if (out >= 0 && moved > angestossen)
                anstossen(moved);
            return 0;
        }
        hasher.add(buffer, size_t(n));
        if (out >= 0) {
            if (const int err = writeAll(out, buffer, n))
                return err;
        }
        if (zweites())
            *err2 = writeAll(out2, buffer, n);
        moved += n;
        if (out >= 0 && moved - angestossen >= kAnstoss)
            anstossen(moved);
        if (progress)
            progress->done.store(moved, std::memory_order_relaxed);
    }
}

int pumpDirect(int fd, Hasher &hasher, qint64 &moved, ByteProgress *progress)
{
    moved = 0;
    char *const buffer = chunkBuffer();
    if (!buffer)
        return ENOMEM;
    for (;;) {
        const ssize_t n = readSome(fd, buffer, kDirektChunk);
        if (n < 0)
            return int(-n);
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

} // namespace mirbelon::posixfs
