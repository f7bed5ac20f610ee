#pragma once

#include "platform/Fehler.h"

#include <QByteArray>
#include <QDateTime>
#include <QHashFunctions>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

namespace mirbelon {

// Identity of a file or folder on its host: device and inode.
struct FileId
{
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileId &, const FileId &) = default;
};

inline size_t qHash(const FileId &id, size_t seed = 0)
{
    return qHashMulti(seed, id.device, id.inode);
}

// A file as the program names it, and the exact host file it was found as
// where that is known. Operations use `host` when it is set: a name that
// differs from another only in case, holds a "\" or bytes that are no UTF-8
// reaches its own file all the same.
struct FileRef
{
    QString path;    // program path
    QByteArray host; // host path as found; empty: `path` is resolved

    FileRef() = default;
    FileRef(const QString &programPath) : path(programPath) {} // NOLINT: a path is a file
    FileRef(const char *programPath) : path(QString::fromUtf8(programPath)) {} // NOLINT
    FileRef(const QString &programPath, const QByteArray &hostPath)
        : path(programPath), host(hostPath)
    {
    }
};

struct DirEntry
{
    QString name;          // as the file system spells it, decoded for display
    bool isFolder = false; // also a link to a folder
    bool isHidden = false;
    bool isLink = false;   // a symbolic link, whatever it points at
    QByteArray host;       // the entry's host path, byte for byte
    FileId id;             // of the entry itself, not of a link's target
};

// Size and modification time of a regular file, taken in one look.
struct FileStamp
{
    qint64 size = -1;
    qint64 modifiedMs = 0; // since the epoch
    // Where the host tells them, else 0: which file it is, and when it last
    // changed in any way (nanoseconds since the epoch). A file replaced by
    // another of the same size and time shows here.
    quint64 device = 0;
    quint64 inode = 0;
    qint64 changedNs = 0;
    qint64 modifiedNs = 0; // modifiedMs to the nanosecond where the host tells it

    bool operator==(const FileStamp &) const = default;
};

// XXH3-128 of a file's bytes.
struct Hash128
{
    quint64 low = 0;
    quint64 high = 0;
    bool operator==(const Hash128 &) const = default;
};

// One copy for a worker thread: host paths and plain values only.
struct CopyOrder
{
    QByteArray from; // host file of the source, its exact bytes
    QString to;   // host path of the target
    bool overwrite = false;
    FileStamp expected; // the source as the list knew it; size -1: unknown
    // Leaves the bytes at a temporary name beside `to` (CopyResult::temp)
    // for placeCopy(), when the final name is not known yet.
    bool ahead = false;
    // A second target of the same bytes, written in the same pass over the
    // source; empty: none. Its failure is its own (CopyResult::fehler2).
    QString to2 = {};
};

struct CopyResult
{
    Fehler fehler;
    qint64 bytes = 0; // read from the source and written
    Hash128 hash;     // of the bytes read from the source
    FileStamp found;  // the source when it was opened; size -1 when it could not be
    QString temp;     // host path of the bytes of an `ahead` copy
    Fehler fehler2;   // of the second target; also set when the source failed
    QString temp2;    // host path of the second target's bytes of an `ahead` copy
};

// A file read back from the disk.
struct ReadBack
{
    Fehler fehler;
    qint64 bytes = 0;
    Hash128 hash;
};

// Bytes moved so far by a worker, and the whole, for a progress bar.
struct ByteProgress
{
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{-1};
};

struct DiskSpace
{
    double freeBytes = 0;  // 0 when the disk cannot be queried
    double totalBytes = 0;
};

