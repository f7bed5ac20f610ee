#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace mirbelon {

// Window styles of started programs, as Windows numbers them.
enum class WindowStyle { Hidden = 0, Normal = 1, Minimized = 2, NormalNoFocus = 4, MinimizedNoFocus = 6 };

class Processes
{
public:
    virtual ~Processes() = default;
    // Starts a host command line through the host's command interpreter and
    // does not wait. Paths inside it must already be host paths.
    virtual bool startDetached(const QString &commandLine, WindowStyle style) = 0;
    // Starts a program with these arguments, no command interpreter in
    // between, and does not wait.
    virtual bool startProgram(const QString &program, const QStringList &arguments,
                              WindowStyle style) = 0;
    // Runs a host command line and waits for it; returns its exit code, -1 when it could not run.
    virtual int run(const QString &commandLine) = 0;
    // The system's "Open" action on a program path, a URL or a "mailto:"
    // address. False when it cannot be started; `failed` runs later, on this
    // thread, when the opener reports that it could not open the target.
    virtual bool openDocument(const QString &target, std::function<void()> failed = {}) = 0;
    // Sends keystrokes to the active window; false when the host has no way to.
    virtual bool sendKeys(const QString &keys) = 0;
};

} // namespace mirbelon
