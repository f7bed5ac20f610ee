#include "platform/posix/PosixSystem.h"

#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcesses.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

namespace mirbelon {
namespace {

// Sets or unsets an environment variable for the lifetime of the object.
class Variable
{
public:
    Variable(const char *name, std::optional<QByteArray> value) : m_name(name)
    {
        m_had = qEnvironmentVariableIsSet(name);
        m_old = qgetenv(name);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~Variable()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had = false;
    QByteArray m_old;
};

class PosixSystemTest : public ::testing::Test
{
protected:
    PosixSystemTest()
        : files(DriveTable::parse(QStringLiteral("C=") + root.path())), system(files)
    {
    }

    QTemporaryDir root;
    PosixFileSystem files;
    PosixSystem system;
};

TEST_F(PosixSystemTest, EnvironmentNamesIgnoreCaseWithTheExactSpellingFirst)
{
    const Variable upper("MIRBELON_PROBE", QByteArray("gross"));
    const Variable mixed("Mirbelon_Probe", QByteArray("gemischt"));
    const Variable only("MIRBELON_NUR", QByteArray("eins"));
    EXPECT_EQ(system.env(QStringLiteral("MIRBELON_PROBE")), QStringLiteral("gross"));
    EXPECT_EQ(system.env(QStringLiteral("Mirbelon_Probe")), QStringLiteral("gemischt"));
    EXPECT_EQ(system.env(QStringLiteral("mirbelon_nur")), QStringLiteral("eins"));
    EXPECT_EQ(system.env(QStringLiteral("MIRBELON_GIBT_ES_NICHT")), QString());
    EXPECT_EQ(system.env(QString()), QString());
}

TEST_F(PosixSystemTest, TmpAndTempStandForAPrivateFolderWhenNeitherIsSet)
{
    const Variable tmp("TMP", std::nullopt);
    const Variable temp("TEMP", std::nullopt);
    const Variable cache("XDG_CACHE_HOME", (root.path() + QStringLiteral("/cache")).toUtf8());
    for (const char *name : {"Tmp", "TEMP", "temp"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(system.env(QString::fromLatin1(name)), QStringLiteral("C:\\cache\\Brenlo\\Temp"));
    }
    struct stat st;
    ASSERT_EQ(::stat(qPrintable(root.path() + QStringLiteral("/cache/Brenlo/Temp")), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(PosixSystemTest, ASetTempVariableKeepsItsValue)
{
    const Variable tmp("TMP", std::nullopt);
    const Variable temp("TEMP", QByteArray("/var/tmp/anna"));
    EXPECT_EQ(system.env(QStringLiteral("Temp")), QStringLiteral("/var/tmp/anna"));
    EXPECT_EQ(system.env(QStringLiteral("Tmp")), QString()); // the caller falls back to Temp
}

TEST_F(PosixSystemTest, FoldersArePerUserProgramPaths)
{
    const Variable config("XDG_CONFIG_HOME", (root.path() + QStringLiteral("/conf")).toUtf8());
    const Variable data("XDG_DATA_HOME", (root.path() + QStringLiteral("/data")).toUtf8());
    EXPECT_EQ(system.appDataFolder(), QStringLiteral("C:\\conf"));
    EXPECT_EQ(system.windowsFolder(), QStringLiteral("C:\\data\\Brenlo\\Windows"));
    EXPECT_EQ(system.systemFolder(), QStringLiteral("C:\\data\\Brenlo\\Windows\\System32"));
    EXPECT_TRUE(QFileInfo(root.path() + QStringLiteral("/data/Brenlo/Windows/System32")).isDir());
}

TEST_F(PosixSystemTest, PicturesFolderIsTheDesktopsOrElseTheHomeFolder)
{
    const QString bin = root.path() + QStringLiteral("/bin");
    QDir().mkpath(bin);
    QDir().mkpath(root.path() + QStringLiteral("/home/Bilder"));
    const Variable home("HOME", (root.path() + QStringLiteral("/home")).toUtf8());
    const Variable path("PATH", bin.toUtf8());
    struct Fall
    {
        const char *name;
        const char *skript; // the tool's body; nullptr: no tool
        QString erwartet;
    } faelle[] = {
        {"the desktop's folder", "echo \"$HOME/Bilder/\"", QStringLiteral("C:\\home\\Bilder")},
        {"no tool installed", nullptr, QStringLiteral("C:\\home")},
        {"the tool fails", "exit 1", QStringLiteral("C:\\home")},
        {"no absolute answer", "echo Bilder", QStringLiteral("C:\\home")},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        QFile werkzeug(bin + QStringLiteral("/xdg-user-dir"));
        werkzeug.remove();
        if (f.skript) {
            ASSERT_TRUE(werkzeug.open(QIODevice::WriteOnly));
            werkzeug.write(QByteArray("#!/bin/sh\n") + f.skript + "\n");
            werkzeug.close();
            werkzeug.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
        EXPECT_EQ(system.picturesFolder(), f.erwartet);
    }
}

TEST_F(PosixSystemTest, ExecutableIsTheProgramFileAsProgramPath)
{
    const QString exe = system.executablePath();
    EXPECT_TRUE(exe.startsWith(QStringLiteral("Z:\\"))) << exe.toStdString();
    EXPECT_TRUE(exe.endsWith(QStringLiteral("\\tests_platform"))) << exe.toStdString();
}

TEST_F(PosixSystemTest, FactsOfTheHost)
{
    EXPECT_GT(system.availableMemory(), 0);
    EXPECT_FALSE(system.loginName().isEmpty());
    const QRegularExpression guid(QStringLiteral(
        "^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    const QString a = system.newGuid();
    EXPECT_TRUE(guid.match(a).hasMatch()) << a.toStdString();
    EXPECT_NE(a, system.newGuid());
    const quint32 before = system.tickCount();
    system.sleepMs(20);
    EXPECT_GE(system.tickCount() - before, 20u);
    EXPECT_FALSE(system.currentFolder().isEmpty());
}

TEST(PosixProcesses, RunWaitsAndGivesTheExitCode)
{
    const PosixFileSystem files(DriveTable::parse(QString()));
    PosixProcesses processes(files);
    EXPECT_EQ(processes.run(QStringLiteral("exit 3")), 3);
    EXPECT_EQ(processes.run(QStringLiteral("true")), 0);
}

} // namespace
} // namespace mirbelon
