#include "platform/posix/MountedDrives.h"

#include "platform/posix/GvfsDevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMetaObject>
#include <QSocketNotifier>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// udev escapes blanks and other bytes of a label as "\x20".
QString unescapeLinkName(const QString &name)
{
    QByteArray raw = QFile::encodeName(name);
    QByteArray out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        bool ok = false;
        const int code = raw.mid(i + 2, 2).toInt(&ok, 16);
        if (raw.at(i) == '\\' && i + 3 < raw.size() && raw.at(i + 1) == 'x' && ok) {
            out.append(char(code));
            i += 3;
        } else {
            out.append(raw.at(i));
        }
    }
    return QString::fromUtf8(out);
}

// The names in a folder of links to block devices (by-uuid, by-label), by
// the device each link leads to.
QHash<dev_t, QString> namesByDevice(const QString &folder)
{
    QHash<dev_t, QString> names;
    const QStringList links = QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &link : links) {
        struct stat st;
        if (::stat(QFile::encodeName(folder + QLatin1Char('/') + link).constData(), &st) == 0
            && S_ISBLK(st.st_mode))
            names.insert(st.st_rdev, unescapeLinkName(link));
    }
    return names;
}

// "98:0" of the mount table.
dev_t deviceOf(const QByteArray &field)
{
    const qsizetype colon = field.indexOf(':');
    return colon < 0 ? dev_t(0) : makedev(field.left(colon).toUInt(), field.mid(colon + 1).toUInt());
}

} // namespace

MountedDrives::MountedDrives(DriveTable fixed)
    : m_table(std::make_shared<const DriveTable>(std::move(fixed)))
{
}

MountedDrives::MountedDrives(const QString &home, const QStringList &mediaRoots, const QString &devDisk,
                             const QString &gvfs)
    : m_home(home), m_devDisk(devDisk)
{
    for (const QString &root : mediaRoots) {
        if (root.startsWith(QLatin1Char('/')))
            m_roots << QDir::cleanPath(root);
    }
    m_mountInfo = ::open(kMountInfo, O_RDONLY | O_CLOEXEC);
    if (gvfs.startsWith(QLatin1Char('/'))) {
        // News from the GVfs thread: the table is made anew at its next
        // reading, and the window hears of it on its own thread.
        m_gvfs = std::make_unique<GvfsDevices>(QDir::cleanPath(gvfs), [this] {
            m_devicesChanged = true;
            std::lock_guard lock(m_receiverMutex);
            if (m_receiver)
                QMetaObject::invokeMethod(m_receiver.get(), [this] {
                    if (m_changed)
                        m_changed();
                }, Qt::QueuedConnection);
        });
    }
    std::lock_guard lock(m_mutex);
    m_table = std::make_shared<const DriveTable>(DriveTable::defaults(home, media(), m_memory));
}

MountedDrives::~MountedDrives()
{
    m_gvfs.reset(); // its thread tells m_receiver
    m_watch.reset();
    for (const int fd : {m_mountInfo, m_watchFd}) {
        if (fd >= 0)
            ::close(fd);
    }
}

std::unique_ptr<MountedDrives> MountedDrives::fromEnvironment()
{
    if (qEnvironmentVariableIsSet("MIRBELON_DRIVES"))
        return std::make_unique<MountedDrives>(
            DriveTable::parse(qEnvironmentVariable("MIRBELON_DRIVES")));
    QString gvfs = qEnvironmentVariable("MIRBELON_GVFS");
    if (!qEnvironmentVariableIsSet("MIRBELON_GVFS")) {
        QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            runtime = QStringLiteral("/run/user/") + QString::number(::getuid());
        gvfs = runtime + QStringLiteral("/gvfs");
    }
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
    return std::make_unique<MountedDrives>(QDir::homePath(), roots, QStringLiteral("/dev/disk"), gvfs);
}

std::shared_ptr<const DriveTable> MountedDrives::current() const
{
    std::lock_guard lock(m_mutex);
    if (m_mountInfo < 0)
        return m_table;
    // The kernel flags the mount table as changed until it is polled again.
    pollfd p{m_mountInfo, POLLPRI, 0};
    const bool mounts = ::poll(&p, 1, 0) > 0 && (p.revents & (POLLPRI | POLLERR)) != 0;
    if (m_devicesChanged.exchange(false) || mounts)
        m_table = std::make_shared<const DriveTable>(m_table->withMedia(media(), m_memory));
    return m_table;
}

DriveTable::Memory MountedDrives::memory() const
{
    std::lock_guard lock(m_mutex);
    return m_memory;
}

void MountedDrives::setMemory(const DriveTable::Memory &memory) const
{
    std::lock_guard lock(m_mutex);
    if (m_mountInfo < 0)
        return;
    m_memory = memory;
    m_table = std::make_shared<const DriveTable>(DriveTable::defaults(m_home, media(), m_memory));
}

void MountedDrives::whenChanged(std::function<void()> changed) const
{
    m_changed = std::move(changed);
    if (m_gvfs) {
        std::lock_guard lock(m_receiverMutex);
        if (!m_receiver)
            m_receiver = std::make_unique<QObject>();
    }
    if (m_mountInfo < 0 || m_watch || !m_changed)
        return;
    // A second reading of its own: the kernel flags a change once per open file.
    m_watchFd = ::open(kMountInfo, O_RDONLY | O_CLOEXEC);
    if (m_watchFd < 0)
        return;
    m_watch = std::make_unique<QSocketNotifier>(m_watchFd, QSocketNotifier::Exception);
    QObject::connect(m_watch.get(), &QSocketNotifier::activated, m_watch.get(), [this] {
        if (m_changed)
            m_changed();
    });
}

void MountedDrives::refreshDevices() const
{
    if (m_gvfs)
        m_gvfs->refresh();
}

QList<DriveTable::Medium> MountedDrives::media() const
{
    QList<DriveTable::Medium> found = mediaMounts();
    if (m_gvfs)
        found << m_gvfs->devices();
    return found;
}

QList<DriveTable::Medium> MountedDrives::mediaMounts() const
{
    QList<DriveTable::Medium> found;
    if (m_mountInfo < 0)
        return found;
    const QHash<dev_t, QString> uuids = namesByDevice(m_devDisk + QStringLiteral("/by-uuid"));
    const QHash<dev_t, QString> labels = namesByDevice(m_devDisk + QStringLiteral("/by-label"));
    // "36 35 98:0 /root /mount/point options ..."; the third field is the
    // device, the fifth the mount point.
    const QByteArray content = readAllOf(m_mountInfo);
    for (const QByteArray &line : content.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 5)
            continue;
        const QString point = unescapeMountPoint(fields.at(4));
        for (const QString &root : m_roots) {
            if (isBelow(point, root)) {
                const dev_t device = deviceOf(fields.at(2));
                found << DriveTable::Medium{point, uuids.value(device), labels.value(device)};
                break;
            }
        }
    }
    return found;
}

} // namespace mirbelon
