#include "platform/gphoto/KameraDateisystem.h"

#include "platform/gphoto/KameraQuelle.h"
#include "platform/posix/PosixFileUtil.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cerrno>

namespace mirbelon {

using namespace posixfs;

namespace {

const char kBelegt[] = "Die Kamera wird vom Dateimanager benutzt: dort auswerfen, dann Aktualisieren";

} // namespace

KameraDateisystem::KameraDateisystem(FileSystem &base, const QStringList &ports)
    : m_base(base)
    , m_kameras(std::make_unique<KameraLaufwerke>(ports, [b = &base] { return b->driveLetters(); }))
    , m_orte(*m_kameras)
{
    // Ports named outright are there at once; the cable is looked at on the watch's thread.
    if (!ports.isEmpty())
        m_kameras->auffrischen();
}

std::unique_ptr<KameraDateisystem> KameraDateisystem::fromEnvironment(FileSystem &base)
{
    return std::make_unique<KameraDateisystem>(
        base, qEnvironmentVariable("MIRBELON_KAMERAS").split(QLatin1Char(';'), Qt::SkipEmptyParts));
}

KameraDateisystem::~KameraDateisystem() = default;

void KameraDateisystem::auffrischen()
{
    m_kameras->auffrischen();
}

Fehler KameraDateisystem::schreibgeschuetzt(const QString &path) const
{
    return fehler(70, path);
}

QString KameraDateisystem::hostPath(const QString &programPath) const
{
    if (!m_orte.aufKamera(programPath))
        return m_base.hostPath(programPath);
    const std::optional<KameraOrt> o = m_orte.ort(programPath);
    return o ? QString::fromUtf8(o->host()) : QString();
}

QString KameraDateisystem::programPath(const QString &hostPath) const
{
    const QByteArray host = hostPath.toUtf8();
    if (!m_orte.aufKamera(host))
        return m_base.programPath(hostPath);
    const std::optional<KameraOrt> o = m_orte.vomHost(host);
    if (!o)
        return {};
    QString rest = QString::fromUtf8(o->pfad);
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QString(o->letter) + QLatin1Char(':') + rest;
}

QByteArray KameraDateisystem::hostFile(const FileRef &file) const
{
    if (!m_orte.aufKamera(file))
        return m_base.hostFile(file);
    const std::optional<KameraOrt> o = m_orte.ort(file);
    return o ? o->host() : QByteArray();
}

QStringList KameraDateisystem::driveLetters() const
{
    QStringList letters = m_base.driveLetters();
    for (const KameraLaufwerke::Laufwerk &l : m_kameras->laufwerke())
        letters << QString(l.letter);
    std::sort(letters.begin(), letters.end());
    return letters;
}

QList<QPair<QChar, QString>> KameraDateisystem::media() const
{
    QList<QPair<QChar, QString>> alle = m_base.media();
    for (const KameraLaufwerke::Laufwerk &l : m_kameras->laufwerke())
        alle.append({l.letter, l.kamera->model()});
    std::sort(alle.begin(), alle.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return alle;
}

void KameraDateisystem::whenMediaChange(std::function<void()> changed)
{
    m_base.whenMediaChange(changed);
    if (changed)
        m_kameras->beobachten(std::move(changed));
}

QString KameraDateisystem::mediaNote() const
{
    return m_kameras->belegtGemeldet() ? QString::fromUtf8(kBelegt) : m_base.mediaNote();
}

bool KameraDateisystem::canRead(const FileRef &file) const
{
    if (!m_orte.aufKamera(file))
        return m_base.canRead(file);
    const std::optional<KameraOrt> o = m_orte.ort(file);
    const std::optional<KameraEintrag> e = o ? m_orte.eintrag(*o) : std::nullopt;
    return e && !e->folder;
}

bool KameraDateisystem::isFolder(const QString &path) const
{
    if (!m_orte.aufKamera(path))
        return m_base.isFolder(path);
    const std::optional<KameraOrt> o = m_orte.ort(path);
    const std::optional<KameraEintrag> e = o ? m_orte.eintrag(*o) : std::nullopt;
    return e && e->folder;
}

bool KameraDateisystem::exists(const QString &path) const
{
    if (!m_orte.aufKamera(path))
        return m_base.exists(path);
    const std::optional<KameraOrt> o = m_orte.ort(path);
    return o && m_orte.eintrag(*o);
}

std::optional<FileId> KameraDateisystem::id(const FileRef &file) const
{
    if (!m_orte.aufKamera(file))
        return m_base.id(file);
    const std::optional<KameraOrt> o = m_orte.ort(file);
    if (!o || !m_orte.eintrag(*o))
        return std::nullopt;
    return o->id();
}

std::optional<QList<DirEntry>> KameraDateisystem::list(const FileRef &folder) const
{
    if (!m_orte.aufKamera(folder))
        return m_base.list(folder);
    const std::optional<KameraOrt> o = m_orte.ort(folder);
    // A listing asked for is the camera's as it is now.
    const std::optional<QList<KameraEintrag>> liste = o ? m_orte.auflisten(*o, true) : std::nullopt;
    if (!liste)
        return std::nullopt;
    QList<DirEntry> eintraege;
    eintraege.reserve(liste->size());
    for (const KameraEintrag &e : *liste) {
        const KameraOrt kind = o->darin(e.name);
        eintraege.append(DirEntry{QString::fromUtf8(e.name), e.folder, e.name.startsWith('.'), false, kind.host(),
                                  kind.id()});
    }
    return eintraege;
}

std::optional<FileStamp> KameraDateisystem::stamp(const FileRef &file) const
{
    if (!m_orte.aufKamera(file))
        return m_base.stamp(file);
    const std::optional<KameraOrt> o = m_orte.ort(file);
    const std::optional<KameraEintrag> e = o ? m_orte.eintrag(*o) : std::nullopt;
    if (!e || e->folder || e->size < 0)
        return std::nullopt;
    return o->stempel(*e);
}

qint64 KameraDateisystem::size(const FileRef &file) const
{
    if (!m_orte.aufKamera(file))
        return m_base.size(file);
    const std::optional<FileStamp> s = stamp(file);
    return s ? s->size : -1;
}

QList<qint64> KameraDateisystem::readableSizes(const QList<FileRef> &files) const
{
    const bool irgendeine = std::any_of(files.cbegin(), files.cend(), [this](const FileRef &f) { return m_orte.aufKamera(f); });
    return irgendeine ? FileSystem::readableSizes(files) : m_base.readableSizes(files);
}

std::optional<QDateTime> KameraDateisystem::modified(const FileRef &file) const
{
    if (!m_orte.aufKamera(file))
        return m_base.modified(file);
    const std::optional<FileStamp> s = stamp(file);
    if (!s)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(s->modifiedMs);
}

bool KameraDateisystem::isReadOnly(const FileRef &file) const
{
    if (!m_orte.aufKamera(file))
        return m_base.isReadOnly(file);
    const std::optional<KameraOrt> o = m_orte.ort(file);
    const std::optional<KameraEintrag> e = o ? m_orte.eintrag(*o) : std::nullopt;
    return e && !e->folder && !e->deletable;
}

FileSystem::State KameraDateisystem::state(const FileRef &file) const
{
    return m_orte.aufKamera(file) ? FileSystem::state(file) : m_base.state(file);
}

Fehler KameraDateisystem::setReadOnly(const FileRef &file, bool readOnly)
{
    return m_orte.aufKamera(file) ? schreibgeschuetzt(file.path) : m_base.setReadOnly(file, readOnly);
}

Fehler KameraDateisystem::makeFolder(const QString &path)
{
    return m_orte.aufKamera(path) ? schreibgeschuetzt(path) : m_base.makeFolder(path);
}

Fehler KameraDateisystem::remove(const FileRef &file)
{
    // Only a listed and copied photo leaves a camera.
    return m_orte.aufKamera(file) ? schreibgeschuetzt(file.path) : m_base.remove(file);
}

Fehler KameraDateisystem::removeListed(const FileRef &listed, const FileStamp &expected)
{
    if (!m_orte.aufKamera(listed))
        return m_base.removeListed(listed, expected);
    const std::optional<KameraOrt> o = m_orte.ort(listed);
    if (!o)
        return fehler(71, listed.path);
    const std::optional<KameraEintrag> jetzt = o->kamera->info(o->ordner(), o->name());
    if (!jetzt)
        return fehler(53, listed.path);
    if (jetzt->folder || !(o->stempel(*jetzt) == expected))
        return nichtMehrDieselbe(listed.path);
    if (!jetzt->deletable)
        return fehler(75, listed.path);
    if (const int r = o->kamera->remove(o->ordner(), o->name()))
        return KameraFehler(57, listed.path, r);
    m_orte.entfernt(*o);
    return {};
}

bool KameraDateisystem::mediumGone(const FileRef &file, quint64 device) const
{
    if (!m_orte.aufKamera(file))
        return (device & kKameraGeraet) == kKameraGeraet || m_base.mediumGone(file, device);
    const std::optional<KameraOrt> o = m_orte.ort(file);
    if (!o || (kKameraGeraet | o->nummer) != device)
        return true;
    if (m_orte.auflisten(o->oben(), true))
        return false;
    // Off the cable: its letter goes now, not at the next look for cameras.
    m_kameras->auffrischen();
    return true;
}

void KameraDateisystem::removeLeftovers(const QString &folder)
{
    if (!m_orte.aufKamera(folder))
        m_base.removeLeftovers(folder);
}

Fehler KameraDateisystem::copyFile(const FileRef &source, const QString &target, bool overwrite)
{
    if (m_orte.aufKamera(target))
        return schreibgeschuetzt(target);
    if (!m_orte.aufKamera(source))
        return m_base.copyFile(source, target, overwrite);
    const QByteArray from = hostFile(source);
    const QString to = m_base.hostPath(target);
    if (from.isEmpty() || to.isEmpty())
        return fehler(76, from.isEmpty() ? source.path : target);
    const CopyResult result = copyBytes(CopyOrder{from, to, overwrite, {}}, nullptr);
    if (!result.fehler)
        m_base.noteCopy(to);
    return result.fehler;
}

CopyResult KameraDateisystem::copyBytes(const CopyOrder &order, ByteProgress *progress) const
{
    if (m_orte.aufKamera(order.to.toUtf8())) {
        CopyResult r;
        r.fehler = schreibgeschuetzt(programPath(order.to));
        return r;
    }
    if (!m_orte.aufKamera(order.from))
        return m_base.copyBytes(order, progress);
    CopyResult result;
    const QString wo = programPath(QString::fromUtf8(order.from));
    const std::optional<KameraOrt> o = m_orte.vomHost(order.from);
    const std::optional<KameraEintrag> e = o ? o->kamera->info(o->ordner(), o->name()) : std::nullopt;
    if (!e || e->folder || e->size < 0) {
        result.fehler = fehler(o ? 53 : 71, wo.isEmpty() ? QString::fromUtf8(order.from) : wo);
        return result;
    }
    KameraQuelle quelle(*o, o->stempel(*e), wo);
    return copyInto(order, quelle, progress);
}

std::optional<FileStamp> KameraDateisystem::hostStamp(const QByteArray &hostFile) const
{
    if (!m_orte.aufKamera(hostFile))
        return m_base.hostStamp(hostFile);
    const std::optional<KameraOrt> o = m_orte.vomHost(hostFile);
    const std::optional<KameraEintrag> e = o ? o->kamera->info(o->ordner(), o->name()) : std::nullopt;
    if (!e || e->folder || e->size < 0)
        return std::nullopt;
    return o->stempel(*e);
}

bool KameraDateisystem::withLocalFile(const QByteArray &hostFile,
                                      const std::function<void(const QByteArray &)> &use) const
{
    if (!m_orte.aufKamera(hostFile))
        return m_base.withLocalFile(hostFile, use);
    const std::optional<KameraOrt> o = m_orte.vomHost(hostFile);
    if (!o)
        return false;
    std::unique_ptr<QTemporaryFile> datei;
    {
        std::lock_guard lock(m_lokalMutex);
        // Photos go into a folder that only the user can read.
        if (!m_lokal)
            m_lokal = std::make_unique<QTemporaryDir>();
        if (!m_lokal->isValid())
            return false;
        datei = std::make_unique<QTemporaryFile>(m_lokal->filePath(QStringLiteral("XXXXXX-"))
                                                 + QString::fromUtf8(o->name()));
    }
    if (!datei->open())
        return false;
    const int fd = datei->handle();
    int schreibfehler = 0;
    const int r = o->kamera->read(o->ordner(), o->name(), [&](const char *daten, size_t n) {
        schreibfehler = writeAll(fd, daten, qint64(n));
        return schreibfehler == 0;
    });
    if (r != 0 || schreibfehler != 0 || !datei->flush())
        return false;
    use(QFile::encodeName(datei->fileName()));
    return true;
}

std::optional<QByteArray> KameraDateisystem::readAll(const FileRef &file) const
{
    if (!m_orte.aufKamera(file))
        return m_base.readAll(file);
    const std::optional<KameraOrt> o = m_orte.ort(file);
    if (!o)
        return std::nullopt;
    QByteArray bytes;
    const int r = o->kamera->read(o->ordner(), o->name(), [&](const char *daten, size_t n) {
        bytes.append(daten, qsizetype(n));
        return true;
    });
    return r == 0 ? std::optional<QByteArray>(bytes) : std::nullopt;
}

Fehler KameraDateisystem::writeAtomic(const QString &path, const QByteArray &data, bool sync)
{
    return m_orte.aufKamera(path) ? schreibgeschuetzt(path) : m_base.writeAtomic(path, data, sync);
}

Fehler KameraDateisystem::writeAtomicStamped(const FileRef &file, const QByteArray &data, bool sync,
                                             std::optional<FileStamp> &written)
{
    if (!m_orte.aufKamera(file))
        return m_base.writeAtomicStamped(file, data, sync, written);
    written = std::nullopt;
    return schreibgeschuetzt(file.path);
}

Fehler KameraDateisystem::syncFile(const QString &path)
{
    return m_orte.aufKamera(path) ? Fehler{} : m_base.syncFile(path);
}

Fehler KameraDateisystem::append(const QString &path, const QByteArray &data)
{
    return m_orte.aufKamera(path) ? schreibgeschuetzt(path) : m_base.append(path, data);
}

DiskSpace KameraDateisystem::space(const QString &path) const
{
    return m_orte.aufKamera(path) ? DiskSpace{} : m_base.space(path);
}

QString KameraDateisystem::volumeLabel(const QString &drive) const
{
    if (!m_orte.aufKamera(drive))
        return m_base.volumeLabel(drive);
    const QChar letter = drive.at(0).toUpper();
    for (const KameraLaufwerke::Laufwerk &l : m_kameras->laufwerke()) {
        if (l.letter == letter)
            return l.kamera->model();
    }
    return {};
}

} // namespace mirbelon
