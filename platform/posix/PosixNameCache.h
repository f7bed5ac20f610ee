#pragma once

#include "platform/FileSystem.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <mutex>
#include <optional>

#include <sys/stat.h>
#include <sys/types.h>

namespace mirbelon {

// Directory listings for the case-free name lookup, checked against the
// directory's modification time on every use.
struct PosixNameCache
{
    struct Item
    {
        QByteArray name;
        bool folder = false;
        bool link = false;
        FileId id;
    };
    struct Listing
    {
        qint64 mtime = 0;
        dev_t dev = 0;
        ino_t ino = 0;
        bool racy = false;
        // The entries as found, host names byte for byte: two names that
        // decode to one text stay two.
        QList<Item> items;
        // The index of the items for looking names up, built on first use: a
        // scan only walks the items and never asks for a name.
        mutable bool indexed = false;
        mutable QHash<QString, bool> isFolder; // by exact name
        mutable QHash<QString, QStringList> spellings; // by case-folded name, sorted
        mutable std::optional<QList<DirEntry>> entries; // sorted, built on first use
    };

    // A directory whose listing a folder's resolution relied on.
    struct Check
    {
        QString dir;
        qint64 mtime = 0;
        dev_t dev = 0;
        ino_t ino = 0;
    };
    struct Folder
    {
        QString host;
        qint64 checkedAt = 0; // monotonic ns
        QList<Check> chain;
    };

    std::mutex mutex;
    QHash<QString, Listing> listings; // by host folder
    QHash<QString, Folder> folders;   // by the folder as spelled, in host form

    // The listing of `dir` as the disk has it now; nullptr when it cannot be listed.
    const Listing *listing(const QString &dir);
    static bool read(const QByteArray &dir, const struct stat &st, Listing &l);
    static void add(const Listing &l, const QString &name, bool folder);
    // Builds the name index of `l` from its items unless it is there.
    static void index(const Listing &l);
    QString resolve(const QString &root, const QStringList &parts);
    // The spelling of `part` in `dir`; sets `missing` when there is none.
    QString lookUp(const QString &dir, const QString &part, bool &missing, QList<Check> *chain);
    // An exact spelling first, then the first of the others.
    static QString spelling(const Listing &l, const QString &part, bool &missing);
    QString resolveFolder(const QString &root, const QStringList &parts, const QString &given);
    bool stillValid(Folder &folder);
    // Our own change of `host`, applied to its folder's cached listing without a re-read.
    // `seen`, when given, is an lstat of `host` just taken.
    void note(const QByteArray &host, bool present, bool folder, const struct stat *seen = nullptr);
    // The sorted entries of `l`, found in the host folder `dir`.
    static const QList<DirEntry> &entries(const Listing &l, const QByteArray &dir);
};

} // namespace mirbelon
