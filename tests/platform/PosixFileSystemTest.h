#pragma once

// Drives C and E on a temporary folder, with helpers for its files.

#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixProfileFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mirbelon {

class PosixFileSystemTest : public ::testing::Test
{
protected:
    PosixFileSystemTest()
        : fs(DriveTable::parse(QStringLiteral("C=%1/C;E=%1/E").arg(root.path())))
    {
        QDir().mkpath(root.path() + QStringLiteral("/C"));
        QDir().mkpath(root.path() + QStringLiteral("/E"));
    }

    QString host(const QString &relative) const { return root.path() + QLatin1Char('/') + relative; }

    void write(const QString &relative, const QByteArray &data)
    {
        QDir().mkpath(QFileInfo(host(relative)).path());
        QFile f(host(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
    }

    QByteArray read(const QString &relative) const
    {
        QFile f(host(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QStringList names(const QString &relative) const
    {
        return QDir(host(relative)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                              | QDir::NoDotAndDotDot, QDir::Name);
    }

    // Runs `check` where folder permissions count: as root in a child process
    // that has become the ordinary user `uid`, otherwise directly.
    bool withoutPrivileges(const std::function<bool()> &check, uid_t uid = 65534)
    {
        if (::geteuid() != 0)
            return check();
        ::chmod(QFile::encodeName(root.path()).constData(), 0777);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const bool ok = ::setgid(uid) == 0 && ::setuid(uid) == 0 && check();
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    QTemporaryDir root;
    PosixFileSystem fs;
};

} // namespace mirbelon
