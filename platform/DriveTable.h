#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace mirbelon {

// Drive letters of program paths and the host folders they stand for.
// Conversion both ways uses the longest matching drive folder.
class DriveTable
{
public:
    struct Drive
    {
        QChar letter;   // upper case
        QString folder; // host folder, absolute, without trailing "/" (except "/")
        bool medium = false; // a mounted medium, lettered by withMedia()
    };

    // "C=/home/anna;E=/media/anna/CARD", as MIRBELON_DRIVES gives it.
    // Z: = "/" unless the table names Z: itself.
    static DriveTable parse(const QString &tabelle);
    // C: = home, the media from D: on in the order of their names, Z: = "/".
    static DriveTable defaults(const QString &home, const QStringList &mountPoints);

    // The table after the media mounts changed: a medium still mounted keeps
    // its letter, one no longer mounted loses it, and a new one gets the
    // lowest free letter from D: on (several new ones in name order).
    DriveTable withMedia(const QStringList &mountPoints) const;

    const QList<Drive> &drives() const { return m_drives; }
    QString folderOf(QChar letter) const; // "" when unknown

    // "E:\Dcim\x.jpg" -> "/media/card" + "/Dcim/x.jpg" (spelling unchanged,
    // no case resolution here); "" for an unknown drive or a UNC path.
    QString toHost(const QString &programPath) const;
    // "/media/card/DCIM/x.jpg" -> "E:\DCIM\x.jpg"; a root folder gives "E:\".
    QString toProgram(const QString &hostPath) const;

private:
    void add(QChar letter, const QString &folder, bool medium = false);
    QList<Drive> m_drives;
};

} // namespace mirbelon
