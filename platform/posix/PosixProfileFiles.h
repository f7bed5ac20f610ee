#pragma once

#include "platform/FileSystem.h"
#include "platform/ProfileEncoding.h"
#include "platform/ProfileFiles.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <optional>

namespace mirbelon {

// Ini files on disk through the FileSystem: CRLF, atomic writes, each file in
// the encoding it has (Windows-1252 for new files). Every read-modify-write
// holds a lock on the file's folder. The decoded content of each file is kept
// between calls and used only while the file provably has not changed since.
// Writes reach the disk for good at `flush`; until then a crash may lose them,
// never leave a torn file.
class PosixProfileFiles : public ProfileFiles
{
public:
    explicit PosixProfileFiles(FileSystem &files) : m_files(files) {}

    QString read(const QString &file, const QString &section, const QString &key,
                 const QString &fallback) override;
    bool update(const QString &file, const QString &section, const QString &key,
                const Change &change) override;
    void beginBatch() override { ++m_batchDepth; }
    bool endBatch() override;
    void flush() override;

private:
    struct Cached
    {
        std::optional<FileStamp> stamp; // nullopt: not to be kept
        qint64 readMs = 0;              // when the content was taken
        bool ownWrite = false;          // the content is what this object wrote
        ProfileText text;
        // Values already looked up in this content, by section and key as asked.
        QHash<QString, std::optional<QString>> answers;
    };

    struct Step
    {
        QString section;
        QString key;
        Change change;
    };

    // The writes of a batch to one file: what reads in the batch see, and the
    // steps that are done again on the file as it is at the batch's end.
    struct Pending
    {
        ProfileText text;
        QList<Step> steps;
    };

    // The file's content, checked against the file or read afresh; nullptr
    // when the file is missing, unreadable or no regular file. Valid until
    // the next call.
    Cached *current(const QString &file);
    // The same with the file's stamp just taken; `host` is read on a change.
    Cached *current(const FileRef &host, const std::optional<FileStamp> &stamp);
    bool stillValid(const Cached &cached, const FileStamp &stamp) const;
    Cached &remember(const QString &file, const std::optional<FileStamp> &stamp,
                     const ProfileText &text, bool ownWrite);

    // The content a write starts from; nullopt when the file must not be
    // written (a folder, no regular file, read-only, unreadable, no folder).
    std::optional<ProfileText> writable(const FileRef &file);
    // Does the steps on the file as it is now, under the folder's lock.
    bool apply(const QString &file, const QList<Step> &steps);
    bool writePending();
    bool store(const FileRef &file, const ProfileText &text);

    FileSystem &m_files;
    QHash<QString, Cached> m_cache;
    int m_batchDepth = 0;
    QHash<QString, Pending> m_pending;
    QSet<QString> m_unsynced; // written since the last flush
};

} // namespace mirbelon
