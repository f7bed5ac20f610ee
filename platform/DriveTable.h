#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace mirbelon {

// Drive letters of program paths and the host folders they stand for.
// Conversion both ways uses the longest matching drive folder.
class DriveTable
{
public:
    // A mounted medium as the mount table and /dev/disk tell of it.
    struct Medium
    {
        QString folder; // mount point
        QString uuid;   // file-system UUID; "" when none (a tmpfs)
        QString label;  // file-system label; "" when none

        // What the medium is known by: "uuid:<uuid>", else "label:<label>",
        // else "label:" and the mount folder's name (as the desktop names it).
        QString key() const;
        // The name the user sees: the label, else the mount folder's name.
        QString name() const;
    };

    // Letters kept per medium: letter -> Medium::key().
    using Memory = QMap<QChar, QString>;

    struct Drive
    {
        QChar letter;   // upper case
        QString folder; // host folder, absolute, without trailing "/" (except "/")
        bool medium = false; // a mounted medium, lettered by withMedia()
        QString name;   // a medium's Medium::name()
        QString key;    // a medium's Medium::key()
    };

    // "C=/home/anna;E=/media/anna/CARD", as MIRBELON_DRIVES gives it.
    // Z: = "/" unless the table names Z: itself.
    static DriveTable parse(const QString &tabelle);
    // C: = home, Z: = "/", the media lettered by withMedia().
    static DriveTable defaults(const QString &home, const QList<Medium> &media, Memory &memory);

    // The table after the media mounts changed: a medium still mounted keeps
    // its letter, one no longer mounted loses it. A new one gets the letter
    // `memory` keeps for it when that is free, else the lowest free letter
    // from D: on that is kept for no other medium, else the lowest free one
    // (several new ones in name order); `memory` then keeps the letter it got.
    DriveTable withMedia(const QList<Medium> &media, Memory &memory) const;

    const QList<Drive> &drives() const { return m_drives; }
    QString folderOf(QChar letter) const; // "" when unknown

    // "E:\Dcim\x.jpg" -> "/media/card" + "/Dcim/x.jpg" (spelling unchanged,
    // no case resolution here); "" for an unknown drive or a UNC path.
    QString toHost(const QString &programPath) const;
    // "/media/card/DCIM/x.jpg" -> "E:\DCIM\x.jpg"; a root folder gives "E:\".
    QString toProgram(const QString &hostPath) const;

private:
    void add(QChar letter, const QString &folder, const Medium *medium = nullptr);
    QList<Drive> m_drives;
};

} // namespace mirbelon
