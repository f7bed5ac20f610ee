#pragma once

#include <QString>

namespace mirbelon {

// What became of a card that was to be ejected.
enum class EjectOutcome {
    Ejected,   // unmounted; its drive powered off where the drive can be
    NoDrive,   // no file system on a removable drive holds the path
    NoBus,     // no system bus to ask
    NoService, // the bus has no disk service
    NoAnswer,  // the service did not answer in time
    Busy,      // the file system is still in use
    NotAllowed,
    Refused,   // any other no of the service
};

struct EjectResult
{
    EjectOutcome outcome = EjectOutcome::NoService;
    bool unmounted = false;  // also when powering off failed after it
    bool poweredOff = false; // false after an unmount alone: a card slot cannot power off
    QString reason;          // the service's own words where it said no
};

// Unmounting and powering off removable drives through the host's disk service.
class Ejector
{
public:
    virtual ~Ejector() = default;
    // Unmounts the file system that holds `hostPath` and powers its drive
    // off, when that is a removable drive. The calling thread's events run
    // while the service works.
    virtual EjectResult eject(const QString &hostPath) = 0;
};

} // namespace mirbelon
