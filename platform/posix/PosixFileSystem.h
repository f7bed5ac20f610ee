#pragma once

#include "platform/FileSystem.h"
#include "platform/posix/MountedDrives.h"

#include <memory>

namespace mirbelon {

struct PosixNameCache;

// Implemented across PosixFileSystem.cpp (drives), PosixNameCache.cpp (name
// resolution), PosixListing.cpp (listings and file queries), PosixCopy.cpp
// (copies under temporary names) and PosixWrites.cpp (writes and removals).
class PosixFileSystem : public FileSystem
{
public:
    PosixFileSystem(); // drive table from the environment
    explicit PosixFileSystem(DriveTable table);
    explicit PosixFileSystem(std::shared_ptr<const MountedDrives> drives);

    QString hostPath(const QString &programPath) const override;
    QString programPath(const QString &hostPath) const override;
    QStringList driveLetters() const override;
    QList<QPair<QChar, QString>> media() const override;
    QMap<QChar, QString> letterMemory() const override;
    void setLetterMemory(const QMap<QChar, QString> &memory) override;
    void whenMediaChange(std::function<void()> changed) override;
    QByteArray hostFile(const FileRef &file) const override;
    bool canRead(const FileRef &file) const override;
    bool isFolder(const QString &path) const override;
    bool exists(const QString &path) const override;
    std::optional<FileId> id(const FileRef &file) const override;
    std::optional<QList<DirEntry>> list(const FileRef &folder) const override;
    qint64 size(const FileRef &file) const override;
    QList<qint64> readableSizes(const QList<FileRef> &files) const override;
    std::optional<QDateTime> modified(const FileRef &file) const override;
    std::optional<FileStamp> stamp(const FileRef &file) const override;
    bool isReadOnly(const FileRef &file) const override;
    State state(const FileRef &file) const override;
    Fehler setReadOnly(const FileRef &file, bool readOnly) override;
    Fehler makeFolder(const QString &path) override;
    Fehler remove(const FileRef &file) override;
    Fehler removeListed(const FileRef &listed, const FileStamp &expected) override;
    bool mediumGone(const FileRef &file, quint64 device) const override;
    void removeLeftovers(const QString &folder) override;
    Fehler copyFile(const FileRef &source, const QString &target, bool overwrite) override;
    CopyResult copyBytes(const CopyOrder &order, ByteProgress *progress) const override;
    Fehler placeCopy(const QString &hostTemp, const QString &hostTarget) const override;
    void dropCopy(const QString &hostTemp) const override;
    void noteCopy(const QString &hostTarget) override;
    QStringList takeUnflushed() override;
    std::optional<FileStamp> hostStamp(const QByteArray &hostFile) const override;
    Fehler flush(const QStringList &hostPaths) const override;
    ReadBack readBack(const QString &hostPath, ByteProgress *progress) const override;
    std::optional<QByteArray> readAll(const FileRef &file) const override;
    Fehler writeAtomic(const QString &path, const QByteArray &data, bool sync = true) override;
    Fehler writeAtomicStamped(const FileRef &file, const QByteArray &data, bool sync,
        std::optional<FileStamp> &written) override;
    Fehler syncFile(const QString &path) override;
    Fehler append(const QString &path, const QByteArray &data) override;
    DiskSpace space(const QString &path) const override;
    QString volumeLabel(const QString &drive) const override;

private:
    // readableSizes() of files whose host files are known.
    QList<qint64> hostSizes(const QList<FileRef> &files) const;
    Fehler unknownDrive(const QString &programPath) const;
    // The file replaced by `data` in place, for a folder that takes no new file.
    Fehler writeInPlace(const QString &host, const QByteArray &data, bool sync,
                        std::optional<FileStamp> &written);
    // Whether a resolved host path lies within the folder of `path`'s drive.
    bool insideDrive(const QString &path, const QString &canonicalHost) const;

    std::shared_ptr<const MountedDrives> m_drives;
    std::shared_ptr<PosixNameCache> m_cache;
    QStringList m_unflushed; // host paths of copies not yet flushed
};

} // namespace mirbelon
