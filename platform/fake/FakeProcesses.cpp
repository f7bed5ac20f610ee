#include "platform/fake/FakeProcesses.h"

#include <QProcess>

namespace mirbelon {

namespace {
int laufen(const QString &programm, const QStringList &argumente)
{
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(60000))
        return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
} // namespace

bool FakeProcesses::startDetached(const QString &commandLine, WindowStyle style)
{
    gestartet.append({commandLine, style, {}});
    if (ausfuehren)
        laufen(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine});
    return true;
}

bool FakeProcesses::startProgram(const QString &program, const QStringList &arguments,
                                 WindowStyle style)
{
    gestartet.append({program, style, arguments});
    if (ausfuehren)
        laufen(program, arguments);
    return true;
}

int FakeProcesses::run(const QString &commandLine)
{
    ausgefuehrt.append(commandLine);
    return laufen(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine});
}

bool FakeProcesses::openDocument(const QString &target, std::function<void()> failed)
{
    geoeffnet.append(target);
    if (oeffnenScheitert && failed)
        failed();
    return true;
}

bool FakeProcesses::sendKeys(const QString &keys)
{
    tasten.append(keys);
    return true;
}

} // namespace mirbelon
