#include "platform/posix/PosixProfileFiles.h"

#include "platform/ProfileFormat.h"
#include "platform/posix/FolderLock.h"
#include "platform/posix/PosixFileUtil.h"

#include <QDateTime>

#include <utility>

namespace mirbelon {

namespace {

// Windows reads profile strings into a buffer of 999 characters.
constexpr qsizetype kLongest = 998;

// A change this soon after a stamp may keep it: FAT stamps move in steps of
// two seconds, others in whole seconds or clock ticks.
constexpr qint64 kSettleMs = 3000;
constexpr qint64 kNsPerSecond = 1'000'000'000;

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

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

QString PosixProfileFiles::read(const QString &file, const QString &section, const QString &key,
                                const QString &fallback)
{
    std::optional<QString> value;
    if (const auto kept = m_pending.constFind(file); kept != m_pending.constEnd()) {
        value = profile::read(kept->text.text, section, key);
    } else if (Cached *cached = current(file)) {
        const QString question = section + QChar(0) + key;
        const auto known = cached->answers.constFind(question);
        if (known != cached->answers.constEnd()) {
            value = *known;
        } else {
            value = profile::read(cached->text.text, section, key);
            if (cached->answers.size() >= kMostAnswers)
                cached->answers.clear();
            cached->answers.insert(question, value);
        }
    }
    QString result = value ? *value : profile::fallback(fallback);
    result.truncate(kLongest);
    return result;
}

bool PosixProfileFiles::update(const QString &file, const QString &section, const QString &key,
                               const Change &change)
{
    if (m_batchDepth == 0)
        return apply(file, {Step{section, key, change}});

    auto kept = m_pending.find(file);
    if (kept == m_pending.end()) {
        const std::optional<ProfileText> text = writable(file);
        if (!text) {
            const Cached *cached = current(file);
            change(cached ? profile::read(cached->text.text, section, key) : std::nullopt);
            return false;
        }
        kept = m_pending.insert(file, Pending{*text, {}});
    }
    const QString value = change(profile::read(kept->text.text, section, key));
    kept->text.text = profile::write(kept->text.text, section, key, value);
    kept->steps.append(Step{section, key, change});
    return true;
}

bool PosixProfileFiles::endBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return true;
    return writePending();
}

void PosixProfileFiles::flush()
{
    writePending();
    for (const QString &file : std::as_const(m_unsynced))
        m_files.syncFile(file);
    m_unsynced.clear();
}

bool PosixProfileFiles::writePending()
{
    const QHash<QString, Pending> pending = std::exchange(m_pending, {});
    bool ok = true;
    for (auto it = pending.cbegin(); it != pending.cend(); ++it)
        ok = apply(it.key(), it->steps) && ok;
    return ok;
}

bool PosixProfileFiles::apply(const QString &file, const QList<Step> &steps)
{
    // Another program may have written the file since this one read it: the
    // steps are done on what the file holds once nobody else can write it.
    // The folder locked is the one the file's name resolves into, and the
    // file looked at and replaced under the lock is the one resolved.
    const QString host = folderOf(file).isEmpty() ? QString() : m_files.hostPath(file);
    const FolderLock lock(host.isEmpty() ? QString() : posixfs::parentOf(host));
    const FileRef target = host.isEmpty() ? FileRef(file) : FileRef(file, posixfs::enc(host));
    std::optional<ProfileText> text = writable(target);
    const bool ok = text.has_value();
    if (!ok) {
        const Cached *cached = current(file);
        text = cached ? cached->text : ProfileText{};
    }
    for (const Step &step : steps) {
        const QString value = step.change(profile::read(text->text, step.section, step.key));
        text->text = profile::write(text->text, step.section, step.key, value);
    }
    return ok && store(target, *text);
}

std::optional<ProfileText> PosixProfileFiles::writable(const FileRef &file)
{
    const FileSystem::State state = m_files.state(file);
    if (state.exists) {
        // Renaming over a read-only file would succeed on POSIX; Windows
        // refuses the write, and so do we. A file that cannot be read is never
        // replaced by one made from nothing.
        if (state.readOnly)
            return std::nullopt;
        const Cached *cached = current(file, state.stamp);
        if (!cached)
            return std::nullopt;
        return cached->text;
    }
    const QString folder = folderOf(file.path);
    if (!folder.isEmpty() && !m_files.isFolder(folder))
        return std::nullopt;
    return ProfileText{};
}

bool PosixProfileFiles::store(const FileRef &target, const ProfileText &text)
{
    const QString &file = target.path;
    const qint64 written = nowMs();
    const QByteArray bytes = encodeProfile(text.text, text.encoding);
    // Not synced one by one: `flush` puts them on disk where it matters.
    std::optional<FileStamp> stamp;
    if (m_files.writeAtomicStamped(target, bytes, false, stamp)) {
        m_cache.remove(file);
        return false;
    }
    m_unsynced.insert(file);
    Cached &cached =
        remember(file, stamp && stamp->size == bytes.size() ? stamp : std::nullopt, text, true);
    cached.readMs = written;
    return true;
}

PosixProfileFiles::Cached *PosixProfileFiles::current(const QString &file)
{
    return current(file, m_files.stamp(file));
}

PosixProfileFiles::Cached *PosixProfileFiles::current(
    const FileRef &host, const std::optional<FileStamp> &stamp)
{
    const QString &file = host.path;
    // Stamps first, content second: a change in between leaves stamps that
    // are older than the content, so the next call reads again. A FIFO or a
    // device has no stamp and is never opened: reading it could wait forever.
    if (!stamp) {
        m_cache.remove(file);
        return nullptr;
    }
    const auto it = m_cache.find(file);
    if (it != m_cache.end() && stillValid(*it, *stamp))
        return &*it;

    const qint64 taken = nowMs();
    const std::optional<QByteArray> bytes = m_files.readAll(host);
    if (!bytes) {
        m_cache.remove(file);
        return nullptr;
    }
    Cached &cached = remember(file, stamp->size == bytes->size() ? stamp : std::nullopt,
                              decodeProfile(*bytes), false);
    cached.readMs = taken;
    return &cached;
}

bool PosixProfileFiles::stillValid(const Cached &cached, const FileStamp &stamp) const
{
    if (!cached.stamp || !(*cached.stamp == stamp))
        return false;
    // What we wrote ourselves stays ours while the very same file, unchanged
    // to the nanosecond, is there: another writer's file is another inode.
    if (cached.ownWrite && stamp.inode != 0 && stamp.changedNs % kNsPerSecond != 0)
        return true;
    // Someone else's content: trusted only when it was taken well after its
    // stamp, so that no later change can share the stamp.
    const qint64 changedMs = qMax(stamp.modifiedMs, stamp.changedNs / 1'000'000);
    return cached.readMs - changedMs > kSettleMs;
}

PosixProfileFiles::Cached &PosixProfileFiles::remember(const QString &file,
                                                       const std::optional<FileStamp> &stamp,
                                                       const ProfileText &text, bool ownWrite)
{
    if (m_cache.size() >= kMostFiles && !m_cache.contains(file))
        m_cache.clear();
    Cached cached;
    cached.stamp = stamp;
    cached.ownWrite = ownWrite;
    cached.text = text;
    return *m_cache.insert(file, std::move(cached));
}

} // namespace mirbelon
