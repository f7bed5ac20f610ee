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

    // Between the two, the writes to each file are kept and reach the disk as
    // one write at the end; reads see them at once. Calls may nest.
    virtual void beginBatch() = 0;
    virtual void endBatch() = 0;
};

// One batch of writes for the lifetime of this object.
class ProfileBatch
{
public:
    explicit ProfileBatch(ProfileFiles &files) : m_files(files) { m_files.beginBatch(); }
    ~ProfileBatch() { m_files.endBatch(); }
    ProfileBatch(const ProfileBatch &) = delete;
    ProfileBatch &operator=(const ProfileBatch &) = delete;

private:
    ProfileFiles &m_files;
};

} // namespace mirbelon
