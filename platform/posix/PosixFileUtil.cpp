#include "platform/posix/PosixFileUtil.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <stdlib.h>
#include <unistd.h>

namespace mirbelon::posixfs {

namespace {

const QString kQuelle = QStringLiteral("Dateisystem");
const QString kTempSuffix = QStringLiteral(".mirbelon-part");

} // namespace

QByteArray enc(const QString &hostPath)
{
    return QFile::encodeName(hostPath);
}

bool statOf(const QByteArray &host, struct stat &st)
{
    return !host.isEmpty() && ::stat(host.constData(), &st) == 0;
}

bool statOf(const QString &host, struct stat &st)
{
    return statOf(enc(host), st);
}

QString parentOf(const QString &host)
{
    const qsizetype slash = host.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : host.left(slash);
}

QByteArray parentOf(const QByteArray &host)
{
    const qsizetype slash = host.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : host.left(slash);
}

QString nameOf(const QString &host)
{
    return host.mid(host.lastIndexOf(QLatin1Char('/')) + 1);
}

QByteArray nameOf(const QByteArray &host)
{
    return host.mid(host.lastIndexOf('/') + 1);
}

QString joined(const QString &folder, const QString &name)
{
    return folder == QLatin1String("/") ? QLatin1Char('/') + name
                                        : folder + QLatin1Char('/') + name;
}

QByteArray joined(const QByteArray &folder, const QByteArray &name)
{
    return folder == "/" ? '/' + name : folder + '/' + name;
}

bool folderExists(const QByteArray &host)
{
    struct stat st;
    return statOf(host, st) && S_ISDIR(st.st_mode);
}

bool folderExists(const QString &host)
{
    return folderExists(enc(host));
}

qint64 nanos(const struct timespec &t)
{
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

FileStamp fullStamp(const struct stat &st)
{
    return FileStamp{qint64(st.st_size), nanos(st.st_mtim) / 1'000'000, quint64(st.st_dev),
                     quint64(st.st_ino), nanos(st.st_ctim), nanos(st.st_mtim)};
}

Fehler fehler(int nummer, const QString &wo)
{
    return Fehler{nummer, FehlerStandardText(nummer) + QLatin1String(": ") + wo, kQuelle};
}

Fehler fehler(int nummer, const QByteArray &host)
{
    return fehler(nummer, QFile::decodeName(host));
}

Fehler nichtMehrDieselbe(const QString &wo)
{
    Fehler f = fehler(57, wo);
    f.beschreibung = QStringLiteral("Die Datei »") + wo
                     + QStringLiteral("« ist nicht mehr die, die aufgelistet und kopiert wurde "
                                      "(geändert, ersetzt oder über eine Verknüpfung erreicht). "
                                      "Sie wird nicht gelöscht.");
    return f;
}

Fehler nichtMehrDieselbe(const QByteArray &host)
{
    return nichtMehrDieselbe(QFile::decodeName(host));
}

Fehler errnoFehler(int err, const QByteArray &host)
{
    const bool ordnerFehlt = err == ENOENT && !folderExists(parentOf(host));
    return fehler(FehlerNummerAusErrno(err, ordnerFehlt), host);
}

Fehler errnoFehler(int err, const QString &host)
{
    return errnoFehler(err, enc(host));
}

int openRegular(const QByteArray &host)
{
    const int fd = ::open(host.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -ENOTSUP;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

Fehler noRegularFile(const QByteArray &host)
{
    Fehler f = fehler(75, host);
    f.beschreibung = QStringLiteral("»") + QFile::decodeName(host)
                     + QStringLiteral("« ist keine gewöhnliche Datei (etwa eine Pipe oder ein "
                                      "Gerät) und wird übersprungen.");
    return f;
}

mode_t defaultMode()
{
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mode_t(0666 & ~mask);
    }();
    return mode;
}

int writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(std::min<qint64>(size, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= n;
    }
    return 0;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(enc(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

TempFile createTemp(const QString &folder, const QString &name)
{
    removeLeftovers(folder);
    QString kurz = name;
    while (enc(kurz).size() > 150)
        kurz.chop(1);
    const QString suffix = QStringLiteral(".p%1").arg(::getpid()) + kTempSuffix;
    QByteArray pattern
        = enc(joined(folder, QLatin1Char('.') + kurz + QLatin1String(".XXXXXX") + suffix));
    const int fd = ::mkostemps(pattern.data(), int(enc(suffix).size()), O_CLOEXEC);
    if (fd >= 0)
        ::flock(fd, LOCK_EX | LOCK_NB); // released on close, or when the process ends
    return TempFile { fd, fd >= 0 ? QFile::decodeName(pattern) : QString() };
}

QString partSuffix()
{
    return kTempSuffix;
}

void dropTemp(TempFile &t)
{
    if (t.fd >= 0)
        ::close(t.fd);
    if (!t.path.isEmpty())
        ::unlink(enc(t.path).constData());
    t = TempFile{};
}

bool ownerMayWrite(const struct stat &st)
{
    return (st.st_mode & S_IWUSR) != 0;
}

} // namespace mirbelon::posixfs
