#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"

#include <QFile>

#include <algorithm>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace mirbelon {

using namespace posixfs;

namespace {

// File systems that leave the decision on reading a file to the kernel's
// generic check of the mode bits (they have no permission check of their
// own, or, as btrfs, one for writing only).
bool genericPermissions(const struct statfs &fs)
{
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53: // ext2, ext3, ext4
    case 0x58465342: // xfs
    case 0x9123683E: // btrfs
    case 0x01021994: // tmpfs
    case 0x4D44: // msdos, vfat
    case 0x2011BAB0: // exfat
        return true;
    default:
        return false;
    }
}

// No security module that answers access() besides the mode bits is active:
// SELinux and Smack register their file systems only when they are.
bool noModuleDecides()
{
    static const bool none = [] {
        const int fd = ::open("/proc/filesystems", O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        QByteArray all;
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
            all.append(buffer, n);
        ::close(fd);
        return n == 0 && !all.isEmpty() && !all.contains("selinuxfs") && !all.contains("smackfs");
    }();
    return none;
}

// The uid that stands for an owner unknown in our user namespace.
uid_t overflowUid()
{
    static const uid_t uid = [] {
        QFile f(QStringLiteral("/proc/sys/kernel/overflowuid"));
        bool ok = false;
        const uint value = f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toUInt(&ok) : 0;
        return ok ? uid_t(value) : uid_t(65534);
    }();
    return uid;
}

// Sizes of readable regular files, looked up folder by folder: each folder
// is opened once per run of files in it, and names are looked up relative
// to it, without a path walk per file. -1 for what is no readable file.
class FolderSizes
{
public:
    FolderSizes()
        : m_uid(::getuid())
        , m_ownBitsPossible(m_uid == ::geteuid() && m_uid != overflowUid() && noModuleDecides())
    {
    }
    ~FolderSizes()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FolderSizes(const FolderSizes &) = delete;
    FolderSizes &operator=(const FolderSizes &) = delete;

    void open(QByteArrayView folder)
    {
        if (folder == m_folder && m_fd >= 0)
            return;
        if (m_fd >= 0)
            ::close(m_fd);
        m_folder = folder.toByteArray(); // NUL-terminated, as the view is not
        m_fd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        m_ownBitsDecide = false;
        struct stat fst;
        struct statfs ffs;
        if (m_ownBitsPossible && m_fd >= 0 && ::fstat(m_fd, &fst) == 0 && ::fstatfs(m_fd, &ffs) == 0
            && genericPermissions(ffs)) {
            m_ownBitsDecide = true;
            m_dev = fst.st_dev;
        }
    }
    bool isOpen() const { return m_fd >= 0; }

    // `name`, NUL-terminated, in the open folder.
    qint64 sizeIn(const char *name) const
    {
        struct stat st;
        // access() for a file of ours is decided by its owner bits alone
        // where the file system leaves the check to the kernel: it looks at
        // the owner's bits first and grants reading on them, without ACLs or
        // capabilities. There the stat tells what access() would.
        const bool readable = m_fd >= 0 && ::fstatat(m_fd, name, &st, 0) == 0 && S_ISREG(st.st_mode)
            && ((m_ownBitsDecide && st.st_dev == m_dev && st.st_uid == m_uid
                    && (st.st_mode & S_IRUSR) != 0)
                || ::faccessat(m_fd, name, R_OK, 0) == 0);
        return readable ? qint64(st.st_size) : -1;
    }

    // A host file by its full path.
    qint64 sizeOf(const QByteArray &host)
    {
        // parentOf() and nameOf() without a copy of either.
        const qsizetype slash = host.lastIndexOf('/');
        open(slash <= 0 ? QByteArrayView("/") : QByteArrayView(host).first(slash));
        return sizeIn(host.constData() + slash + 1);
    }

private:
    const uid_t m_uid;
    const bool m_ownBitsPossible;
    QByteArray m_folder; // open as m_fd
    int m_fd = -1;
    bool m_ownBitsDecide = false;
    dev_t m_dev = 0;
};

} // namespace

bool PosixFileSystem::canRead(const FileRef &file) const
{
    const QByteArray host = hostFile(file);
    struct stat st;
    return statOf(host, st) && S_ISREG(st.st_mode) && ::access(host.constData(), R_OK) == 0;
}

bool PosixFileSystem::isFolder(const QString &path) const
{
    return folderExists(hostPath(path));
}

bool PosixFileSystem::exists(const QString &path) const
{
    struct stat st;
    return statOf(hostPath(path), st);
}

