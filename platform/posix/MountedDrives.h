#pragma once

#include "platform/DriveTable.h"

#include <QStringList>

#include <functional>

#include <memory>
#include <mutex>

class QSocketNotifier;

namespace mirbelon {

// The drive table of a running program. A fixed table stays as it is; a
// table of media follows the mounts below the media folders, looked at
// again whenever the host's mount table changed since the last look.
class MountedDrives
{
public:
    explicit MountedDrives(DriveTable fixed);
    // `devDisk` holds the links by-uuid/ and by-label/ to the block devices.
    MountedDrives(const QString &home, const QStringList &mediaRoots,
                  const QString &devDisk = QStringLiteral("/dev/disk"));
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

    // The letters kept per medium, with those given since. Setting them
    // letters the media mounted now anew, so that each gets its kept letter;
    // a fixed table stays as it is.
    DriveTable::Memory memory() const;
    void setMemory(const DriveTable::Memory &memory) const;

    // `changed` runs on this thread's event loop whenever the host's mounts
    // change, in place of an earlier one (empty: none); a fixed table never
    // changes.
    void whenChanged(std::function<void()> changed) const;

private:
    QList<DriveTable::Medium> mediaMounts() const; // reads the mount table; m_mutex held

    mutable std::mutex m_mutex;
    mutable std::shared_ptr<const DriveTable> m_table;
    mutable DriveTable::Memory m_memory;
    QString m_home;
    QString m_devDisk;
    QStringList m_roots;
    int m_mountInfo = -1; // polled for changes; -1 for a fixed table
    mutable std::function<void()> m_changed;
    mutable std::unique_ptr<QSocketNotifier> m_watch;
    mutable int m_watchFd = -1;
};

} // namespace mirbelon
