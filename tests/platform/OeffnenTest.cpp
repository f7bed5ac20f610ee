#include "platform/posix/PosixProcesses.h"
#include "platform/posix/PosixFileSystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

// The opener found on PATH, with the exit code xdg-open gives.
class OeffnenTest : public ::testing::Test
{
protected:
    OeffnenTest() : files(DriveTable::parse(QStringLiteral("C=") + ordner.path())), processes(files)
    {
        m_path = qgetenv("PATH");
        qputenv("PATH", ordner.path().toLocal8Bit());
    }
    ~OeffnenTest() override { qputenv("PATH", m_path); }

    void opener(int exitCode)
    {
        QFile skript(ordner.path() + QStringLiteral("/xdg-open"));
        ASSERT_TRUE(skript.open(QIODevice::WriteOnly));
        skript.write(QStringLiteral("#!/bin/sh\necho \"$1\" >\"$0.arg\"\nexit %1\n").arg(exitCode).toUtf8());
        skript.close();
        skript.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir ordner;
    PosixFileSystem files;
    PosixProcesses processes;

private:
    QByteArray m_path;
};

TEST_F(OeffnenTest, FailureOfTheOpenerIsReported)
{
    struct Fall
    {
        int exitCode;
        bool gemeldet;
    };
    const QString arg = ordner.path() + QStringLiteral("/xdg-open.arg");
    for (const Fall f : {Fall{4, true}, Fall{3, true}, Fall{0, false}}) {
        SCOPED_TRACE(f.exitCode);
        opener(f.exitCode);
        QFile::remove(arg);
        bool gemeldet = false;
        ASSERT_TRUE(processes.openDocument(QStringLiteral("C:\\Bild.jpg"), [&] { gemeldet = true; }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(arg); }, 10000));
        // The opener's end comes back as an event.
        (void)QTest::qWaitFor([&] { return gemeldet; }, f.gemeldet ? 10000 : 300);
        EXPECT_EQ(gemeldet, f.gemeldet);
    }
    QFile datei(arg);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_EQ(datei.readAll().trimmed(), (ordner.path() + QStringLiteral("/Bild.jpg")).toLocal8Bit());
}

TEST_F(OeffnenTest, NoOpenerIsAFailureAtOnce)
{
    EXPECT_FALSE(processes.openDocument(QStringLiteral("C:\\Bild.jpg"), [] {}));
}

} // namespace
} // namespace mirbelon
