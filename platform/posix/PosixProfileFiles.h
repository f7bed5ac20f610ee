#pragma once

#include "platform/FileSystem.h"
#include "platform/ProfileFiles.h"

#include <QHash>

#include <optional>

namespace mirbelon {

// Ini files on disk through the FileSystem: Windows-1252, CRLF, atomic writes.
// The decoded content of each file is kept between calls and used only while
// the file's size and time stamp show that nobody has changed it since.
class PosixProfileFiles : public ProfileFiles
{
public:
    explicit PosixProfileFiles(FileSystem &files) : m_files(files) {}

    QString read(const QString &file, const QString &section, const QString &key,
                 const QString &fallback) override;
    bool write(const QString &file, const QString &section, const QString &key,
               const QString &value) override;
    void beginBatch() override { ++m_batchDepth; }
    void endBatch() override;

private:
    struct Cached
    {
        qint64 size = -1; // -1: the stamps are unknown and the content is not to be kept
        qint64 modifiedMs = 0;
        QString content;
        bool ownWrite = false; // the content is what this object wrote
        // Values already looked up in this content, by section and key as asked.
        QHash<QString, std::optional<QString>> answers;
    };

    // The file's content, checked against the file or read afresh; nullptr
    // when the file is missing or unreadable. Valid until the next call.
    Cached *current(const QString &file);
    bool stillValid(const Cached &cached, const std::optional<FileStamp> &stamp) const;
    // Keeps `content` for `file` under the stamp it was read or written with;
    // a stamp whose size is not the content's is not trusted.
    Cached &remember(const QString &file, const std::optional<FileStamp> &stamp,
                     qint64 contentSize, const QString &content, bool ownWrite);

    bool store(const QString &file, const QByteArray &bytes);

    FileSystem &m_files;
    QHash<QString, Cached> m_cache;
    int m_batchDepth = 0;
    QHash<QString, QString> m_pending; // content of each file written in the batch
};

} // namespace mirbelon
