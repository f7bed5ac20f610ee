#include "platform/posix/MountedDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace mirbelon {

namespace {

const char kMountInfo[] = "/proc/self/mountinfo";

// Mount points in the mount table are escaped octal ("\040" for a blank).
QString unescapeMountPoint(const QByteArray &field)
{
    QByteArray raw;
    raw.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                raw.append(char(code));
                i += 3;
                continue;
            }
        }
        raw.append(field.at(i));
    }
    return QFile::decodeName(raw);
}

QByteArray readAllOf(int fd)
{
    QByteArray content;
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return content;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        content.append(buffer, n);
    }
    return content;
}

bool isBelow(const QString &path, const QString &root)
{
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

} // namespace

MountedDrives::MountedDrives(DriveTable fixed)
    : m_table(std::make_shared<const DriveTable>(std::move(fixed)))
{
}

MountedDrives::MountedDrives(const QString &home, const QStringList &mediaRoots)
{
    for (const QString &root : mediaRoots) {
        if (root.startsWith(QLatin1Char('/')))
            m_roots << QDir::cleanPath(root);
    }
    m_mountInfo = ::open(kMountInfo, O_RDONLY | O_CLOEXEC);
    std::lock_guard lock(m_mutex);
    m_table = std::make_shared<const DriveTable>(DriveTable::defaults(home, mediaMounts()));
}

MountedDrives::~MountedDrives()
{
    if (m_mountInfo >= 0)
        ::close(m_mountInfo);
}

std::unique_ptr<MountedDrives> MountedDrives::fromEnvironment()
{
    if (qEnvironmentVariableIsSet("MIRBELON_DRIVES"))
        return std::make_unique<MountedDrives>(
            DriveTable::parse(qEnvironmentVariable("MIRBELON_DRIVES")));
    QStringList roots;
    if (qEnvironmentVariableIsSet("MIRBELON_MEDIA")) {
        roots = qEnvironmentVariable("MIRBELON_MEDIA").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    } else {
        QString user = qEnvironmentVariable("USER");
        if (user.isEmpty())
            user = QFileInfo(QDir::homePath()).fileName();
        roots << QStringLiteral("/media/") + user << QStringLiteral("/run/media/") + user
              << QStringLiteral("/mnt");
    }
    return std::make_unique<MountedDrives>(QDir::homePath(), roots);
}

std::shared_ptr<const DriveTable> MountedDrives::current() const
{
    std::lock_guard lock(m_mutex);
    if (m_mountInfo < 0)
        return m_table;
    // The kernel flags the mount table as changed until it is polled again.
    pollfd p{m_mountInfo, POLLPRI, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLPRI | POLLERR)) != 0)
        m_table = std::make_shared<const DriveTable>(m_table->withMedia(mediaMounts()));
    return m_table;
}

QStringList MountedDrives::mediaMounts() const
{
    QStringList found;
    if (m_mountInfo < 0)
        return found;
    // "36 35 98:0 /root /mount/point options ..."; the fifth field is the mount point.
    const QByteArray content = readAllOf(m_mountInfo);
    for (const QByteArray &line : content.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 5)
            continue;
        const QString point = unescapeMountPoint(fields.at(4));
        for (const QString &root : m_roots) {
            if (isBelow(point, root)) {
                found << point;
                break;
            }
        }
    }
    return found;
}

} // namespace mirbelon
