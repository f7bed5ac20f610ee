#pragma once

#include "platform/FileSystem.h"
#include "platform/gphoto/KameraOrte.h"

#include <memory>
#include <mutex>

class QTemporaryDir;

namespace mirbelon {

// The host's files, and the cameras on the cable as further drives: a
// camera's paths go to libgphoto2, all others to `base`, which outlives this. A camera takes no
// writes, as a write-protected card.
//
// Host form of a camera's file: "gphoto2:<attachment>:/DCIM/100CANON/X.JPG",
// never a path of the host's own file system.
class KameraDateisystem : public FileSystem
{
public:
    KameraDateisystem(FileSystem &base, const QStringList &ports);
    // MIRBELON_KAMERAS names the ports to open (";" between them), for tests;
    // otherwise the cameras libgphoto2 finds.
    static std::unique_ptr<KameraDateisystem> fromEnvironment(FileSystem &base);
    ~KameraDateisystem() override;

    // Looks for cameras now; tests use it instead of waiting for the watch.
    void auffrischen();

    QString hostPath(const QString &programPath) const override;
    QString programPath(const QString &hostPath) const override;
    QByteArray hostFile(const FileRef &file) const override;
    QStringList driveLetters() const override;
    QList<QPair<QChar, QString>> media() const override;
    QMap<QChar, QString> letterMemory() const override { return m_base.letterMemory(); }
    void setLetterMemory(const QMap<QChar, QString> &memory) override { m_base.setLetterMemory(memory); }
    void whenMediaChange(std::function<void()> changed) override;
    QString mediaNote() const override;
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
    Fehler placeCopy(const QString &hostTemp, const QString &hostTarget) const override
    {
        return m_base.placeCopy(hostTemp, hostTarget);
    }
    void dropCopy(const QString &hostTemp) const override { m_base.dropCopy(hostTemp); }
    void noteCopy(const QString &hostTarget) override { m_base.noteCopy(hostTarget); }
    QStringList takeUnflushed() override { return m_base.takeUnflushed(); }
    std::optional<FileStamp> hostStamp(const QByteArray &hostFile) const override;
    Fehler flush(const QStringList &hostPaths) const override { return m_base.flush(hostPaths); }
    ReadBack readBack(const QString &hostPath, ByteProgress *progress) const override
    {
        return m_base.readBack(hostPath, progress);
    }
    bool withLocalFile(const QByteArray &hostFile,
                       const std::function<void(const QByteArray &)> &use) const override;
    std::optional<QByteArray> readAll(const FileRef &file) const override;
    Fehler writeAtomic(const QString &path, const QByteArray &data, bool sync = true) override;
    Fehler writeAtomicStamped(const FileRef &file, const QByteArray &data, bool sync,
                              std::optional<FileStamp> &written) override;
    Fehler syncFile(const QString &path) override;
    Fehler append(const QString &path, const QByteArray &data) override;
    DiskSpace space(const QString &path) const override;
    QString volumeLabel(const QString &drive) const override;

private:
    Fehler schreibgeschuetzt(const QString &path) const;

    FileSystem &m_base;
    std::unique_ptr<KameraLaufwerke> m_kameras;
    KameraOrte m_orte;
    mutable std::mutex m_lokalMutex;
    mutable std::unique_ptr<QTemporaryDir> m_lokal;
};

} // namespace mirbelon
