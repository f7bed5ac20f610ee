#pragma once

// The target side of a copy, whatever the bytes come from.

#include "platform/FileSystem.h"
#include "platform/posix/PosixPump.h"

#include <optional>

namespace mirbelon::posixfs {

class CopySource
{
public:
    virtual ~CopySource() = default;
    // The source as it was when opened.
    virtual FileStamp found() const = 0;
    // Writes every byte to `out`, hashing it: 0 or the errno of the failure.
    // `out2`, unless -1, gets the same bytes; its failure goes to `err2` and
    // only ends its own writes.
    virtual int pump(int out, Hasher &hasher, qint64 &copied, ByteProgress *progress, int out2, int *err2) = 0;
    // After pump(): whether the source is still the file it was when opened.
    virtual bool unchanged() = 0;
    // Set when pump() failed on the source's side rather than the target's.
    virtual std::optional<Fehler> fault() const { return std::nullopt; }
};

// FileSystem::copyBytes of `order` with the bytes of `source`; `from`
// names the source in reports.
CopyResult copyInto(const CopyOrder &order, CopySource &source, ByteProgress *progress);

} // namespace mirbelon::posixfs
