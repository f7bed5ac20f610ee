#pragma once

#include "platform/DriveTable.h"

#include <QStringList>

#include <memory>
#include <mutex>

namespace mirbelon {

// The drive table of a running program. A fixed table stays as it is; a
// table of media follows the mounts below the media folders, looked at
// again whenever the host's mount table changed since the last look.
class MountedDrives
{
public:
    explicit MountedDrives(DriveTable fixed);
    MountedDrives(const QString &home, const QStringList &mediaRoots);
    ~MountedDrives();
    MountedDrives(const MountedDrives &) = delete;
    MountedDrives &operator=(const MountedDrives &) = delete;

    // MIRBELON_DRIVES, when set, is the whole fixed table. Otherwise C: is
    // home and media are mounted below MIRBELON_MEDIA (folders separated by
    // ":"), by default /media/<user>, /run/media/<user> and /mnt.
    static std::unique_ptr<MountedDrives> fromEnvironment();

    // The table as the mounts are now. Safe from any thread; a caller keeps
    // the snapshot for one operation, so both directions agree.
    std::shared_ptr<const DriveTable> current() const;

private:
    QStringList mediaMounts() const; // reads the mount table; m_mutex held

    mutable std::mutex m_mutex;
    mutable std::shared_ptr<const DriveTable> m_table;
    QStringList m_roots;
    int m_mountInfo = -1; // polled for changes; -1 for a fixed table
};

} // namespace mirbelon
