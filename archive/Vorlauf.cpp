#include "archive/Vorlauf.h"

#include "archive/Sicherungen.h"
#include "archive/ZielName.h"
#include "text/Pfad.h"

#include <QFile>

#include <climits>

namespace mirbelon {

namespace {

// How far the safety copies run ahead of the deletion: enough for the disk
// to write the next ones while others are read back, little enough to leave
// little work behind when the run ends early.
constexpr int kVorausFotos = 16;
constexpr qint64 kVorausBytes = 96 << 20;

bool GleicheKopie(const Kopiert &a, const Kopiert &b)
{
    return a.ziel == b.ziel && a.ziel2 == b.ziel2 && a.hash == b.hash && a.bytes == b.bytes;
}

// Photos whose safety copies are flushed together, with one flush once all
// of them are copied: the flush lane alone reads and writes it.
struct Gruppe
{
    std::vector<std::shared_ptr<Vorarbeiten>> mitglieder;
    bool geflusht = false;
};

// The files a photo's check flushes: its safety copy, and what was still
// to be flushed when its work began. The archive copies are among the
// latter until a flush of them succeeds (Pruefen likewise).
QStringList ZuFlushen(const Vorarbeiten &v)
{
    QStringList dateien = v.offen;
    dateien << v.kopieHost << v.eintraege;
    return dateien;
}

// Flushes the copies of several photos at once; when that fails, each
// photo's own files on their own, so each gets the failure of its files.
void Flushen(const FileSystem &files, const std::vector<std::shared_ptr<Vorarbeiten>> &gruppe)
{
    QStringList alle;
    for (const auto &v : gruppe)
        alle << ZuFlushen(*v);
    alle.removeDuplicates();
    if (!files.flush(alle))
        return;
    for (const auto &v : gruppe)
        v->flushFehler = files.flush(ZuFlushen(*v));
}

// Copy, flush and the two read-backs each on a lane of their own: the next
// photos are copied and flushed while these are read back.
void Starten(const FileSystem &files, const std::vector<std::shared_ptr<Vorarbeiten>> &neue)
{
    auto gruppe = std::make_shared<Gruppe>();
    gruppe->mitglieder = neue;
    for (const auto &v : neue) {
        v->kopieren = Vorab(Strecke::Bytes, [&files, v] {
            v->sicherung = files.copyBytes(CopyOrder{v->host, v->kopieHost, false, {}}, nullptr);
        });
    }
    for (const auto &v : neue) {
        v->flushen = Vorab(Strecke::Flush, [&files, gruppe] {
            if (gruppe->geflusht)
                return;
            gruppe->geflusht = true;
            std::vector<std::shared_ptr<Vorarbeiten>> kopiert;
            for (const auto &m : gruppe->mitglieder) {
                m->kopieren->blockieren();
                if (!m->sicherung.fehler)
                    kopiert.push_back(m);
            }
            if (!kopiert.empty())
                Flushen(files, kopiert);
        });
        v->lesenKopie = Vorab(Strecke::Lesen, [&files, v] {
            v->flushen->blockieren();
            if (!v->lesbar())
                return;
            const ReadBack kopie = files.readBack(v->kopieHost, nullptr);
            v->sicherungGleich = !kopie.fehler && kopie.bytes == v->sicherung.bytes
                                 && kopie.hash == v->sicherung.hash;
        });
        v->lesenArchiv = Vorab(Strecke::Lesen, [&files, v] {
            v->flushen->blockieren();
            if (!v->lesbar() || !v->archiv)
                return;
            const auto gleich = [&files, &v](const QString &ziel) {
                const ReadBack archiv = files.readBack(ziel, nullptr);
                return !archiv.fehler && archiv.bytes == v->archiv->bytes && archiv.hash == v->archiv->hash;
            };
            v->archivGleich = gleich(v->archiv->ziel);
            v->archiv2Gleich = v->archivGleich && (v->archiv->ziel2.isEmpty() || gleich(v->archiv->ziel2));
        });
    }
}

// The copies still to be flushed that `v` took go back for the next work.
void OffenZurueck(FileSystem &files, const Vorarbeiten &v)
{
    for (const QString &datei : std::as_const(v.offen))
        files.noteCopy(datei);
}

} // namespace

Vorlauf::Vorlauf(Context &ctx, const QList<FileRef> &dateien, std::vector<char> zuLoeschen)
    : m_ctx(ctx), m_dateien(dateien), m_zuLoeschen(std::move(zuLoeschen))
{
}

Vorlauf::~Vorlauf()
{
    verwerfenBis(INT_MAX);
}

std::shared_ptr<Vorarbeiten> Vorlauf::nehmen(int i)
{
    verwerfenBis(i - 1);
    if (!m_voraus.empty() && m_voraus.front()->eintrag == i) {
        auto v = m_voraus.front();
        m_voraus.pop_front();
        return v;
    }
    auto v = vorbereiten(i);
    if (!v)
        return {};
    if (!merken({v})) {
        OffenZurueck(m_ctx.host.files, *v);
        return {};
    }
    Starten(m_ctx.host.files, {v});
    return v;
}

void Vorlauf::auffuellen(int i)
{
    std::vector<std::shared_ptr<Vorarbeiten>> neue;
    sammeln(i, neue);
    if (neue.empty())
        return;
    if (!merken(neue)) {
        // Not made ahead: each photo's own turn tries again, and reports.
        m_voraus.erase(m_voraus.end() - qsizetype(neue.size()), m_voraus.end());
        for (const auto &v : neue)
            OffenZurueck(m_ctx.host.files, *v);
        return;
    }
    Starten(m_ctx.host.files, neue);
}

bool Vorlauf::merken(const std::vector<std::shared_ptr<Vorarbeiten>> &neue)
{
    QStringList namen;
    for (const auto &v : neue)
        namen << PfadTeil(v->kopie, 3);
    m_eintragFehler = {};
    if (SicherungenMerken(m_ctx, namen))
        return true;
    m_eintragFehler = Fehler{70,
                             QStringLiteral("Die Sicherheitskopie »") + namen.first()
                                 + QStringLiteral("« lässt sich nicht in »") + SicherungsIni(m_ctx)
                                 + QStringLiteral("« eintragen. Ohne diesen Eintrag wird kein Foto "
                                                  "gelöscht; das Löschen endet hier."),
                             QStringLiteral("mnuLöschenAlle")};
    return false;
}

QStringList Vorlauf::reserviert() const
{
    QStringList namen;
    for (const auto &v : m_voraus)
        namen << v->kopie;
    return namen;
}

void Vorlauf::verwerfenBis(int i)
{
    const ProfileBatch zusammen(m_ctx.host.profiles);
    while (!m_voraus.empty() && m_voraus.front()->eintrag <= i) {
        verwerfen(m_voraus.front());
        m_voraus.pop_front();
    }
}

void Vorlauf::verwerfen(const std::shared_ptr<Vorarbeiten> &v)
{
    FileSystem &files = m_ctx.host.files;
    v->abwarten();
    if (!v->sicherung.fehler)
        files.remove(FileRef(v->kopie, QFile::encodeName(v->kopieHost)));
    SicherungenVergessen(m_ctx, {PfadTeil(v->kopie, 3)});
    OffenZurueck(files, *v);
}

void Vorlauf::sammeln(int i, std::vector<std::shared_ptr<Vorarbeiten>> &neue)
{
    FileSystem &files = m_ctx.host.files;
    int j = m_voraus.empty() ? i : m_voraus.back()->eintrag;
    qint64 bytes = 0;
    for (const auto &v : m_voraus)
        bytes += v->groesse;
    if (int(m_voraus.size()) > kVorausFotos / 2 || bytes > kVorausBytes / 2)
        return;
    // Each with the names of those before it kept free.
    while (int(m_voraus.size()) < kVorausFotos && bytes < kVorausBytes) {
        do
            ++j;
        while (j < int(m_zuLoeschen.size()) && !m_zuLoeschen[size_t(j)]);
        if (j >= int(m_zuLoeschen.size()))
            return;
        const FileSystem::State zustand
            = Nachsehen<FileSystem::State>([&files, datei = m_dateien.at(j)] { return files.state(datei); });
        if (zustand.readOnly)
            return;
        // A large file in a group of its own: the others need not wait for its copy.
        if (!neue.empty() && zustand.stamp && zustand.stamp->size > kVorausBytes / 2)
            return;
        auto v = vorbereiten(j);
        if (!v)
            return;
        bytes += v->groesse;
        neue.push_back(v);
        m_voraus.push_back(std::move(v));
    }
}

// None when it cannot be made ahead.
std::shared_ptr<Vorarbeiten> Vorlauf::vorbereiten(int j)
{
    FileSystem &files = m_ctx.host.files;
    const FileRef &datei = m_dateien.at(j);
    auto v = std::make_shared<Vorarbeiten>();
    v->eintrag = j;
    v->host = files.hostFile(datei);
    if (v->host.isEmpty())
        return {};
    int nummer = 0;
    const QString frei = FreierSicherungsName(m_ctx, PfadTeil(datei.path, 3), reserviert(), nummer);
    if (frei.isEmpty())
        return {};
    v->kopie = m_ctx.ordner.tmp + QLatin1Char('\\') + frei;
    v->kopieHost = files.hostPath(v->kopie);
    if (v->kopieHost.isEmpty())
        return {};
    if (const auto stempel = Nachsehen<std::optional<FileStamp>>([&files, host = v->host] { return files.hostStamp(host); }))
        v->groesse = stempel->size;
    if (const auto archiv = m_ctx.kopien.constFind(v->host); archiv != m_ctx.kopien.constEnd())
        v->archiv = *archiv;
    v->eintraege = files.hostPath(SicherungsIni(m_ctx));
    v->offen = files.takeUnflushed();
    return v;
}

// Whether the work made ahead still stands for the photo: its copy was made,
// the card holds what was copied, and the archive copy is the one it read.
bool Brauchbar(const Context &ctx, const Vorarbeiten &v)
{
    if (v.sicherung.fehler)
        return false;
    const FileSystem &files = ctx.host.files;
    const std::optional<FileStamp> jetzt
        = Nachsehen<std::optional<FileStamp>>([&files, host = v.host] { return files.hostStamp(host); });
    if (!jetzt || !(*jetzt == v.sicherung.found))
        return false;
    const auto archiv = ctx.kopien.constFind(v.host);
    if ((archiv != ctx.kopien.constEnd()) != v.archiv.has_value())
        return false;
    return !v.archiv || GleicheKopie(*archiv, *v.archiv);
}
QString FreierSicherungsName(const Context &ctx, const QString &name, const QStringList &belegt,
                             int &nummer)
{
    for (; nummer < 10000; ++nummer) {
        const QString frei = nummer == 0 ? name : NummerierterName(name, nummer);
        const QString kopie = ctx.ordner.tmp + QLatin1Char('\\') + frei;
        if (!belegt.contains(kopie, Qt::CaseInsensitive) && !ctx.host.files.exists(kopie))
            return frei;
    }
    return {};
}

} // namespace mirbelon
