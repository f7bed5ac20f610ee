#pragma once

#include <QString>

namespace mirbelon {

// Single values of ini files, read and written as the Windows profile
// functions do (case-insensitive names, first key wins, Windows-1252 on disk).
// Paths are program paths. Values are returned as stored, at most 998 characters.
class ProfileFiles
{
public:
    virtual ~ProfileFiles() = default;
    virtual QString read(const QString &file, const QString &section, const QString &key,
                         const QString &fallback) = 0;
    // false when the file could not be written; the old file is then unchanged.
    virtual bool write(const QString &file, const QString &section, const QString &key,
                       const QString &value) = 0;
};

} // namespace mirbelon
