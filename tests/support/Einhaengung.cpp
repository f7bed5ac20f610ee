#include "tests/support/Einhaengung.h"

#include <QProcess>

#include <unistd.h>

namespace mirbelon::test {

namespace {

// Runs a host program and waits; true when it ended with 0.
bool Ausfuehren(const QString &programm, const QStringList &argumente)
{
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

bool Einhaengung::tmpfs(const QString &ordner, const QString &groesse)
{
    if (::geteuid() != 0
        || !Ausfuehren("mount", {"-t", "tmpfs", "-o", "size=" + groesse, "tmpfs", ordner}))
        return false;
    m_ordner << ordner;
    return true;
}

bool Einhaengung::nurLesen(const QString &ordner)
{
    if (::geteuid() != 0 || !Ausfuehren("mount", {"--bind", ordner, ordner}))
        return false;
    m_ordner << ordner;
    return Ausfuehren("mount", {"-o", "remount,bind,ro", ordner});
}

void Einhaengung::loesen()
{
    for (auto it = m_ordner.rbegin(); it != m_ordner.rend(); ++it) {
        if (!Ausfuehren("umount", {*it}))
            Ausfuehren("umount", {"-l", *it});
    }
    m_ordner.clear();
}

} // namespace mirbelon::test
