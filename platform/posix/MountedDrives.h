#pragma once

#include "platform/DriveTable.h"

#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QObject;
class QSocketNotifier;

namespace mirbelon {

class GvfsDevices;

// The drive table of a running program. A fixed table stays as it is; a
// table of media follows the mounts below the media folders, looked at
// again whenever the host's mount table changed since the last look, and
// the cameras and phones in the GVfs folder, as its own thread last saw them.
class MountedDrives
{
public:
    explicit MountedDrives(DriveTable fixed);
    // `devDisk` holds the links by-uuid/ and by-label/ to the block devices;
    // `gvfs` is GVfs's folder of devices ("": none).
    MountedDrives(const QString &home, const QStringList &mediaRoots,
                  const QString &devDisk = QStringLiteral("/dev/disk"), const QString &gvfs = QString());
    ~MountedDrives();
    MountedDrives(const MountedDrives &) = delete;
    MountedDrives &operator=(const MountedDrives &) = delete;

    // MIRBELON_DRIVES, when set, is the whole fixed table. Otherwise C: is
    // home and media are mounted below MIRBELON_MEDIA (folders separated by
    // ":"), by default /media/<user>, /run/media/<user> and /mnt; GVfs's
    // devices are in MIRBELON_GVFS ("": none), by default
    // $XDG_RUNTIME_DIR/gvfs.
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
    // or GVfs's devices change, in place of an earlier one (empty: none); a
    // fixed table never changes.
    void whenChanged(std::function<void()> changed) const;

    // Looks at GVfs's devices now, on the calling thread (tests; the program
    // leaves it to the GVfs thread).
    void refreshDevices() const;

private:
    QList<DriveTable::Medium> mediaMounts() const; // reads the mount table; m_mutex held
    QList<DriveTable::Medium> media() const;       // the mounts and GVfs's devices; m_mutex held

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

    mutable std::atomic<bool> m_devicesChanged{false};
    mutable std::mutex m_receiverMutex;
    mutable std::unique_ptr<QObject> m_receiver; // of the GVfs thread's news
    std::unique_ptr<GvfsDevices> m_gvfs;
};

} // namespace mirbelon
