#include "platform/gphoto/KameraDateisystem.h"

#include "platform/posix/CopyInto.h"
#include "platform/posix/PosixFileUtil.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cerrno>

namespace mirbelon {

using namespace posixfs;

namespace {

// Device numbers of cameras: far above any a kernel gives.
constexpr quint64 kKameraGeraet = quint64(0x6770) << 48;

const char kBelegt[] = "Die Kamera wird vom Dateimanager benutzt: dort auswerfen, dann Aktualisieren";

QByteArray Verbunden(const QByteArray &ordner, const QByteArray &name)
{
    return ordner.endsWith('/') ? ordner + name : ordner + '/' + name;
}

Fehler KameraFehler(int nummer, const QString &wo, int ergebnis)
{
    Fehler f = fehler(nummer, wo);
    if (ergebnis != 0)
        f.beschreibung += QStringLiteral(" (") + GphotoKamera::text(ergebnis) + QLatin1Char(')');
    return f;
}

// The bytes of a camera's file, as they come over the cable.
class KameraQuelle : public CopySource
{
public:
    KameraQuelle(std::shared_ptr<GphotoKamera> kamera, QByteArray ordner, QByteArray name, FileStamp stempel,
                 QString wo)
        : m_kamera(std::move(kamera)), m_ordner(std::move(ordner)), m_name(std::move(name)),
          m_stempel(stempel), m_wo(std::move(wo))
    {
    }
    FileStamp found() const override { return m_stempel; }
    int pump(int out, Hasher &hasher, qint64 &copied, ByteProgress *progress, int out2, int *err2) override
    {
        copied = 0;
        int schreibfehler = 0;
        const int r = m_kamera->read(m_ordner, m_name, [&](const char *daten, size_t n) {
            hasher.add(daten, n);
            schreibfehler = writeAll(out, daten, qint64(n));
            if (out2 >= 0 && *err2 == 0)
                *err2 = writeAll(out2, daten, qint64(n));
            copied += qint64(n);
            if (progress)
                progress->done.store(copied);
            return schreibfehler == 0;
        });
        if (schreibfehler != 0)
            return schreibfehler;
        if (r != 0) {
            m_fault = KameraFehler(57, m_wo, r);
            return EIO;
        }
        return 0;
    }
    bool unchanged() override
    {
        const std::optional<KameraEintrag> e = m_kamera->info(m_ordner, m_name);
        return e && e->size == m_stempel.size && e->mtime * 1000 == m_stempel.modifiedMs;
    }
    std::optional<Fehler> fault() const override { return m_fault; }

private:
    std::shared_ptr<GphotoKamera> m_kamera;
    QByteArray m_ordner;
    QByteArray m_name;
    FileStamp m_stempel;
    QString m_wo;
    std::optional<Fehler> m_fault;
};

} // namespace

QByteArray KameraDateisystem::Ort::host() const
{
    return "gphoto2:" + QByteArray::number(nummer) + ':' + pfad;
}

QByteArray KameraDateisystem::Ort::ordner() const
{
    const qsizetype schnitt = pfad.lastIndexOf('/');
    return schnitt <= 0 ? QByteArray("/") : pfad.left(schnitt);
}

QByteArray KameraDateisystem::Ort::name() const
{
    return pfad.mid(pfad.lastIndexOf('/') + 1);
}

KameraDateisystem::KameraDateisystem(FileSystem &base, const QStringList &ports)
    : m_base(base)
{
    const FileSystem *b = &m_base;
    m_kameras = std::make_unique<KameraLaufwerke>(ports, [b] { return b->driveLetters(); });
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

bool KameraDateisystem::aufKamera(const QString &programPath) const
{
    if (programPath.size() < 2 || programPath.at(1) != QLatin1Char(':'))
        return false;
    const QChar letter = programPath.at(0).toUpper();
    for (const KameraLaufwerke::Laufwerk &l : m_kameras->laufwerke()) {
        if (l.letter == letter)
            return true;
    }
    return false;
}

std::optional<QList<KameraEintrag>> KameraDateisystem::auflisten(const Ort &ordner, bool neu) const
{
    const QByteArray schluessel = ordner.host();
    if (!neu) {
        std::lock_guard lock(m_mutex);
        const auto it = m_listen.constFind(schluessel);
        if (it != m_listen.constEnd())
            return *it;
    }
    std::optional<QList<KameraEintrag>> liste = ordner.kamera->list(ordner.pfad, neu);
    std::lock_guard lock(m_mutex);
    if (liste)
        m_listen.insert(schluessel, *liste);
    else
        m_listen.remove(schluessel);
    return liste;
}

std::optional<KameraDateisystem::Ort> KameraDateisystem::ort(const FileRef &file) const
{
    if (!file.host.isEmpty())
        return aufKamera(file.host) ? vomHost(file.host) : std::nullopt;
    const QString &pfad = file.path;
    if (!aufKamera(pfad))
        return std::nullopt;
    const QChar letter = pfad.at(0).toUpper();
    Ort o;
    for (const KameraLaufwerke::Laufwerk &l : m_kameras->laufwerke()) {
        if (l.letter == letter)
            o = Ort{l.kamera, l.nummer, l.letter, "/"};
    }
    if (!o.kamera)
        return std::nullopt;
    const QStringList teile = pfad.mid(2).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < teile.size(); ++i) {
        const QByteArray gesucht = teile.at(i).toUtf8();
        QByteArray gefunden = gesucht;
        // An exact spelling first, then any case; a name not there keeps its own.
        if (const std::optional<QList<KameraEintrag>> liste = auflisten(o, false)) {
            bool genau = false;
            for (const KameraEintrag &e : *liste)
                genau = genau || e.name == gesucht;
            for (const KameraEintrag &e : *liste) {
                if (!genau && QString::fromUtf8(e.name).compare(teile.at(i), Qt::CaseInsensitive) == 0) {
                    gefunden = e.name;
                    break;
                }
            }
        }
        o.pfad = Verbunden(o.pfad, gefunden);
    }
    return o;
}

std::optional<KameraDateisystem::Ort> KameraDateisystem::vomHost(const QByteArray &host) const
{
    const qsizetype doppelpunkt = host.indexOf(':', 8);
    if (!aufKamera(host) || doppelpunkt < 0)
        return std::nullopt;
    const quint64 nummer = host.mid(8, doppelpunkt - 8).toULongLong();
    for (const KameraLaufwerke::Laufwerk &l : m_kameras->laufwerke()) {
        if (l.nummer == nummer)
            return Ort{l.kamera, l.nummer, l.letter, host.mid(doppelpunkt + 1)};
    }
    return std::nullopt;
}

std::optional<KameraEintrag> KameraDateisystem::eintrag(const Ort &o) const
{
    if (o.pfad == "/")
        return KameraEintrag{"/", true};
    Ort ordner = o;
    ordner.pfad = o.ordner();
    const QByteArray name = o.name();
    if (const std::optional<QList<KameraEintrag>> liste = auflisten(ordner, false)) {
        for (const KameraEintrag &e : *liste) {
            if (e.name == name)
                return e;
        }
    }
    return std::nullopt;
}

FileStamp KameraDateisystem::stempel(const Ort &o, const KameraEintrag &e)
{
    // Which file: the attachment and the path; a file put in its place shows
    // in size or time.
    return FileStamp{e.size, e.mtime * 1000, kKameraGeraet | o.nummer, qHash(o.pfad), 0,
                     e.mtime * 1'000'000'000};
}

Fehler KameraDateisystem::schreibgeschuetzt(const QString &path) const
{
    return fehler(70, path);
}

QString KameraDateisystem::hostPath(const QString &programPath) const
{
    if (!aufKamera(programPath))
        return m_base.hostPath(programPath);
    const std::optional<Ort> o = ort(programPath);
    return o ? QString::fromUtf8(o->host()) : QString();
}

QString KameraDateisystem::programPath(const QString &hostPath) const
{
    const QByteArray host = hostPath.toUtf8();
    if (!aufKamera(host))
        return m_base.programPath(hostPath);
    const std::optional<Ort> o = vomHost(host);
    if (!o)
        return {};
    QString rest = QString::fromUtf8(o->pfad);
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QString(o->letter) + QLatin1Char(':') + rest;
}

QByteArray KameraDateisystem::hostFile(const FileRef &file) const
{
    if (!aufKamera(file))
        return m_base.hostFile(file);
    const std::optional<Ort> o = ort(file);
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
    if (!aufKamera(file))
        return m_base.canRead(file);
    const std::optional<Ort> o = ort(file);
    const std::optional<KameraEintrag> e = o ? eintrag(*o) : std::nullopt;
    return e && !e->folder;
}

bool KameraDateisystem::isFolder(const QString &path) const
{
    if (!aufKamera(path))
        return m_base.isFolder(path);
    const std::optional<Ort> o = ort(path);
    const std::optional<KameraEintrag> e = o ? eintrag(*o) : std::nullopt;
    return e && e->folder;
}

bool KameraDateisystem::exists(const QString &path) const
{
    if (!aufKamera(path))
        return m_base.exists(path);
    const std::optional<Ort> o = ort(path);
    return o && eintrag(*o);
}

std::optional<FileId> KameraDateisystem::id(const FileRef &file) const
{
    if (!aufKamera(file))
        return m_base.id(file);
    const std::optional<Ort> o = ort(file);
    if (!o || !eintrag(*o))
        return std::nullopt;
    return FileId{kKameraGeraet | o->nummer, quint64(qHash(o->pfad))};
}

std::optional<QList<DirEntry>> KameraDateisystem::list(const FileRef &folder) const
{
    if (!aufKamera(folder))
        return m_base.list(folder);
    const std::optional<Ort> o = ort(folder);
    // A listing asked for is the camera's as it is now.
    const std::optional<QList<KameraEintrag>> liste = o ? auflisten(*o, true) : std::nullopt;
    if (!liste)
        return std::nullopt;
    QList<DirEntry> eintraege;
    eintraege.reserve(liste->size());
    for (const KameraEintrag &e : *liste) {
        Ort kind = *o;
        kind.pfad = Verbunden(o->pfad, e.name);
        eintraege.append(DirEntry{QString::fromUtf8(e.name), e.folder, e.name.startsWith('.'), false, kind.host(),
                                  FileId{kKameraGeraet | o->nummer, quint64(qHash(kind.pfad))}});
    }
    return eintraege;
}

std::optional<FileStamp> KameraDateisystem::stamp(const FileRef &file) const
{
    if (!aufKamera(file))
        return m_base.stamp(file);
    const std::optional<Ort> o = ort(file);
    const std::optional<KameraEintrag> e = o ? eintrag(*o) : std::nullopt;
    if (!e || e->folder || e->size < 0)
        return std::nullopt;
    return stempel(*o, *e);
}

qint64 KameraDateisystem::size(const FileRef &file) const
{
    if (!aufKamera(file))
        return m_base.size(file);
    const std::optional<FileStamp> s = stamp(file);
    return s ? s->size : -1;
}

QList<qint64> KameraDateisystem::readableSizes(const QList<FileRef> &files) const
{
    const bool irgendeine = std::any_of(files.cbegin(), files.cend(), [this](const FileRef &f) { return aufKamera(f); });
    return irgendeine ? FileSystem::readableSizes(files) : m_base.readableSizes(files);
}

std::optional<QDateTime> KameraDateisystem::modified(const FileRef &file) const
{
    if (!aufKamera(file))
        return m_base.modified(file);
    const std::optional<FileStamp> s = stamp(file);
    if (!s)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(s->modifiedMs);
}

bool KameraDateisystem::isReadOnly(const FileRef &file) const
{
    if (!aufKamera(file))
        return m_base.isReadOnly(file);
    const std::optional<Ort> o = ort(file);
    const std::optional<KameraEintrag> e = o ? eintrag(*o) : std::nullopt;
    return e && !e->folder && !e->deletable;
}

FileSystem::State KameraDateisystem::state(const FileRef &file) const
{
    return aufKamera(file) ? FileSystem::state(file) : m_base.state(file);
}

Fehler KameraDateisystem::setReadOnly(const FileRef &file, bool readOnly)
{
    return aufKamera(file) ? schreibgeschuetzt(file.path) : m_base.setReadOnly(file, readOnly);
}

Fehler KameraDateisystem::makeFolder(const QString &path)
{
    return aufKamera(path) ? schreibgeschuetzt(path) : m_base.makeFolder(path);
}

Fehler KameraDateisystem::remove(const FileRef &file)
{
    // Only a listed and copied photo leaves a camera.
    return aufKamera(file) ? schreibgeschuetzt(file.path) : m_base.remove(file);
}

Fehler KameraDateisystem::removeListed(const FileRef &listed, const FileStamp &expected)
{
    if (!aufKamera(listed))
        return m_base.removeListed(listed, expected);
    const std::optional<Ort> o = ort(listed);
    if (!o)
        return fehler(71, listed.path);
    const std::optional<KameraEintrag> jetzt = o->kamera->info(o->ordner(), o->name());
    if (!jetzt)
        return fehler(53, listed.path);
    if (jetzt->folder || !(stempel(*o, *jetzt) == expected))
        return nichtMehrDieselbe(listed.path);
    if (!jetzt->deletable)
        return fehler(75, listed.path);
    if (const int r = o->kamera->remove(o->ordner(), o->name()))
        return KameraFehler(57, listed.path, r);
    std::lock_guard lock(m_mutex);
    Ort ordner = *o;
    ordner.pfad = o->ordner();
    m_listen.remove(ordner.host());
    return {};
}

bool KameraDateisystem::mediumGone(const FileRef &file, quint64 device) const
{
    if (!aufKamera(file))
        return (device & kKameraGeraet) == kKameraGeraet || m_base.mediumGone(file, device);
    const std::optional<Ort> o = ort(file);
    if (!o || (kKameraGeraet | o->nummer) != device)
        return true;
    Ort ordner = *o;
    ordner.pfad = o->ordner();
    return !auflisten(ordner, true);
}

void KameraDateisystem::removeLeftovers(const QString &folder)
{
    if (!aufKamera(folder))
        m_base.removeLeftovers(folder);
}

Fehler KameraDateisystem::copyFile(const FileRef &source, const QString &target, bool overwrite)
{
    if (aufKamera(target))
        return schreibgeschuetzt(target);
    if (!aufKamera(source))
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
    if (aufKamera(order.to.toUtf8())) {
        CopyResult r;
        r.fehler = schreibgeschuetzt(programPath(order.to));
        return r;
    }
    if (!aufKamera(order.from))
        return m_base.copyBytes(order, progress);
    CopyResult result;
    const QString wo = programPath(QString::fromUtf8(order.from));
    const std::optional<Ort> o = vomHost(order.from);
    const std::optional<KameraEintrag> e = o ? o->kamera->info(o->ordner(), o->name()) : std::nullopt;
    if (!e || e->folder || e->size < 0) {
        result.fehler = fehler(o ? 53 : 71, wo.isEmpty() ? QString::fromUtf8(order.from) : wo);
        return result;
    }
    KameraQuelle quelle(o->kamera, o->ordner(), o->name(), stempel(*o, *e), wo);
    return copyInto(order, quelle, progress);
}

std::optional<FileStamp> KameraDateisystem::hostStamp(const QByteArray &hostFile) const
{
    if (!aufKamera(hostFile))
        return m_base.hostStamp(hostFile);
    const std::optional<Ort> o = vomHost(hostFile);
    const std::optional<KameraEintrag> e = o ? o->kamera->info(o->ordner(), o->name()) : std::nullopt;
    if (!e || e->folder || e->size < 0)
        return std::nullopt;
    return stempel(*o, *e);
}

bool KameraDateisystem::withLocalFile(const QByteArray &hostFile,
                                      const std::function<void(const QByteArray &)> &use) const
{
    if (!aufKamera(hostFile))
        return m_base.withLocalFile(hostFile, use);
    const std::optional<Ort> o = vomHost(hostFile);
    if (!o)
        return false;
    std::unique_ptr<QTemporaryFile> datei;
    {
        std::lock_guard lock(m_mutex);
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
    if (!aufKamera(file))
        return m_base.readAll(file);
    const std::optional<Ort> o = ort(file);
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
    return aufKamera(path) ? schreibgeschuetzt(path) : m_base.writeAtomic(path, data, sync);
}

Fehler KameraDateisystem::writeAtomicStamped(const FileRef &file, const QByteArray &data, bool sync,
                                             std::optional<FileStamp> &written)
{
    if (!aufKamera(file))
        return m_base.writeAtomicStamped(file, data, sync, written);
    written = std::nullopt;
    return schreibgeschuetzt(file.path);
}

Fehler KameraDateisystem::syncFile(const QString &path)
{
    return aufKamera(path) ? Fehler{} : m_base.syncFile(path);
}

Fehler KameraDateisystem::append(const QString &path, const QByteArray &data)
{
    return aufKamera(path) ? schreibgeschuetzt(path) : m_base.append(path, data);
}

DiskSpace KameraDateisystem::space(const QString &path) const
{
    return aufKamera(path) ? DiskSpace{} : m_base.space(path);
}

QString KameraDateisystem::volumeLabel(const QString &drive) const
{
    if (!aufKamera(drive))
        return m_base.volumeLabel(drive);
    const QChar letter = drive.at(0).toUpper();
    for (const KameraLaufwerke::Laufwerk &l : m_kameras->laufwerke()) {
        if (l.letter == letter)
            return l.kamera->model();
    }
    return {};
}

} // namespace mirbelon
