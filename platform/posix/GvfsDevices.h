#pragma once

#include "platform/DriveTable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace mirbelon {

// Cameras and phones that the desktop's GVfs shows as folders below its
// FUSE mount (/run/user/<uid>/gvfs/gphoto2:host=..., mtp:host=...). Reading
// that folder asks GVfs, whose backends can hang; so it is read on a thread
// of its own, and devices() only hands out what was last seen.
class GvfsDevices
{
public:
    // `base`: the GVfs folder. The first look starts at once (waited for
    // half a second at most), then one every `intervalMs`; `changed` runs on
    // the watch's thread after a look that changed the devices, never after
    // this object is gone.
    GvfsDevices(const QString &base, std::function<void()> changed, int intervalMs = 2000);
    ~GvfsDevices(); // leaves a look that hangs in GVfs behind, never waits for it
    GvfsDevices(const GvfsDevices &) = delete;
    GvfsDevices &operator=(const GvfsDevices &) = delete;

    // The name a device folder is shown by: "gphoto2:host=Canon_Inc._Canon_EOS_R6"
    // -> "Canon EOS R6". "" for a folder that is no camera or phone (a
    // network share, an app's documents on an iPhone).
    static QString deviceName(const QString &folderName);

    // The devices as last seen, each folder named by deviceName().
    QList<DriveTable::Medium> devices() const;
    // Looks now, on the calling thread (tests; the program leaves it to the
    // watch). True when the devices changed.
    bool refresh();

private:
    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace mirbelon
