#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace mirbelon {

using namespace posixfs;

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
    // Photos come folder by folder: each folder is opened, and for names
    // still to be resolved its listing checked, once per run of files in it.
    QList<qint64> sizes;
    sizes.reserve(files.size());
    QString folder; // of the last program path resolved
    QByteArray folderOfListing;
    std::optional<PosixNameCache::Listing> listing;
    QByteArray hostFolder; // open as folderFd
    // Names are looked up relative to the open folder: no path walk per file.
    int folderFd = -1;
    const auto openFolder = [&](const QByteArray &host) {
        if (host == hostFolder && folderFd >= 0)
            return;
        if (folderFd >= 0)
            ::close(folderFd);
        hostFolder = host;
        folderFd = ::open(host.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    };
    for (const FileRef &file : files) {
        QByteArray name;
        bool missing = false;
        if (!file.host.isEmpty()) {
            openFolder(parentOf(file.host));
            name = nameOf(file.host);
        } else {
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
                const PosixNameCache::Listing *l =
                    host.isEmpty() ? nullptr : m_cache->listing(host);
                listing = l ? std::optional<PosixNameCache::Listing>(*l) : std::nullopt;
                folderOfListing = enc(host);
            }
            if (listing)
                openFolder(folderOfListing);
            if (!listing || folderFd < 0) {
                sizes.append(canRead(file) ? size(file) : -1);
                continue;
            }
            name = enc(PosixNameCache::spelling(*listing, path.mid(slash + 1), missing));
        }
        struct stat st;
        const bool readable = !missing && folderFd >= 0
                              && ::fstatat(folderFd, name.constData(), &st, 0) == 0
                              && S_ISREG(st.st_mode)
                              && ::faccessat(folderFd, name.constData(), R_OK, 0) == 0;
        sizes.append(readable ? qint64(st.st_size) : -1);
    }
    if (folderFd >= 0)
        ::close(folderFd);
    return sizes;
}

std::optional<FileStamp> PosixFileSystem::stamp(const FileRef &file) const
{
    struct stat st;
    if (!statOf(hostFile(file), st) || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileStamp{qint64(st.st_size), nanos(st.st_mtim) / 1'000'000, quint64(st.st_dev),
                     quint64(st.st_ino), nanos(st.st_ctim)};
}

bool PosixFileSystem::isReadOnly(const FileRef &file) const
{
    struct stat st;
    return statOf(hostFile(file), st) && !ownerMayWrite(st);
}

} // namespace mirbelon
