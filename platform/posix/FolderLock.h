#pragma once

#include <QString>

namespace mirbelon {

// An advisory lock (flock) on a host folder, held for the object's lifetime.
// Ini files are locked through their folder: the file itself is replaced by
// every atomic write, so a lock on it would guard a file that is gone. A
// folder that cannot be locked (a file system without locks) is not waited for.
class FolderLock
{
public:
    explicit FolderLock(const QString &hostFolder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

private:
    int m_fd = -1;
};

} // namespace mirbelon
