#include "platform/posix/PosixFileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace mirbelon {

namespace {

const QString kQuelle = QStringLiteral("Dateisystem");
const QString kTempSuffix = QStringLiteral(".mirbelon-part");

// Above this many cached directories the cache starts afresh.
constexpr qsizetype kMaxListings = 4096;
// A listing read this soon after the directory changed may miss a change that
// kept the same time stamp (FAT keeps two seconds), so it is read again.
constexpr qint64 kRacyNs = 2'000'000'000;
// The file's own folder is checked on every call; the folders above it, which
// only matter when a second spelling of them appears, at most this often.
constexpr qint64 kFolderCheckNs = 1'000'000'000;

QByteArray enc(const QString &hostPath)
{
    return QFile::encodeName(hostPath);
}

bool statOf(const QString &host, struct stat &st)
{
    return !host.isEmpty() && ::stat(enc(host).constData(), &st) == 0;
}

QString parentOf(const QString &host)
{
    const qsizetype slash = host.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : host.left(slash);
}

QString nameOf(const QString &host)
{
    return host.mid(host.lastIndexOf(QLatin1Char('/')) + 1);
}

QString joined(const QString &folder, const QString &name)
{
    return folder == QLatin1String("/") ? QLatin1Char('/') + name
                                        : folder + QLatin1Char('/') + name;
}

bool folderExists(const QString &host)
{
    struct stat st;
    return statOf(host, st) && S_ISDIR(st.st_mode);
}

qint64 nanos(const struct timespec &t)
{
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

qint64 monotonicNs()
{
    struct timespec t;
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    return nanos(t);
}

Fehler fehler(int nummer, const QString &wo)
{
    return Fehler{nummer, FehlerStandardText(nummer) + QLatin1String(": ") + wo, kQuelle};
}

Fehler errnoFehler(int err, const QString &host)
{
    const bool ordnerFehlt = err == ENOENT && !folderExists(parentOf(host));
    return fehler(FehlerNummerAusErrno(err, ordnerFehlt), host);
}

// New files get what the user's umask allows, as with any other program.
mode_t defaultMode()
{
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mode_t(0666 & ~mask);
    }();
    return mode;
}

// Returns 0 or the errno of the failing write.
int writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(std::min<qint64>(size, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= n;
    }
    return 0;
}

// Copies from the current offsets to the end of `in`; `copied` counts the bytes.
int copyData(int in, int out, qint64 expected, qint64 &copied)
{
    copied = 0;
    bool kernelCopy = true;
    while (kernelCopy && copied < expected) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr,
                                            size_t(std::min<qint64>(expected - copied, 1 << 30)), 0);
        if (n > 0) {
            copied += n;
        } else if (n == 0) {
            kernelCopy = false; // some file systems report 0 early; read on below
        } else if (errno == EINTR) {
            continue;
        } else if (copied == 0
                   && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP
                       || errno == EPERM || errno == EBADF)) {
            kernelCopy = false;
        } else {
            return errno;
        }
    }
    // Also reads what a growing source gained, so the size check below notices it.
    std::vector<char> buffer(4 << 20);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        if (const int err = writeAll(out, buffer.data(), n))
            return err;
        copied += n;
    }
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(enc(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool diskFull(const QString &folder)
{
    struct statvfs vs;
    return ::statvfs(enc(folder).constData(), &vs) == 0 && vs.f_bavail == 0;
}

struct TempFile
{
    int fd = -1;
    QString path;
};

// A hidden file beside `name` in `folder`, created exclusively.
TempFile createTemp(const QString &folder, const QString &name)
{
    QString kurz = name;
    while (enc(kurz).size() > 150)
        kurz.chop(1);
    QByteArray pattern = enc(joined(folder, QLatin1Char('.') + kurz + QLatin1String(".XXXXXX")
                                                + kTempSuffix));
    const int fd = ::mkostemps(pattern.data(), int(enc(kTempSuffix).size()), O_CLOEXEC);
    return TempFile{fd, fd >= 0 ? QFile::decodeName(pattern) : QString()};
}

void dropTemp(TempFile &t)
{
    if (t.fd >= 0)
        ::close(t.fd);
    if (!t.path.isEmpty())
        ::unlink(enc(t.path).constData());
    t = TempFile{};
}

// Renames without ever replacing `to`; EEXIST when it is there.
int renameNoReplace(const QString &from, const QString &to)
{
    const QByteArray a = enc(from);
    const QByteArray b = enc(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    if (::link(a.constData(), b.constData()) == 0) {
        ::unlink(a.constData());
        return 0;
    }
    if (errno == EEXIST || (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS))
        return errno;
    // Neither way exists on this file system: check as closely as possible.
    struct stat st;
    if (::lstat(b.constData(), &st) == 0)
        return EEXIST;
    return ::rename(a.constData(), b.constData()) == 0 ? 0 : errno;
}

// Names that differ only in case share this key. Folding alone keeps the
// dotless i apart from the I that its upper case gives, and the list spells
// word starts in upper case; upper-casing each character first joins them.
QString caseKey(const QString &name)
{
    QString key = name;
    for (QChar &c : key) {
        if (c.unicode() >= 0x80 && !c.isSurrogate())
            c = c.toUpper();
    }
    return key.toCaseFolded();
}

bool ownerMayWrite(const struct stat &st)
{
    return (st.st_mode & S_IWUSR) != 0;
}

} // namespace

struct PosixFileSystem::Cache
{
    struct Listing
    {
        qint64 mtime = 0;
        dev_t dev = 0;
        ino_t ino = 0;
        bool racy = false;
        QHash<QString, bool> isFolder;        // by exact name
        QHash<QString, QStringList> spellings; // by case-folded name, sorted
        mutable std::optional<QList<DirEntry>> entries; // sorted, built on first use
    };

    // A directory whose listing a folder's resolution relied on.
    struct Check
    {
        QString dir;
        qint64 mtime = 0;
        dev_t dev = 0;
        ino_t ino = 0;
    };
    struct Folder
    {
        QString host;
        qint64 checkedAt = 0; // monotonic ns
        QList<Check> chain;
    };

    std::mutex mutex;
    QHash<QString, Listing> listings; // by host folder
    QHash<QString, Folder> folders;   // by the folder as spelled, in host form

    // The listing of `dir` as the disk has it now; nullptr when it cannot be listed.
    const Listing *listing(const QString &dir);
    static bool read(const QString &dir, const struct stat &st, Listing &l);
    static void add(Listing &l, const QString &name, bool folder);
    QString resolve(const QString &root, const QStringList &parts);
    // The spelling of `part` in `dir`; sets `missing` when there is none.
    QString lookUp(const QString &dir, const QString &part, bool &missing, QList<Check> *chain);
    // An exact spelling first, then the first of the others.
    static QString spelling(const Listing &l, const QString &part, bool &missing);
    QString resolveFolder(const QString &root, const QStringList &parts, const QString &given);
    bool stillValid(Folder &folder);
    // Our own change in `dir`, applied to its cached listing without a re-read.
    void note(const QString &dir, const QString &name, bool present, bool folder);
};

void PosixFileSystem::Cache::add(Listing &l, const QString &name, bool folder)
{
    l.isFolder.insert(name, folder);
    QStringList &s = l.spellings[caseKey(name)];
    s.insert(std::lower_bound(s.begin(), s.end(), name), name);
}

bool PosixFileSystem::Cache::read(const QString &dir, const struct stat &st, Listing &l)
{
    const int fd = ::open(enc(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    DIR *d = ::fdopendir(fd);
    if (d == nullptr) {
        ::close(fd);
        return false;
    }
    l = Listing{};
    l.mtime = nanos(st.st_mtim);
    l.dev = st.st_dev;
    l.ino = st.st_ino;
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    l.racy = nanos(now) - l.mtime < kRacyNs;

    while (const struct dirent *e = ::readdir(d)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        bool folder = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat es;
            folder = ::fstatat(fd, e->d_name, &es, 0) == 0 && S_ISDIR(es.st_mode);
        }
        add(l, QFile::decodeName(e->d_name), folder);
    }
    ::closedir(d);
    return true;
}

const PosixFileSystem::Cache::Listing *PosixFileSystem::Cache::listing(const QString &dir)
{
    struct stat st;
    if (!statOf(dir, st) || !S_ISDIR(st.st_mode)) {
        listings.remove(dir);
        return nullptr;
    }
    const auto it = listings.find(dir);
    if (it != listings.end() && !it->racy && it->mtime == nanos(st.st_mtim)
        && it->dev == st.st_dev && it->ino == st.st_ino)
        return &*it;

    Listing l;
    if (!read(dir, st, l)) {
        listings.remove(dir);
        return nullptr;
    }
    if (listings.size() >= kMaxListings)
        listings.clear();
    return &*listings.insert(dir, std::move(l));
}

QString PosixFileSystem::Cache::lookUp(const QString &dir, const QString &part, bool &missing,
                                       QList<Check> *chain)
{
    const Listing *l = listing(dir);
    if (l == nullptr)
        return part;
    if (chain != nullptr)
        chain->append(Check{dir, l->mtime, l->dev, l->ino});
    return spelling(*l, part, missing);
}

QString PosixFileSystem::Cache::spelling(const Listing &l, const QString &part, bool &missing)
{
    if (l.isFolder.contains(part))
        return part;
    const auto s = l.spellings.constFind(caseKey(part));
    if (s != l.spellings.constEnd())
        return s->first();
    missing = true;
    return part;
}

QString PosixFileSystem::Cache::resolveFolder(const QString &root, const QStringList &parts,
                                              const QString &given)
{
    Folder folder{root, monotonicNs(), {}};
    bool missing = false;
    for (const QString &part : parts)
        folder.host = joined(folder.host, missing ? part : lookUp(folder.host, part, missing,
                                                                   &folder.chain));
    if (!missing) {
        if (folders.size() >= kMaxListings)
            folders.clear();
        folders.insert(given, folder);
    }
    return folder.host;
}

bool PosixFileSystem::Cache::stillValid(Folder &folder)
{
    const qint64 now = monotonicNs();
    if (now - folder.checkedAt < kFolderCheckNs)
        return true;
    for (const Check &c : folder.chain) {
        struct stat st;
        if (!statOf(c.dir, st) || nanos(st.st_mtim) != c.mtime || st.st_dev != c.dev
            || st.st_ino != c.ino)
            return false;
    }
    folder.checkedAt = now;
    return true;
}

QString PosixFileSystem::Cache::resolve(const QString &root, const QStringList &parts)
{
    const QStringList folderParts = parts.first(parts.size() - 1);
    QString given = root;
    for (const QString &part : folderParts)
        given = joined(given, part);

    QString folder;
    bool cached = false;
    if (folderParts.isEmpty()) {
        folder = root;
    } else if (const auto it = folders.find(given); it != folders.end() && stillValid(*it)) {
        folder = it->host;
        cached = true;
    } else {
        folders.remove(given);
        folder = resolveFolder(root, folderParts, given);
    }

    bool missing = false;
    QString name = lookUp(folder, parts.last(), missing, nullptr);
    if (cached && listings.constFind(folder) == listings.constEnd()) {
        // The remembered folder is gone: resolve it again from the drive.
        folders.remove(given);
        folder = resolveFolder(root, folderParts, given);
        missing = false;
        name = lookUp(folder, parts.last(), missing, nullptr);
    }
    return joined(folder, name);
}

void PosixFileSystem::Cache::note(const QString &dir, const QString &name, bool present,
                                  bool folder)
{
    if (folder)
        folders.clear(); // a new or removed folder may change how names resolve
    const auto it = listings.find(dir);
    if (it == listings.end())
        return;
    struct stat st;
    if (!statOf(dir, st)) {
        listings.erase(it);
        return;
    }
    if (present) {
        if (!it->isFolder.contains(name))
            add(*it, name, folder);
        else
            it->isFolder[name] = folder;
    } else if (it->isFolder.remove(name)) {
        const QString key = caseKey(name);
        QStringList &s = it->spellings[key];
        s.removeOne(name);
        if (s.isEmpty())
            it->spellings.remove(key);
    }
    it->entries.reset();
    it->mtime = nanos(st.st_mtim);
    it->dev = st.st_dev;
    it->ino = st.st_ino;
    it->racy = false; // our own change: nothing else is known to have happened
}

PosixFileSystem::PosixFileSystem() : PosixFileSystem(DriveTable::fromEnvironment()) {}

PosixFileSystem::PosixFileSystem(DriveTable table)
    : m_table(std::move(table)), m_cache(std::make_shared<Cache>())
{
}

QString PosixFileSystem::hostPath(const QString &programPath) const
{
    const QString given = m_table.toHost(programPath);
    if (given.isEmpty())
        return QString();
    const QString root = m_table.folderOf(programPath.at(0));
    if (given.size() <= root.size())
        return given;
    const QStringList parts =
        given.mid(root == QLatin1String("/") ? 1 : root.size() + 1).split(QLatin1Char('/'));
    std::lock_guard lock(m_cache->mutex);
    return m_cache->resolve(root, parts);
}

QString PosixFileSystem::programPath(const QString &hostPath) const
{
    return m_table.toProgram(hostPath);
}

QStringList PosixFileSystem::driveLetters() const
{
    QStringList letters;
    for (const DriveTable::Drive &d : m_table.drives())
        letters << QString(d.letter);
    return letters;
}

Fehler PosixFileSystem::unknownDrive(const QString &programPath) const
{
    return fehler(68, programPath);
}

bool PosixFileSystem::canRead(const QString &path) const
{
    const QString host = hostPath(path);
    struct stat st;
    return statOf(host, st) && S_ISREG(st.st_mode) && ::access(enc(host).constData(), R_OK) == 0;
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

std::optional<QList<DirEntry>> PosixFileSystem::list(const QString &folder) const
{
    const QString host = hostPath(folder);
    if (host.isEmpty())
        return std::nullopt;
    std::lock_guard lock(m_cache->mutex);
    const Cache::Listing *l = m_cache->listing(host);
    if (l == nullptr)
        return std::nullopt;
    if (!l->entries) {
        QList<DirEntry> entries;
        entries.reserve(l->isFolder.size());
        for (auto it = l->isFolder.constBegin(); it != l->isFolder.constEnd(); ++it)
            entries.append(
                DirEntry{it.key(), it.value(), it.key().startsWith(QLatin1Char('.'))});
        std::sort(entries.begin(), entries.end(), [](const DirEntry &a, const DirEntry &b) {
            const int c = QString::compare(a.name, b.name, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a.name < b.name;
        });
        l->entries = std::move(entries);
    }
    return *l->entries;
}

qint64 PosixFileSystem::size(const QString &path) const
{
    struct stat st;
    if (!statOf(hostPath(path), st) || !S_ISREG(st.st_mode))
        return -1;
    return qint64(st.st_size);
}

std::optional<QDateTime> PosixFileSystem::modified(const QString &path) const
{
    struct stat st;
    if (!statOf(hostPath(path), st))
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(nanos(st.st_mtim) / 1'000'000);
}

QList<qint64> PosixFileSystem::readableSizes(const QStringList &paths) const
{
    // Photos come folder by folder: each folder is resolved and its listing
    // checked once per run of paths in it, not once per file.
    QList<qint64> sizes;
    sizes.reserve(paths.size());
    QString folder;
    QString hostFolder;
    std::optional<Cache::Listing> listing;
    // Names are looked up relative to the open folder: no path walk per file.
    int folderFd = -1;
    const auto closeFolder = [&folderFd] {
        if (folderFd >= 0)
            ::close(folderFd);
        folderFd = -1;
    };
    for (const QString &path : paths) {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('\\'));
        // Drive roots and odd paths take the way of single calls.
        if (slash <= 2 || slash + 1 == path.size()) {
            sizes.append(canRead(path) ? size(path) : -1);
            continue;
        }
        if (folder.isEmpty() || QStringView(path).left(slash) != folder) {
            folder = path.left(slash);
            hostFolder = hostPath(folder);
            {
                std::lock_guard lock(m_cache->mutex);
                const Cache::Listing *l =
                    hostFolder.isEmpty() ? nullptr : m_cache->listing(hostFolder);
                listing = l ? std::optional<Cache::Listing>(*l) : std::nullopt;
            }
            closeFolder();
            if (listing)
                folderFd = ::open(enc(hostFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        if (!listing || folderFd < 0) {
            sizes.append(canRead(path) ? size(path) : -1);
            continue;
        }
        bool missing = false;
        const QByteArray name = enc(Cache::spelling(*listing, path.mid(slash + 1), missing));
        struct stat st;
        const bool readable = !missing && ::fstatat(folderFd, name.constData(), &st, 0) == 0
                              && S_ISREG(st.st_mode)
                              && ::faccessat(folderFd, name.constData(), R_OK, 0) == 0;
        sizes.append(readable ? qint64(st.st_size) : -1);
    }
    closeFolder();
    return sizes;
}

std::optional<FileStamp> PosixFileSystem::stamp(const QString &path) const
{
    struct stat st;
    if (!statOf(hostPath(path), st) || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileStamp{qint64(st.st_size), nanos(st.st_mtim) / 1'000'000};
}

bool PosixFileSystem::isReadOnly(const QString &path) const
{
    struct stat st;
    return statOf(hostPath(path), st) && !ownerMayWrite(st);
}

Fehler PosixFileSystem::setReadOnly(const QString &path, bool readOnly)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return unknownDrive(path);
    struct stat st;
    if (!statOf(host, st))
        return errnoFehler(errno, host);
    const mode_t mode = readOnly ? (st.st_mode & 07777 & ~S_IWUSR) : (st.st_mode & 07777) | S_IWUSR;
    if (mode != (st.st_mode & 07777) && ::chmod(enc(host).constData(), mode) != 0)
        return errnoFehler(errno, host);
    return {};
}

Fehler PosixFileSystem::makeFolder(const QString &path)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return unknownDrive(path);
    if (::mkdir(enc(host).constData(), 0777) != 0) {
        // Making a folder that exists is a path access error, not "file exists".
        return errno == EEXIST ? fehler(75, host) : errnoFehler(errno, host);
    }
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(parentOf(host), nameOf(host), true, true);
    return {};
}

Fehler PosixFileSystem::remove(const QString &path)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return unknownDrive(path);
    struct stat st;
    if (::lstat(enc(host).constData(), &st) != 0)
        return errnoFehler(errno, host);
    const bool folder = S_ISDIR(st.st_mode);
    // A write-protected file is protected from deletion too, as on the drives the
    // program was made for; POSIX alone would delete it.
    if (!folder && !S_ISLNK(st.st_mode) && !ownerMayWrite(st))
        return fehler(75, host);
    const int rc = folder ? ::rmdir(enc(host).constData()) : ::unlink(enc(host).constData());
    if (rc != 0)
        return errnoFehler(errno, host);
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(parentOf(host), nameOf(host), false, folder);
    return {};
}

Fehler PosixFileSystem::copyFile(const QString &source, const QString &target, bool overwrite)
{
    const QString from = hostPath(source);
    if (from.isEmpty())
        return unknownDrive(source);
    const QString to = hostPath(target);
    if (to.isEmpty())
        return unknownDrive(target);

    const int in = ::open(enc(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errnoFehler(errno, from);
    struct stat src;
    if (::fstat(in, &src) != 0 || !S_ISREG(src.st_mode)) {
        ::close(in);
        return fehler(75, from);
    }
    ::posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);

    struct stat dst;
    if (statOf(to, dst)) {
        Fehler f;
        if (S_ISDIR(dst.st_mode))
            f = fehler(75, to);
        else if (!overwrite)
            f = fehler(58, to);
        else if (!ownerMayWrite(dst))
            f = fehler(75, to); // a write-protected file is not replaced
        if (f) {
            ::close(in);
            return f;
        }
    }

    const QString folder = parentOf(to);
    TempFile temp = createTemp(folder, nameOf(to));
    if (temp.fd < 0) {
        const int err = errno;
        ::close(in);
        return errnoFehler(err, to);
    }

    qint64 copied = 0;
    int err = copyData(in, temp.fd, qint64(src.st_size), copied);
    ::close(in);
    struct stat written;
    const bool sizeOk = err == 0 && ::fstat(temp.fd, &written) == 0
                        && copied == qint64(src.st_size) && written.st_size == src.st_size;
    if (err == 0)
        ::fchmod(temp.fd, defaultMode());
    if (err == 0 && ::close(temp.fd) != 0)
        err = errno;
    else if (err != 0)
        ::close(temp.fd);
    temp.fd = -1;
    if (err != 0 || !sizeOk) {
        dropTemp(temp);
        if (err != 0)
            return errnoFehler(err, to);
        return fehler(diskFull(folder) ? 61 : 57, to);
    }

    err = overwrite ? (::rename(enc(temp.path).constData(), enc(to).constData()) == 0 ? 0 : errno)
                    : renameNoReplace(temp.path, to);
    if (err != 0) {
        dropTemp(temp);
        return errnoFehler(err, to);
    }
    m_unflushed.append(to);
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(folder, nameOf(to), true, false);
    return {};
}

Fehler PosixFileSystem::flushCopies()
{
    QSet<QString> folders;
    for (const QString &path : std::as_const(m_unflushed)) {
        const int fd = ::open(enc(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT)
                continue;
            return errnoFehler(errno, path);
        }
        const int err = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        if (err != 0)
            return errnoFehler(err, path);
        folders.insert(parentOf(path));
    }
    for (const QString &folder : std::as_const(folders))
        syncFolder(folder);
    m_unflushed.clear();
    return {};
}

std::optional<QByteArray> PosixFileSystem::readAll(const QString &path) const
{
    const QString host = hostPath(path);
    const int fd = host.isEmpty() ? -1 : ::open(enc(host).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray data;
    data.reserve(qsizetype(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        data.append(buffer, n);
    }
    ::close(fd);
    return data;
}

Fehler PosixFileSystem::writeAtomic(const QString &path, const QByteArray &data)
{
    QString host = hostPath(path);
    if (host.isEmpty())
        return unknownDrive(path);
    struct stat old;
    bool existed = false;
    if (::lstat(enc(host).constData(), &old) == 0) {
        if (S_ISLNK(old.st_mode)) {
            // Replace the file the link points at, not the link.
            const QString target = QFileInfo(host).canonicalFilePath();
            if (!target.isEmpty())
                host = target;
        }
        existed = statOf(host, old);
    }
    if (existed) {
        if (S_ISDIR(old.st_mode))
            return fehler(75, host);
        if (!ownerMayWrite(old) || ::access(enc(host).constData(), W_OK) != 0)
            return fehler(70, host);
    }

    const QString folder = parentOf(host);
    TempFile temp = createTemp(folder, nameOf(host));
    if (temp.fd < 0)
        return errnoFehler(errno, host);
    int err = writeAll(temp.fd, data.constData(), data.size());
    if (err == 0 && ::fsync(temp.fd) != 0)
        err = errno;
    if (err == 0 && ::fchmod(temp.fd, existed ? (old.st_mode & 07777) : defaultMode()) != 0)
        err = errno;
    if (err == 0 && existed && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
        (void)::fchown(temp.fd, old.st_uid, old.st_gid); // best effort, as root may
    if (err == 0 && ::close(temp.fd) != 0)
        err = errno;
    else if (err != 0)
        ::close(temp.fd);
    temp.fd = -1;
    if (err == 0 && ::rename(enc(temp.path).constData(), enc(host).constData()) != 0)
        err = errno;
    if (err != 0) {
        dropTemp(temp);
        return errnoFehler(err, host);
    }
    // The data is on disk before the rename, so a crash leaves the old or the
    // new file whole; the folder entry is left to the kernel.
    std::lock_guard lock(m_cache->mutex);
    m_cache->note(folder, nameOf(host), true, false);
    return {};
}

Fehler PosixFileSystem::append(const QString &path, const QByteArray &data)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return unknownDrive(path);
    const int fd =
        ::open(enc(host).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return errnoFehler(errno, host);
    int err = writeAll(fd, data.constData(), data.size());
    if (::close(fd) != 0 && err == 0)
        err = errno;
    {
        std::lock_guard lock(m_cache->mutex);
        m_cache->note(parentOf(host), nameOf(host), true, false);
    }
    return err == 0 ? Fehler{} : errnoFehler(err, host);
}

DiskSpace PosixFileSystem::space(const QString &path) const
{
    QString host = hostPath(path);
    if (host.isEmpty())
        return {};
    // A folder still to be made counts with the disk it will be made on.
    const QString root = m_table.folderOf(path.at(0));
    while (!folderExists(host) && host.size() > root.size())
        host = parentOf(host);
    struct statvfs vs;
    if (::statvfs(enc(host).constData(), &vs) != 0)
        return {};
    return DiskSpace{double(vs.f_bfree) * double(vs.f_frsize),
                     double(vs.f_blocks) * double(vs.f_frsize)};
}

QString PosixFileSystem::volumeLabel(const QString &drive) const
{
    if (drive.isEmpty())
        return QString();
    const QString folder = m_table.folderOf(drive.at(0));
    if (folder.isEmpty())
        return QString();
    const QStorageInfo info(folder);
    QString root = info.rootPath();
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    // Only a drive that is a volume of its own has a label.
    if (!info.isValid() || root != folder)
        return QString();
    const QString label = info.name();
    if (!label.isEmpty())
        return label;
    for (const char *media : {"/media/", "/run/media/", "/mnt/"}) {
        if (folder.startsWith(QLatin1String(media)))
            return nameOf(folder);
    }
    return QString();
}

} // namespace mirbelon
