#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace mirbelon {

// Single values of ini files, read and written as the Windows profile
// functions do (case-insensitive names, first key wins, Windows-1252 on disk
// unless a file is in UTF-16LE or UTF-8 with a byte order mark). Paths are
// program paths. Values are returned as stored, at most 998 characters.
class ProfileFiles
{
public:
    virtual ~ProfileFiles() = default;
    virtual QString read(const QString &file, const QString &section, const QString &key,
                         const QString &fallback) = 0;

    // The value a key gets from the stored one (nullopt: the key is missing).
    // It may run again on a newer reading of the file, so it depends on
    // nothing but its argument and what it has captured by value.
    using Change = std::function<QString(const std::optional<QString> &stored)>;
    // Reads the key and writes what `change` makes of it as one step: other
    // programs that keep to the same lock cannot write the file in between.
    // `change` runs once at least, also when the file cannot be written.
    // false when the file could not be written; the old file is then unchanged.
    virtual bool update(const QString &file, const QString &section, const QString &key,
                        const Change &change) = 0;
    bool write(const QString &file, const QString &section, const QString &key,
               const QString &value)
    {
        return update(file, section, key, [value](const std::optional<QString> &) { return value; });
    }

    // Between the two, the writes to each file are kept and reach the disk as
    // one write at the end; reads see them at once. Calls may nest. false
    // when a kept write could not be made (the outermost end writes them).
    virtual void beginBatch() = 0;
    virtual bool endBatch() = 0;

    // Puts every write so far on disk, those kept by an open batch too (the
    // batch goes on), and waits until they are stored safely.
    virtual void flush() = 0;
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
