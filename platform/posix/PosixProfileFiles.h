#pragma once

#include "platform/FileSystem.h"
#include "platform/ProfileFiles.h"

namespace mirbelon {

// Ini files on disk through the FileSystem: Windows-1252, CRLF, atomic writes.
class PosixProfileFiles : public ProfileFiles
{
public:
    explicit PosixProfileFiles(FileSystem &files) : m_files(files) {}

    QString read(const QString &file, const QString &section, const QString &key,
                 const QString &fallback) override;
    bool write(const QString &file, const QString &section, const QString &key,
               const QString &value) override;

private:
    FileSystem &m_files;
};

} // namespace mirbelon
