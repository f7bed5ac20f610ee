#pragma once

#include "platform/FileSystem.h"
#include "platform/Processes.h"

#include <QObject>

#include <memory>

namespace mirbelon {

// /bin/sh -c for command lines, xdg-open for the Open action, xdotool for keys.
class PosixProcesses : public Processes
{
public:
    explicit PosixProcesses(const FileSystem &files);
    ~PosixProcesses() override;

    bool startDetached(const QString &commandLine, WindowStyle style) override;
    bool startProgram(const QString &program, const QStringList &arguments, WindowStyle style) override;
    int run(const QString &commandLine) override;
    bool openDocument(const QString &target, std::function<void()> failed = {}) override;
    bool sendKeys(const QString &keys) override;

private:
    const FileSystem &m_files;
    std::unique_ptr<QObject> m_openers; // parent of the xdg-open calls still running
};

} // namespace mirbelon
