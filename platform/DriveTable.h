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
    };

    // From MIRBELON_DRIVES ("C=/home/anna;E=/media/anna/CARD"), the whole
    // table when set; otherwise C: = home and mounted media from D: on.
    // Z: = "/" unless the table names Z: itself.
    static DriveTable fromEnvironment();
    static DriveTable parse(const QString &tabelle);
    static DriveTable defaults(const QString &home, const QStringList &mountPoints);

    const QList<Drive> &drives() const { return m_drives; }
    QString folderOf(QChar letter) const; // "" when unknown

    // "E:\Dcim\x.jpg" -> "/media/card" + "/Dcim/x.jpg" (spelling unchanged,
    // no case resolution here); "" for an unknown drive or a UNC path.
    QString toHost(const QString &programPath) const;
    // "/media/card/DCIM/x.jpg" -> "E:\DCIM\x.jpg"; a root folder gives "E:\".
    QString toProgram(const QString &hostPath) const;

private:
    void add(QChar letter, const QString &folder);
    QList<Drive> m_drives;
};

} // namespace mirbelon
