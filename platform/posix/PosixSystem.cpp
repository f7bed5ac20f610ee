#include "platform/posix/PosixSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <QUuid>

#include <ctime>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon {

namespace {

// $NAME when set and absolute, otherwise the home folder plus `fallback`.
QString xdgFolder(const char *name, const char *fallback)
{
    const QString value = qEnvironmentVariable(name);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallback);
}

// Creates the folder and its parents; the last level gets `mode`.
void makeFolders(const QString &host, mode_t mode)
{
    QDir().mkpath(QFileInfo(host).path());
    ::mkdir(QFile::encodeName(host).constData(), mode);
}

QString withoutTrailingBackslash(QString path)
{
    if (path.size() > 3 && path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return path;
}

} // namespace

qint64 PosixSystem::availableMemory() const
{
    QFile f(QStringLiteral("/proc/meminfo"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    // /proc files report no size, so read them whole instead of testing atEnd().
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("MemAvailable:")) {
            const QList<QByteArray> parts = line.mid(13).simplified().split(' ');
            const qint64 kb = parts.value(0).toLongLong();
            return parts.value(1) == "kB" ? kb * 1024 : kb;
        }
    }
    return 0;
}

QString PosixSystem::loginName() const
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
    struct passwd pw;
    struct passwd *found = nullptr;
    if (::getpwuid_r(::geteuid(), &pw, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return qEnvironmentVariable("USER");
}

QString PosixSystem::env(const QString &name) const
{
    if (name.isEmpty())
        return QString();
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The exact spelling first, then any other.
    const auto lookUp = [&environment](const QString &wanted) {
        if (environment.contains(wanted))
            return environment.value(wanted);
        for (const QString &key : environment.keys()) {
            if (key.compare(wanted, Qt::CaseInsensitive) == 0)
                return environment.value(key);
        }
        return QString();
    };
    const QString value = lookUp(name);
    const bool tempName = name.compare(QLatin1String("Tmp"), Qt::CaseInsensitive) == 0
                          || name.compare(QLatin1String("Temp"), Qt::CaseInsensitive) == 0;
    if (!value.isEmpty() || !tempName)
        return value;
    if (!lookUp(QStringLiteral("Tmp")).isEmpty() || !lookUp(QStringLiteral("Temp")).isEmpty())
        return QString();

    // Owner-only: the folder receives the user's photos before they are deleted.
    const QString folder = xdgFolder("XDG_CACHE_HOME", ".cache") + QStringLiteral("/Brenlo/Temp");
    makeFolders(folder, 0700);
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    return withoutTrailingBackslash(m_files.programPath(folder));
}

quint32 PosixSystem::tickCount() const
{
    struct timespec t;
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return quint32(quint64(t.tv_sec) * 1000 + quint64(t.tv_nsec) / 1'000'000);
}

QDateTime PosixSystem::now() const
{
    return QDateTime::currentDateTime();
}

void PosixSystem::sleepMs(int ms)
{
    if (ms > 0)
        QThread::msleep(ulong(ms));
}

QString PosixSystem::currentFolder() const
{
    return withoutTrailingBackslash(m_files.programPath(QDir::currentPath()));
}

QString PosixSystem::executablePath() const
{
    QString host;
    if (QCoreApplication::instance() != nullptr)
        host = QCoreApplication::applicationFilePath();
    if (host.isEmpty())
        host = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return m_files.programPath(host);
}

QString PosixSystem::appDataFolder() const
{
    return withoutTrailingBackslash(m_files.programPath(xdgFolder("XDG_CONFIG_HOME", ".config")));
}

QString PosixSystem::windowsFolder() const
{
    const QString folder =
        xdgFolder("XDG_DATA_HOME", ".local/share") + QStringLiteral("/Brenlo/Windows");
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    return withoutTrailingBackslash(m_files.programPath(folder));
}

QString PosixSystem::systemFolder() const
{
    const QString folder = xdgFolder("XDG_DATA_HOME", ".local/share")
                           + QStringLiteral("/Brenlo/Windows/System32");
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    return withoutTrailingBackslash(m_files.programPath(folder));
}

QString PosixSystem::picturesFolder() const
{
    // The desktop's own answer, in the user's language; without the tool
    // (no xdg-user-dirs installed) the home folder, as the tool itself
    // answers when no picture folder is set.
    QProcess frage;
    frage.start(QStringLiteral("xdg-user-dir"), {QStringLiteral("PICTURES")}, QIODevice::ReadOnly);
    QString folder;
    if (frage.waitForFinished(3000) && frage.exitStatus() == QProcess::NormalExit && frage.exitCode() == 0)
        folder = QString::fromLocal8Bit(frage.readAllStandardOutput()).trimmed();
    else
        frage.kill();
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        folder = QDir::homePath();
    return withoutTrailingBackslash(m_files.programPath(QDir::cleanPath(folder)));
}

QString PosixSystem::newGuid() const
{
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

} // namespace mirbelon
