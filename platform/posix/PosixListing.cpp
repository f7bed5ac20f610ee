#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixFileUtil.h"
#include "platform/posix/PosixNameCache.h"

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace mirbelon {

using namespace posixfs;

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
    const PosixNameCache::Listing *l = m_cache->listing(host);
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
    std::optional<PosixNameCache::Listing> listing;
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
                const PosixNameCache::Listing *l =
                    hostFolder.isEmpty() ? nullptr : m_cache->listing(hostFolder);
                listing = l ? std::optional<PosixNameCache::Listing>(*l) : std::nullopt;
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
        const QByteArray name =
            enc(PosixNameCache::spelling(*listing, path.mid(slash + 1), missing));
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
    return FileStamp{qint64(st.st_size), nanos(st.st_mtim) / 1'000'000, quint64(st.st_dev),
                     quint64(st.st_ino), nanos(st.st_ctim)};
}

bool PosixFileSystem::isReadOnly(const QString &path) const
{
    struct stat st;
    return statOf(hostPath(path), st) && !ownerMayWrite(st);
}

} // namespace mirbelon