std::optional<FileId> PosixFileSystem::id(const FileRef &file) const
{
    struct stat st;
    if (!statOf(hostFile(file), st))
        return std::nullopt;
    return FileId{quint64(st.st_dev), quint64(st.st_ino)};
}

std::optional<QList<DirEntry>> PosixFileSystem::list(const FileRef &folder) const
{
    const QByteArray host = hostFile(folder);
    if (host.isEmpty())
        return std::nullopt;
    const QString text = QFile::decodeName(host);
    if (enc(text) != host) {
        // The cache knows folders by their text; this one has none of its own.
        struct stat st;
        PosixNameCache::Listing l;
        if (!statOf(host, st) || !S_ISDIR(st.st_mode) || !PosixNameCache::read(host, st, l))
            return std::nullopt;
        return PosixNameCache::entries(l, host);
    }
    std::lock_guard lock(m_cache->mutex);
    const PosixNameCache::Listing *l = m_cache->listing(text);
    if (l == nullptr)
        return std::nullopt;
    return PosixNameCache::entries(*l, host);
}

qint64 PosixFileSystem::size(const FileRef &file) const
{
    struct stat st;
    if (!statOf(hostFile(file), st) || !S_ISREG(st.st_mode))
        return -1;
    return qint64(st.st_size);
}

std::optional<QDateTime> PosixFileSystem::modified(const FileRef &file) const
{
    struct stat st;
    if (!statOf(hostFile(file), st))
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(nanos(st.st_mtim) / 1'000'000);
}

QList<qint64> PosixFileSystem::readableSizes(const QList<FileRef> &files) const
{
    const bool allKnown = std::all_of(
        files.cbegin(), files.cend(), [](const FileRef &f) { return !f.host.isEmpty(); });
    if (allKnown)
        return hostSizes(files);

    // Photos come folder by folder: each folder is opened, and for names
    // still to be resolved its listing checked, once per run of files in it.
    QList<qint64> sizes;
    sizes.reserve(files.size());
    QString folder; // of the last program path resolved
    QByteArray folderOfListing;
    std::optional<PosixNameCache::Listing> listing;
    FolderSizes sizer;
    for (const FileRef &file : files) {
        if (!file.host.isEmpty()) {
            sizes.append(sizer.sizeOf(file.host));
            continue;
        }
        const QString &path = file.path;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('\\'));
        // Drive roots and odd paths take the way of single calls.
        if (slash <= 2 || slash + 1 == path.size()) {
            sizes.append(canRead(file) ? size(file) : -1);
            continue;
        }
        if (folder.isEmpty() || QStringView(path).left(slash) != folder) {
            folder = path.left(slash);
            const QString host = hostPath(folder);
            std::lock_guard lock(m_cache->mutex);
            const PosixNameCache::Listing *l = host.isEmpty() ? nullptr : m_cache->listing(host);
            listing = l ? std::optional<PosixNameCache::Listing>(*l) : std::nullopt;
            folderOfListing = enc(host);
        }
        if (listing)
            sizer.open(folderOfListing);
        if (!listing || !sizer.isOpen()) {
            sizes.append(canRead(file) ? size(file) : -1);
            continue;
        }
        bool missing = false;
        const QByteArray name
            = enc(PosixNameCache::spelling(*listing, path.mid(slash + 1), missing));
        sizes.append(missing ? -1 : sizer.sizeIn(name.constData()));
    }
    return sizes;
}

QList<qint64> PosixFileSystem::hostSizes(const QList<FileRef> &files) const
{
    // One stat per file is all a size costs.
    FolderSizes sizer;
    QList<qint64> sizes;
    sizes.reserve(files.size());
    for (const FileRef &file : files)
        sizes.append(sizer.sizeOf(file.host));
    return sizes;
}

std::optional<FileStamp> PosixFileSystem::stamp(const FileRef &file) const
{
    struct stat st;
    if (!statOf(hostFile(file), st) || !S_ISREG(st.st_mode))
        return std::nullopt;
    return fullStamp(st);
}

FileSystem::State PosixFileSystem::state(const FileRef &file) const
{
    State s;
    struct stat st;
    if (!statOf(hostFile(file), st))
        return s;
    s.exists = true;
    s.readOnly = !ownerMayWrite(st);
    if (S_ISREG(st.st_mode))
        s.stamp = fullStamp(st);
    return s;
}

bool PosixFileSystem::isReadOnly(const FileRef &file) const
{
    struct stat st;
    return statOf(hostFile(file), st) && !ownerMayWrite(st);
}

} // namespace mirbelon