// Files and folders, addressed by program paths ("E:\Dcim\Img_0001.jpg").
// Names are resolved without regard to case; an exact spelling wins. A FileRef
// that carries its host path skips the resolution.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // Program path -> host path and back. Unknown drives give an empty text.
    virtual QString hostPath(const QString &programPath) const = 0;
    virtual QString programPath(const QString &hostPath) const = 0;
    // The host file `file` stands for, byte for byte; empty for an unknown drive.
    virtual QByteArray hostFile(const FileRef &file) const = 0;

    // Drive letters that the table knows ("C", "E", "Z"), in order.
    virtual QStringList driveLetters() const = 0;

    // The mounted media by letter, each with the name the user knows it by
    // (its label, else its mount folder's name), in letter order.
    virtual QList<QPair<QChar, QString>> media() const { return {}; }
    // The letter each medium keeps from run to run: letter -> what the medium
    // is known by ("uuid:...", "label:..."). Setting it gives the media
    // mounted now their kept letters; new ones are added as they come.
    virtual QMap<QChar, QString> letterMemory() const { return {}; }
    virtual void setLetterMemory(const QMap<QChar, QString> &memory) { (void)memory; }
    // A note on media the host sees but cannot use, for the status bar; ""
    // when there is none.
    virtual QString mediaNote() const { return {}; }
    // `changed` runs on the calling thread's event loop whenever media come
    // or go, in place of an earlier one (empty: none); a host without media
    // never calls it.
    virtual void whenMediaChange(std::function<void()> changed) { (void)changed; }

    // A regular file that can be opened for reading.
    virtual bool canRead(const FileRef &file) const = 0;
    virtual bool isFolder(const QString &path) const = 0;
    virtual bool exists(const QString &path) const = 0;

    // Identity of a file or folder (links followed); nullopt when it is not there.
    virtual std::optional<FileId> id(const FileRef &file) const = 0;

    // Entries of one folder without "." and ".."; nullopt when it cannot be listed.
    virtual std::optional<QList<DirEntry>> list(const FileRef &folder) const = 0;

    virtual qint64 size(const FileRef &file) const = 0;                      // -1 on failure
    // Per file the size of a regular file that can be opened for reading, -1
    // for any other; what canRead() and size() give, for a whole list at once.
    virtual QList<qint64> readableSizes(const QList<FileRef> &files) const
    {
        QList<qint64> sizes;
        sizes.reserve(files.size());
        for (const FileRef &file : files)
            sizes.append(canRead(file) ? size(file) : -1);
        return sizes;
    }
    virtual std::optional<QDateTime> modified(const FileRef &file) const = 0; // local time
    // nullopt when `file` is no regular file. Cheaper than size() and
    // modified() where a host can answer both at once.
    virtual std::optional<FileStamp> stamp(const FileRef &file) const
    {
        const qint64 bytes = size(file);
        const std::optional<QDateTime> time = modified(file);
        if (bytes < 0 || !time || !time->isValid())
            return std::nullopt;
        return FileStamp{bytes, time->toMSecsSinceEpoch()};
    }
    virtual bool isReadOnly(const FileRef &file) const = 0;
    virtual Fehler setReadOnly(const FileRef &file, bool readOnly) = 0;

    // What exists(), isReadOnly() and stamp() tell of one path, in one look
    // where the host can take it.
    struct State
    {
        bool exists = false;
        bool readOnly = false;
        std::optional<FileStamp> stamp; // nullopt: no regular file
    };
    virtual State state(const FileRef &file) const
    {
        State s;
        s.exists = exists(file.path);
        if (s.exists) {
            s.readOnly = isReadOnly(file);
            s.stamp = stamp(file);
        }
        return s;
    }

    virtual Fehler makeFolder(const QString &path) = 0; // one level; an existing folder is error 75
    virtual Fehler remove(const FileRef &file) = 0;
    // Deletes the very file `listed` stands for: reached from its drive's
    // folder through real folders only, no link on the way, and still the
    // file `expected` was taken of (stamp() of it, all fields). Anything else
    // is kept and reported.
    virtual Fehler removeListed(const FileRef &listed, const FileStamp &expected) = 0;
    // Whether the folder that holds `file` is gone, or is now on another
    // device than `device`: the medium was taken out or changed.
    virtual bool mediumGone(const FileRef &file, quint64 device) const = 0;
    // Removes what writes of ours into `folder` left behind when their
    // program was killed; nothing else.
    virtual void removeLeftovers(const QString &folder) { (void)folder; }

    // Copies content only. The data goes to a temporary name beside `target`
    // and is renamed to `target` when complete and of the source's size, so
    // `target` never holds a partial file. The data is on disk once the copy
    // has been flushed. An existing `target` is replaced only with `overwrite`.
    virtual Fehler copyFile(const FileRef &source, const QString &target, bool overwrite) = 0;

    // The bytes of copyFile for a worker thread: safe on any thread, touches
    // nothing but the files the order names, hashes what it reads.
    virtual CopyResult copyBytes(const CopyOrder &order, ByteProgress *progress) const = 0;
    // Any thread: gives the bytes of an `ahead` copy their final name, never
    // over an existing file; or removes them (or the empty folder they were in).
    virtual Fehler placeCopy(const QString &hostTemp, const QString &hostTarget) const = 0;
    virtual void dropCopy(const QString &hostTemp) const = 0;
    // A copy that copyBytes made, taken into account on the owning thread.
    virtual void noteCopy(const QString &hostTarget) = 0;
    // Host paths of the copies made since the last call, still to be flushed.
    virtual QStringList takeUnflushed() = 0;
    // Any thread: size and time of a regular file, nullopt for any other.
    virtual std::optional<FileStamp> hostStamp(const QByteArray &hostFile) const = 0;
    // Any thread: puts the files and their folder entries on disk. A file that
    // has gone since is no error.
    virtual Fehler flush(const QStringList &hostPaths) const = 0;
    // Any thread: writes out what the cache holds of the file (to the disk,
    // not for good: that is flush), drops it from the page cache and reads it
    // back from the disk, hashing it.
    virtual ReadBack readBack(const QString &hostPath, ByteProgress *progress) const = 0;

    // Any thread: runs `use` with a file of the host's own file system that
    // holds the bytes of `hostFile`: the file itself, or for a file on a
    // device without one, a private copy removed afterwards. False when the
    // bytes could not be had; `use` then does not run.
    virtual bool withLocalFile(const QByteArray &hostFile,
                               const std::function<void(const QByteArray &)> &use) const
    {
        use(hostFile);
        return true;
    }

    virtual std::optional<QByteArray> readAll(const FileRef &file) const = 0;
    // New file beside the old one, then renamed over it. With `sync` the data
    // is on disk before the rename. Without, readers still see the old or the
    // new file whole, but a crash may lose the write until `syncFile`. An
    // existing file that may be written in a folder that takes no new file is
    // written in place; only there can a crash leave it torn.
    virtual Fehler writeAtomic(const QString &path, const QByteArray &data, bool sync = true) = 0;
    // writeAtomic() of `file` (to its host file where it names one), and
    // `written` the stamp of the file after it: what stamp() would give
    // then, nullopt when the write failed.
    virtual Fehler writeAtomicStamped(
        const FileRef &file, const QByteArray &data, bool sync, std::optional<FileStamp> &written)
    {
        const Fehler f = writeAtomic(file.path, data, sync);
        written = f ? std::nullopt : stamp(file.path);
        return f;
    }
    // Puts a file written earlier, and its folder entry, on disk.
    virtual Fehler syncFile(const QString &path)
    {
        (void)path;
        return {};
    }
    virtual Fehler append(const QString &path, const QByteArray &data) = 0;

    virtual DiskSpace space(const QString &path) const = 0;
    virtual QString volumeLabel(const QString &drive) const = 0; // "" when none
};

} // namespace mirbelon
