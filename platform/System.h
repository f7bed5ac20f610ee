#pragma once

#include <QDateTime>
#include <QString>

namespace mirbelon {

// Facts about the host. Folders are program paths without a trailing "\".
class System
{
public:
    virtual ~System() = default;
    virtual qint64 availableMemory() const = 0; // bytes
    virtual QString loginName() const = 0;
    // Looked up without regard to case. "Tmp" and "Temp" stand for the
    // per-user temp folder (program path) when neither is set.
    virtual QString env(const QString &name) const = 0;
    virtual quint32 tickCount() const = 0; // milliseconds since system start
    virtual QDateTime now() const = 0;     // local time
    virtual void sleepMs(int ms) = 0;
    virtual QString currentFolder() const = 0;
    virtual QString executablePath() const = 0; // the program file, program path
    virtual QString appDataFolder() const = 0;
    virtual QString windowsFolder() const = 0;
    virtual QString systemFolder() const = 0;
    // The desktop's folder for pictures (~/Bilder on a German desktop); the
    // home folder when the desktop names none.
    virtual QString picturesFolder() const = 0;
    virtual QString newGuid() const = 0; // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
};

} // namespace mirbelon
