#include "platform/posix/PosixProfileFiles.h"

#include "platform/Cp1252.h"
#include "platform/ProfileFormat.h"

namespace mirbelon {

namespace {

// The described system reads into a buffer of 999 characters.
constexpr qsizetype kLongest = 998;

// A time stamp younger than this may still be shared by a later change:
// FAT stamps move in steps of two seconds, others in whole seconds.
constexpr qint64 kSettleMs = 3000;

// Keeps the cache small when a caller walks through many files.
constexpr qsizetype kMostFiles = 64;

// The folder of a program path ("C:\" for a file at a drive's root); empty
// when the path names no folder.
QString folderOf(const QString &file)
{
    const qsizetype slash = file.lastIndexOf(QLatin1Char('\\'));
    if (slash < 0)
        return {};
    if (slash == 2 && file.at(1) == QLatin1Char(':'))
        return file.left(3);
    return file.left(slash);
}

} // namespace

QString PosixProfileFiles::read(const QString &file, const QString &section, const QString &key,
                                const QString &fallback)
{
    std::optional<QString> value;
    if (const std::optional<QString> content = load(file))
        value = profile::read(*content, section, key);
    QString result = value ? *value : profile::fallback(fallback);
    result.truncate(kLongest);
    return result;
}

bool PosixProfileFiles::write(const QString &file, const QString &section, const QString &key,
                              const QString &value)
{
    QString old;
    if (m_files.exists(file)) {
        // Renaming over a read-only file would succeed on POSIX; Windows
        // refuses the write, and so do we.
        if (m_files.isFolder(file) || m_files.isReadOnly(file))
            return false;
        // A file that cannot be read is never replaced by one made from nothing.
        const std::optional<QString> content = load(file);
        if (!content)
            return false;
        old = *content;
    } else {
        const QString folder = folderOf(file);
        if (!folder.isEmpty() && !m_files.isFolder(folder))
            return false;
    }

    const QByteArray bytes = toCp1252(profile::write(old, section, key, value));
    if (m_files.writeAtomic(file, bytes)) {
        m_cache.remove(file);
        return false;
    }
    const qint64 size = m_files.size(file);
    if (size == bytes.size())
        remember(file, size, m_files.modified(file), fromCp1252(bytes), true);
    else
        m_cache.remove(file);
    return true;
}

std::optional<QString> PosixProfileFiles::load(const QString &file)
{
    // Stamps first, content second: a change in between leaves stamps that
    // are older than the content, so the next call reads again.
    const qint64 size = m_files.size(file);
    const std::optional<QDateTime> modified = m_files.modified(file);
    const auto it = m_cache.constFind(file);
    if (it != m_cache.constEnd() && stillValid(*it, size, modified))
        return it->content;

    const std::optional<QByteArray> bytes = m_files.readAll(file);
    if (!bytes) {
        m_cache.remove(file);
        return std::nullopt;
    }
    QString content = fromCp1252(*bytes);
    if (size == bytes->size())
        remember(file, size, modified, content, false);
    else
        m_cache.remove(file);
    return content;
}

bool PosixProfileFiles::stillValid(const Cached &cached, qint64 size,
                                   const std::optional<QDateTime> &modified) const
{
    if (size < 0 || size != cached.size || !modified || *modified != cached.modified)
        return false;
    if (modified->msecsTo(QDateTime::currentDateTime()) > kSettleMs)
        return true;
    // A young stamp is trusted only for our own write, and only when it is
    // finer than seconds, so that a same-sized change in the same tick shows.
    return cached.ownWrite && modified->time().msec() != 0;
}

void PosixProfileFiles::remember(const QString &file, qint64 size,
                                 const std::optional<QDateTime> &modified,
                                 const QString &content, bool ownWrite)
{
    if (size < 0 || !modified || !modified->isValid()) {
        m_cache.remove(file);
        return;
    }
    if (m_cache.size() >= kMostFiles && !m_cache.contains(file))
        m_cache.clear();
    m_cache.insert(file, Cached{size, *modified, content, ownWrite});
}

} // namespace mirbelon
