#pragma once

#include "platform/FileSystem.h"
#include "platform/Processes.h"

namespace mirbelon {

// /bin/sh -c for command lines, xdg-open for the Open action, xdotool for keys.
class PosixProcesses : public Processes
{
public:
    explicit PosixProcesses(const FileSystem &files) : m_files(files) {}

    bool startDetached(const QString &commandLine, WindowStyle style) override;
    bool startProgram(const QString &program, const QStringList &arguments, WindowStyle style) override;
    int run(const QString &commandLine) override;
    bool openDocument(const QString &target) override;
    bool sendKeys(const QString &keys) override;

private:
    const FileSystem &m_files;
};

} // namespace mirbelon
