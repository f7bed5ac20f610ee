#pragma once

// Small host-file helpers shared by the parts of PosixFileSystem.

#include "platform/Fehler.h"
#include "platform/FileSystem.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

namespace mirbelon::posixfs {

// Host paths are text where the program makes them, and bytes as found where
// a listing gave them; the helpers take both.
QByteArray enc(const QString &hostPath);
inline const QByteArray &enc(const QByteArray &hostPath)
{
    return hostPath;
}
bool statOf(const QByteArray &host, struct stat &st);
bool statOf(const QString &host, struct stat &st);
QString parentOf(const QString &host);
QByteArray parentOf(const QByteArray &host);
QString nameOf(const QString &host);
QByteArray nameOf(const QByteArray &host);
QString joined(const QString &folder, const QString &name);
QByteArray joined(const QByteArray &folder, const QByteArray &name);
bool folderExists(const QByteArray &host);
bool folderExists(const QString &host);
qint64 nanos(const struct timespec &t);
// Everything a stamp holds, which file and when it changed in any way.
FileStamp fullStamp(const struct stat &st);
bool ownerMayWrite(const struct stat &st);

Fehler fehler(int nummer, const QString &wo);
Fehler fehler(int nummer, const QByteArray &host);
Fehler errnoFehler(int err, const QByteArray &host);
// A file that is no longer the one that was listed and copied: kept.
Fehler nichtMehrDieselbe(const QString &wo);
Fehler nichtMehrDieselbe(const QByteArray &host);
Fehler errnoFehler(int err, const QString &host);

// Opens a file for reading its bytes without waiting: a FIFO, socket or
// device named like a photo would hold the open, or its reads, for good.
// The descriptor of a regular file, -ENOTSUP for any other, else -errno.
int openRegular(const QByteArray &host);
// The report for a file that is no regular file.
Fehler noRegularFile(const QByteArray &host);

// New files get what the user's umask allows, as with any other program.
mode_t defaultMode();
// Puts a folder's entries on disk; failures are left to the caller's next step.
void syncFolder(const QString &folder);
// Returns 0 or the errno of the failing write.
int writeAll(int fd, const char *data, qint64 size);

struct TempFile
{
    int fd = -1;
    QString path;
};

// A hidden file beside `name` in `folder`, created exclusively, named with
// our process id and held locked while it is open, so that no other program
// of ours takes it for a leftover.
TempFile createTemp(const QString &folder, const QString &name);
void dropTemp(TempFile &t);

// ".mirbelon-part", the end of every temporary name of ours.
QString partSuffix();
// Removes the temporary files of ours in `folder` that programs which have
// ended (a crash, a kill) left behind; nothing else. Once per folder and run.
void removeLeftovers(const QString &folder);

} // namespace mirbelon::posixfs
