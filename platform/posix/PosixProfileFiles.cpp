#include "platform/posix/PosixProfileFiles.h"

#include "platform/Cp1252.h"
#include "platform/ProfileFormat.h"

#include <QDateTime>

#include <utility>

namespace mirbelon {

namespace {

// Windows reads profile strings into a buffer of 999 characters.
constexpr qsizetype kLongest = 998;

// A time stamp younger than this may still be shared by a later change:
// FAT stamps move in steps of two seconds, others in whole seconds.
constexpr qint64 kSettleMs = 3000;

// Keep the cache small when a caller walks through many files or keys.
constexpr qsizetype kMostFiles = 64;
constexpr qsizetype kMostAnswers = 4096;

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
    if (const auto kept = m_pending.constFind(file); kept != m_pending.constEnd()) {
        value = profile::read(*kept, section, key);
    } else if (Cached *cached = current(file)) {
        const QString question = section + QChar(0) + key;
        const auto known = cached->answers.constFind(question);
        if (known != cached->answers.constEnd()) {
            value = *known;
        } else {
            value = profile::read(cached->content, section, key);
            if (cached->answers.size() >= kMostAnswers)
                cached->answers.clear();
            cached->answers.insert(question, value);
        }
    }
    QString result = value ? *value : profile::fallback(fallback);
    result.truncate(kLongest);
    return result;
}

bool PosixProfileFiles::write(const QString &file, const QString &section, const QString &key,
                              const QString &value)
{
    QString old;
    if (const auto kept = m_pending.constFind(file); kept != m_pending.constEnd()) {
        old = *kept;
    } else if (m_files.exists(file)) {
        // Renaming over a read-only file would succeed on POSIX; Windows
        // refuses the write, and so do we.
        if (m_files.isFolder(file) || m_files.isReadOnly(file))
            return false;
        // A file that cannot be read is never replaced by one made from nothing.
        const Cached *cached = current(file);
        if (!cached)
            return false;
        old = cached->content;
    } else {
        const QString folder = folderOf(file);
        if (!folder.isEmpty() && !m_files.isFolder(folder))
            return false;
    }

    const QByteArray bytes = toCp1252(profile::write(old, section, key, value));
    if (m_batchDepth > 0) {
        m_pending.insert(file, fromCp1252(bytes));
        return true;
    }
    return store(file, bytes);
}

void PosixProfileFiles::endBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return;
    const QHash<QString, QString> pending = std::exchange(m_pending, {});
    for (auto it = pending.cbegin(); it != pending.cend(); ++it)
        store(it.key(), toCp1252(it.value()));
}

bool PosixProfileFiles::store(const QString &file, const QByteArray &bytes)
{
    if (m_files.writeAtomic(file, bytes)) {
        m_cache.remove(file);
        return false;
    }
    remember(file, m_files.stamp(file), bytes.size(), fromCp1252(bytes), true);
    return true;
}

PosixProfileFiles::Cached *PosixProfileFiles::current(const QString &file)
{
    // Stamps first, content second: a change in between leaves stamps that
    // are older than the content, so the next call reads again.
    // One look at size and time: this runs for every read, and a scan reads
    // the family file once per photo.
    const std::optional<FileStamp> stamp = m_files.stamp(file);
    const auto it = m_cache.find(file);
    if (it != m_cache.end() && stillValid(*it, stamp))
        return &*it;

    const std::optional<QByteArray> bytes = m_files.readAll(file);
    if (!bytes) {
        m_cache.remove(file);
        return nullptr;
    }
    return &remember(file, stamp, bytes->size(), fromCp1252(*bytes), false);
}

bool PosixProfileFiles::stillValid(const Cached &cached,
                                   const std::optional<FileStamp> &stamp) const
{
    if (cached.size < 0 || !stamp || stamp->size != cached.size
        || stamp->modifiedMs != cached.modifiedMs)
        return false;
    if (QDateTime::currentMSecsSinceEpoch() - stamp->modifiedMs > kSettleMs)
        return true;
    // A young stamp is trusted only for our own write, and only when it is
    // finer than seconds, so that a same-sized change in the same tick shows.
    return cached.ownWrite && stamp->modifiedMs % 1000 != 0;
}

PosixProfileFiles::Cached &PosixProfileFiles::remember(const QString &file,
                                                       const std::optional<FileStamp> &stamp,
                                                       qint64 contentSize, const QString &content,
                                                       bool ownWrite)
{
    if (m_cache.size() >= kMostFiles && !m_cache.contains(file))
        m_cache.clear();
    Cached cached;
    if (stamp && stamp->size == contentSize) {
        cached.size = stamp->size;
        cached.modifiedMs = stamp->modifiedMs;
    }
    cached.content = content;
    cached.ownWrite = ownWrite;
    return *m_cache.insert(file, std::move(cached));
}

} // namespace mirbelon
