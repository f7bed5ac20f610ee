#include "platform/posix/PosixNameCache.h"

#include "platform/posix/PosixFileUtil.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace mirbelon {

using namespace posixfs;

namespace {

// Above this many cached directories the cache starts afresh.
constexpr qsizetype kMaxListings = 4096;
// A listing read this soon after the directory changed may miss a change that
// kept the same time stamp (FAT keeps two seconds), so it is read again.
constexpr qint64 kRacyNs = 2'000'000'000;
// The file's own folder is checked on every call; the folders above it, which
// only matter when a second spelling of them appears, at most this often.
constexpr qint64 kFolderCheckNs = 1'000'000'000;

qint64 monotonicNs()
{
    struct timespec t;
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    return nanos(t);
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

// QString::compare(a, b, Qt::CaseInsensitive), with the common start of two
// names in ASCII compared here: Qt folds ASCII as A-Z to a-z, and what
// follows an ASCII character starts a character of its own.
int compareFolded(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= 128 || y >= 128)
            return QtPrivate::compareStrings(a.sliced(i), b.sliced(i), Qt::CaseInsensitive);
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y + 32);
        if (x != y)
            return int(x) - int(y);
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

} // namespace

void PosixNameCache::add(const Listing &l, const QString &name, bool folder)
{
    l.isFolder.insert(name, folder);
    QStringList &s = l.spellings[caseKey(name)];
    s.insert(std::lower_bound(s.begin(), s.end(), name), name);
}

void PosixNameCache::index(const Listing &l)
{
    if (l.indexed)
        return;
    l.isFolder.clear();
    l.spellings.clear();
    l.isFolder.reserve(l.items.size());
    for (const Item &item : l.items)
        add(l, QFile::decodeName(item.name), item.folder);
    l.indexed = true;
}

bool PosixNameCache::read(const QByteArray &dir, const struct stat &st, Listing &l)
{
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
        Item item{QByteArray(e->d_name), e->d_type == DT_DIR, e->d_type == DT_LNK,
                  FileId{quint64(st.st_dev), quint64(e->d_ino)}};
        struct stat es;
        // A folder may be a mount point: its own device and inode, not the ones beneath.
        if ((e->d_type == DT_UNKNOWN || item.folder)
            && ::fstatat(fd, e->d_name, &es, AT_SYMLINK_NOFOLLOW) == 0) {
            item.link = S_ISLNK(es.st_mode);
            item.folder = S_ISDIR(es.st_mode);
            item.id = FileId{quint64(es.st_dev), quint64(es.st_ino)};
        }
        if (item.link)
            item.folder = ::fstatat(fd, e->d_name, &es, 0) == 0 && S_ISDIR(es.st_mode);
        l.items.append(std::move(item));
    }
    ::closedir(d);
    return true;
}

const PosixNameCache::Listing *PosixNameCache::listing(const QString &dir)
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
    if (!read(enc(dir), st, l)) {
        listings.remove(dir);
        return nullptr;
    }
    if (listings.size() >= kMaxListings)
        listings.clear();
    return &*listings.insert(dir, std::move(l));
}

QString PosixNameCache::lookUp(const QString &dir, const QString &part, bool &missing,
                                       QList<Check> *chain)
{
    const Listing *l = listing(dir);
    if (l == nullptr)
        return part;
    if (chain != nullptr)
        chain->append(Check{dir, l->mtime, l->dev, l->ino});
    return spelling(*l, part, missing);
}

QString PosixNameCache::spelling(const Listing &l, const QString &part, bool &missing)
{
    index(l);
    if (l.isFolder.contains(part))
        return part;
    const auto s = l.spellings.constFind(caseKey(part));
    if (s != l.spellings.constEnd())
        return s->first();
    missing = true;
    return part;
}

QString PosixNameCache::resolveFolder(const QString &root, const QStringList &parts,
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

bool PosixNameCache::stillValid(Folder &folder)
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

QString PosixNameCache::resolve(const QString &root, const QStringList &parts)
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

void PosixNameCache::note(
    const QByteArray &host, bool present, bool folder, const struct stat *seen)
{
    if (folder)
        folders.clear(); // a new or removed folder may change how names resolve
    const QString dir = QFile::decodeName(parentOf(host));
    const auto it = listings.find(dir);
    if (it == listings.end())
        return;
    const QByteArray raw = nameOf(host);
    const QString name = QFile::decodeName(raw);
    struct stat st;
    // A name that does not come back from its text may share that text with
    // another: the listing is read again rather than guessed.
    if (!statOf(dir, st) || enc(name) != raw) {
        listings.erase(it);
        return;
    }
    it->items.removeIf([&raw](const Item &item) { return item.name == raw; });
    if (present) {
        Item item{raw, folder, false, {}};
        struct stat es;
        if (seen != nullptr)
            es = *seen;
        if (seen != nullptr || ::lstat(host.constData(), &es) == 0) {
            item.link = S_ISLNK(es.st_mode);
            item.id = FileId{quint64(es.st_dev), quint64(es.st_ino)};
        }
        it->items.append(item);
        // An index not built yet is built from the items when first asked.
        if (it->indexed && !it->isFolder.contains(name))
            add(*it, name, folder);
        else if (it->indexed)
            it->isFolder[name] = folder;
    } else if (it->indexed && it->isFolder.remove(name)) {
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

const QList<DirEntry> &PosixNameCache::entries(const Listing &l, const QByteArray &dir)
{
    if (!l.entries) {
        QList<DirEntry> entries;
        entries.reserve(l.items.size());
        const QByteArrayView folder = dir == "/" ? QByteArrayView() : QByteArrayView(dir);
        for (const Item &item : l.items) {
            const QString name = QFile::decodeName(item.name);
            // joined(dir, item.name), in one allocation
            QByteArray host(folder.size() + 1 + item.name.size(), Qt::Uninitialized);
            char *p = host.data();
            std::memcpy(p, folder.data(), size_t(folder.size()));
            p[folder.size()] = '/';
            std::memcpy(p + folder.size() + 1, item.name.constData(), size_t(item.name.size()));
            entries.append(DirEntry { name, item.folder, name.startsWith(QLatin1Char('.')),
                item.link, std::move(host), item.id });
        }
        std::sort(entries.begin(), entries.end(), [](const DirEntry &a, const DirEntry &b) {
            const int c = compareFolded(a.name, b.name);
            if (c != 0)
                return c < 0;
            return a.name != b.name ? a.name < b.name : a.host < b.host;
        });
        l.entries = std::move(entries);
    }
    return *l.entries;
}

} // namespace mirbelon
