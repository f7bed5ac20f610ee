#pragma once

// Moving a file's bytes through their hash, for copies and read-backs.

#include "platform/FileSystem.h"

#include <xxhash.h>

namespace mirbelon::posixfs {

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
// that is -1. Returns 0 or the errno of the failing call. A second output
// `out2` gets the same bytes; its failure goes to `err2` and only ends its
// own writes.
int pump(int in, int out, Hasher &hasher, qint64 &moved, ByteProgress *progress, int out2 = -1,
         int *err2 = nullptr);

// Reads `fd`, opened for direct reading, to its end: the bytes come from the
// disk, whatever the page cache holds, in large requests. EINVAL when the
// file system or the file cannot be read that way.
int pumpDirect(int fd, Hasher &hasher, qint64 &moved, ByteProgress *progress);

} // namespace mirbelon::posixfs
