#include "archive/Loeschen.h"

#include "archive/Arbeiter.h"
#include "archive/Laufsperre.h"
#include "archive/ZielName.h"
#include "frame/Context.h"
#include "frame/IniStore.h"
#include "services/Meldungen.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "source/Scan.h"
#include "text/Meldung.h"
#include "text/Pfad.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>

#include <climits>
#include <deque>
#include <memory>
#include <optional>

#include <vector>

namespace mirbelon {

namespace {

const QString kKontext = QStringLiteral("Es ist ein Fehler beim Löschen der markierten Fotos aufgetreten.");
const QString kSicherungen = QStringLiteral("Sicherheitskopien");

QString TempIni(const Context &ctx)
{
    return ctx.ordner.tmp + QStringLiteral("\\BrenloTemp.ini");
}

// Names may hold characters that an ini key cannot, so the key is a hash of
// the name and the value the name itself.
QString SicherungsSchluessel(const QString &name)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(name.toLower().toUtf8(), QCryptographicHash::Sha1).toHex());
}

void SicherungMerken(Context &ctx, const QString &name)
{
    IniSchreiben(ctx, TempIni(ctx), kSicherungen, SicherungsSchluessel(name), name);
}

bool IstSicherung(Context &ctx, const QString &name)
{
    const QString gemerkt =
        IniLesen(ctx, TempIni(ctx), kSicherungen, SicherungsSchluessel(name), {});
    return !gemerkt.isEmpty() && gemerkt.compare(name, Qt::CaseInsensitive) == 0;
}

enum class Schritt { Weiter, Abbruch };

Fehler Pruefung(const QString &text)
{
    return Fehler{57, text, QStringLiteral("mnuLöschenAlle")};
}

// How far the safety copies run ahead of the deletion: enough for the disk
// to write the next ones while others are read back, little enough to leave
// little work behind when the run ends early.
constexpr int kVorausFotos = 16;
constexpr qint64 kVorausBytes = 96 << 20;

bool Reserviert(const QStringList &reserviert, const QString &kopie)
{
    return reserviert.contains(kopie, Qt::CaseInsensitive);
}

// The safety copy under a name no other copy holds: the photo's own name,
// then name-01.ext, name-02.ext ...; `kopie` is the name it got. Names in
// `reserviert` belong to copies being made ahead.
CopyResult Sichern(Context &ctx, const QString &pfad, const QByteArray &host, QString &kopie,
                   const QStringList &reserviert)
{
    FileSystem &files = ctx.host.files;
    const QString name = PfadTeil(pfad, 3);
    CopyResult ergebnis;
    for (int nummer = 0; nummer < 10000; ++nummer) {
        const QString frei = nummer == 0 ? name : NummerierterName(name, nummer);
        kopie = ctx.ordner.tmp + QLatin1Char('\\') + frei;
        if (Reserviert(reserviert, kopie) || files.exists(kopie))
            continue;
        const QString ziel = files.hostPath(kopie);
        if (host.isEmpty() || ziel.isEmpty()) {
            ergebnis.fehler = FehlerAusNummer(68, QStringLiteral("mnuLöschenAlle"));
            return ergebnis;
        }
        ergebnis = KopierenImHintergrund(files, CopyOrder{host, ziel, false, {}});
        if (ergebnis.fehler.nummer == 58)
            continue; // made meanwhile by someone else
        if (!ergebnis.fehler) {
            files.noteCopy(ziel);
            SicherungMerken(ctx, frei);
        }
        return ergebnis;
    }
    ergebnis.fehler = FehlerAusNummer(58, QStringLiteral("mnuLöschenAlle"));
    return ergebnis;
}

// Whether a copy on disk holds the bytes the card gave.
bool GleichZurueck(const FileSystem &files, const QString &host, const Hash128 &hash, qint64 bytes)
{
    const ReadBack zurueck = ZurueckLesenImHintergrund(files, host);
    return !zurueck.fehler && zurueck.bytes == bytes && zurueck.hash == hash;
}

Fehler KarteAnders(const FileSystem &files, const QString &pfad, const Kopiert &archiv)
{
    return Pruefung(QStringLiteral("Die Karte hat für »") + pfad
                    + QStringLiteral("« jetzt andere Daten geliefert als beim Kopieren nach »")
                    + files.programPath(archiv.ziel)
                    + QStringLiteral("«. Das Foto wird nicht gelöscht."));
}

Fehler SicherungAnders(const QString &pfad, const QString &kopie)
{
    return Pruefung(QStringLiteral("Die Sicherheitskopie »") + kopie + QStringLiteral("« von »")
                    + pfad
                    + QStringLiteral("« lässt sich nicht so zurücklesen, wie die Karte sie "
                                     "geliefert hat. Das Foto wird nicht gelöscht."));
}

Fehler ArchivAnders(const FileSystem &files, const QString &pfad, const Kopiert &archiv)
{
    return Pruefung(QStringLiteral("Die Kopie »") + files.programPath(archiv.ziel)
                    + QStringLiteral("« von »") + pfad
                    + QStringLiteral("« lässt sich nicht so zurücklesen, wie die Karte sie "
                                     "geliefert hat. Das Foto wird nicht gelöscht."));
}

bool GleicheKopie(const Kopiert &a, const Kopiert &b)
{
    return a.ziel == b.ziel && a.hash == b.hash && a.bytes == b.bytes;
}

// The copies the deletion relies on are on disk and read back from it as
// the bytes the card gave; the card gave the same bytes both times it was read.
Fehler Pruefen(Context &ctx, const QString &pfad, const QByteArray &host, const QString &kopie,
               const CopyResult &sicherung)
{
    FileSystem &files = ctx.host.files;
    const QStringList offen = files.takeUnflushed();
    if (const Fehler f = FlushImHintergrund(files, offen)) {
        for (const QString &datei : offen)
            files.noteCopy(datei);
        return f;
    }
    const auto archiv = ctx.kopien.constFind(host);
    const bool hatArchiv = archiv != ctx.kopien.constEnd();
    if (hatArchiv && (archiv->hash != sicherung.hash || archiv->bytes != sicherung.bytes))
        return KarteAnders(files, pfad, *archiv);
    if (!GleichZurueck(files, files.hostPath(kopie), sicherung.hash, sicherung.bytes))
        return SicherungAnders(pfad, kopie);
    if (hatArchiv && !GleichZurueck(files, archiv->ziel, archiv->hash, archiv->bytes))
        return ArchivAnders(files, pfad, *archiv);
    return {};
}

// A photo's safety copy made, flushed and read back on the workers before its
// entry's turn, as Sichern and Pruefen do it there. The window thread fills
// in the order before the start and reads the results once all of it is done.
struct Vorarbeiten
{
    int eintrag = -1;
    QByteArray host;   // the photo
    QString kopie;     // the safety copy, program path
    QString kopieHost;
    qint64 groesse = 0;
    QStringList offen; // copies still to be flushed when it was started
    std::optional<Kopiert> archiv;

    CopyResult sicherung;
    Fehler flushFehler;
    bool sicherungGleich = false;
    bool archivGleich = false;

    std::shared_ptr<Vorarbeit> kopieren;
    std::shared_ptr<Vorarbeit> flushen;
    std::shared_ptr<Vorarbeit> lesenKopie;
    std::shared_ptr<Vorarbeit> lesenArchiv;

    // Lets the window's events run until all of it is done.
    void abwarten() const
    {
        lesenKopie->abwarten();
        lesenArchiv->abwarten();
    }
    // Whether what was found so far lets the read-backs go on.
    bool lesbar() const
    {
        return !sicherung.fehler && !flushFehler
               && (!archiv || (archiv->hash == sicherung.hash && archiv->bytes == sicherung.bytes));
    }
};

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
    dateien << v.kopieHost;
    return dateien;
}

// Flushes the copies of several photos at once; when that fails, each
// photo's own files on their own, so each gets the failure of its files.
void Flushen(const FileSystem &files, const std::vector<std::shared_ptr<Vorarbeiten>> &gruppe)
{
    QStringList alle;
    for (const auto &v : gruppe)
        alle << ZuFlushen(*v);
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
            v->sicherung = files.copyBytes(CopyOrder{v->host, v->kopieHost, false, {}, true}, nullptr);
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
            const ReadBack archiv = files.readBack(v->archiv->ziel, nullptr);
            v->archivGleich = !archiv.fehler && archiv.bytes == v->archiv->bytes
                              && archiv.hash == v->archiv->hash;
        });
    }
}

// The safety copies of the photos to come, made ahead in list order. Their
// names are kept free for them; a copy never used is removed again.
class Vorlauf
{
public:
    Vorlauf(Context &ctx, const QList<FileRef> &dateien, std::vector<char> zuLoeschen)
        : m_ctx(ctx), m_dateien(dateien), m_zuLoeschen(std::move(zuLoeschen))
    {
    }
    ~Vorlauf()
    {
        verwerfenBis(INT_MAX);
    }
    Vorlauf(const Vorlauf &) = delete;
    Vorlauf &operator=(const Vorlauf &) = delete;

    // The work for entry `i`, started now when it was not made ahead.
    std::shared_ptr<Vorarbeiten> nehmen(int i)
    {
        verwerfenBis(i - 1);
        if (!m_voraus.empty() && m_voraus.front()->eintrag == i) {
            auto v = m_voraus.front();
            m_voraus.pop_front();
            return v;
        }
        auto v = vorbereiten(i);
        if (v)
            Starten(m_ctx.host.files, {v});
        return v;
    }

    // Starts the next photos after `i` up to the limits, once half of them
    // are used up, as one group flushed together; not beyond a read-only
    // photo, whose question comes first.
    void auffuellen(int i)
    {
        std::vector<std::shared_ptr<Vorarbeiten>> neue;
        sammeln(i, neue);
        if (!neue.empty())
            Starten(m_ctx.host.files, neue);
    }

    QStringList reserviert() const
    {
        QStringList namen;
        for (const auto &v : m_voraus)
            namen << v->kopie;
        return namen;
    }

    // The work made ahead for the entries up to `i`, not to be used.
    void verwerfenBis(int i)
    {
        while (!m_voraus.empty() && m_voraus.front()->eintrag <= i) {
            verwerfen(m_voraus.front());
            m_voraus.pop_front();
        }
    }

    // Waits for work not to be used and removes the copy it made.
    void verwerfen(const std::shared_ptr<Vorarbeiten> &v)
    {
        FileSystem &files = m_ctx.host.files;
        v->abwarten();
        if (!v->sicherung.fehler)
            files.remove(FileRef(v->kopie, QFile::encodeName(v->kopieHost)));
        for (const QString &datei : std::as_const(v->offen))
            files.noteCopy(datei);
    }

private:
    void sammeln(int i, std::vector<std::shared_ptr<Vorarbeiten>> &neue)
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
            if (j >= int(m_zuLoeschen.size()) || files.isReadOnly(m_dateien.at(j)))
                return;
            // A large file in a group of its own: the others need not wait for its copy.
            if (!neue.empty() && files.size(m_dateien.at(j)) > kVorausBytes / 2)
                return;
            auto v = vorbereiten(j);
            if (!v)
                return;
            bytes += v->groesse;
            neue.push_back(v);
            m_voraus.push_back(std::move(v));
        }
    }

    // The work for entry `j`, not yet started; none when it cannot be made ahead.
    std::shared_ptr<Vorarbeiten> vorbereiten(int j)
    {
        FileSystem &files = m_ctx.host.files;
        const FileRef &datei = m_dateien.at(j);
        auto v = std::make_shared<Vorarbeiten>();
        v->eintrag = j;
        v->host = files.hostFile(datei);
        if (v->host.isEmpty())
            return {};
        const QString name = PfadTeil(datei.path, 3);
        const QStringList belegt = reserviert();
        for (int nummer = 0; nummer < 10000 && v->kopieHost.isEmpty(); ++nummer) {
            const QString frei = nummer == 0 ? name : NummerierterName(name, nummer);
            const QString kopie = m_ctx.ordner.tmp + QLatin1Char('\\') + frei;
            if (Reserviert(belegt, kopie) || files.exists(kopie))
                continue;
            v->kopie = kopie;
            v->kopieHost = files.hostPath(kopie);
            if (v->kopieHost.isEmpty())
                return {};
        }
        if (v->kopieHost.isEmpty())
            return {};
        if (const auto stempel = files.hostStamp(v->host))
            v->groesse = stempel->size;
        if (const auto archiv = m_ctx.kopien.constFind(v->host); archiv != m_ctx.kopien.constEnd())
            v->archiv = *archiv;
        v->offen = files.takeUnflushed();
        return v;
    }

    Context &m_ctx;
    const QList<FileRef> &m_dateien;
    const std::vector<char> m_zuLoeschen;
    std::deque<std::shared_ptr<Vorarbeiten>> m_voraus;
};

// Whether the work made ahead still stands for the photo: its copy was made,
// the card holds what was copied, and the archive copy is the one it read.
bool Brauchbar(const Context &ctx, const Vorarbeiten &v)
{
    if (v.sicherung.fehler)
        return false;
    const std::optional<FileStamp> jetzt = ctx.host.files.hostStamp(v.host);
    if (!jetzt || !(*jetzt == v.sicherung.found))
        return false;
    const auto archiv = ctx.kopien.constFind(v.host);
    if ((archiv != ctx.kopien.constEnd()) != v.archiv.has_value())
        return false;
    return !v.archiv || GleicheKopie(*archiv, *v.archiv);
}

// Pruefen for a copy made ahead: what the workers found, in the same order.
Fehler Auswerten(Context &ctx, const QString &pfad, const Vorarbeiten &v)
{
    FileSystem &files = ctx.host.files;
    QStringList offen = files.takeUnflushed();
    offen.removeAll(v.kopieHost);
    if (v.flushFehler) {
        for (const QString &datei : std::as_const(v.offen))
            files.noteCopy(datei);
        files.noteCopy(v.kopieHost);
        for (const QString &datei : std::as_const(offen))
            files.noteCopy(datei);
        return v.flushFehler;
    }
    // Copies noted since the work began, or given back by a failed flush.
    if (const Fehler f = offen.isEmpty() ? Fehler{} : FlushImHintergrund(files, offen)) {
        for (const QString &datei : std::as_const(offen))
            files.noteCopy(datei);
        return f;
    }
    if (v.archiv && (v.archiv->hash != v.sicherung.hash || v.archiv->bytes != v.sicherung.bytes))
        return KarteAnders(files, pfad, *v.archiv);
    if (!v.sicherungGleich)
        return SicherungAnders(pfad, v.kopie);
    if (v.archiv && !v.archivGleich)
        return ArchivAnders(files, pfad, *v.archiv);
    return {};
}

// Safety copy, then the delete; a photo whose copies are not proven good stays.
Schritt FotoLoeschen(Context &ctx, const FileRef &datei, int i, Vorlauf &vorlauf)
{
    FileSystem &files = ctx.host.files;
    const QString &pfad = datei.path;
    const bool schreibgeschuetzt = files.isReadOnly(datei);
    if (schreibgeschuetzt) {
        // Read-only since its copy was made ahead: the question comes first.
        vorlauf.verwerfenBis(i);
        const Answer antwort = ctx.host.dialogs.message(
            QStringLiteral("Die Datei »") + pfad + QStringLiteral("« ist schreibgeschützt. Trotzdem löschen?"),
            QStringLiteral("Schreibgeschützte Datei auf Quell-Laufwerk löschen?"), Icon::Question,
            Buttons::OkCancel, Answer::Cancel);
        if (antwort != Answer::Ok)
            return Schritt::Weiter;
        if (const Fehler f = files.setReadOnly(datei, false); f && FehlerMelden(ctx, f, kKontext) == 2)
            return Schritt::Abbruch;
    }

    const QByteArray host = files.hostFile(datei);
    std::shared_ptr<Vorarbeiten> vor = vorlauf.nehmen(i);
    vorlauf.auffuellen(i);
    if (vor) {
        vor->abwarten();
        if (!Brauchbar(ctx, *vor)) {
            vorlauf.verwerfen(vor);
            vor.reset();
        }
    }

    Fehler fehler;
    if (vor) {
        files.noteCopy(vor->kopieHost);
        SicherungMerken(ctx, PfadTeil(vor->kopie, 3));
        fehler = Auswerten(ctx, pfad, *vor);
    } else {
        // Done here, step by step, whatever went wrong ahead.
        QString kopie;
        const CopyResult sicherung = Sichern(ctx, pfad, host, kopie, vorlauf.reserviert());
        fehler = sicherung.fehler;
        if (!fehler)
            fehler = Pruefen(ctx, pfad, host, kopie, sicherung);
    }
    if (fehler) {
        // The photo is not deleted, and stays as it was.
        if (schreibgeschuetzt)
            files.setReadOnly(datei, true);
        return FehlerMelden(ctx, fehler, kKontext) == 2 ? Schritt::Abbruch : Schritt::Weiter;
    }

    if (const Fehler f = EntfernenImHintergrund(files, FileRef(pfad, host)))
        return FehlerMelden(ctx, f, kKontext) == 2 ? Schritt::Abbruch : Schritt::Weiter;
    ctx.kopien.remove(host);
    return Schritt::Weiter;
}

} // namespace

void mnuLoeschenAlle(Context &ctx, FotoListe &liste, Fenster &fenster)
{
    if (LaufBesetzt(ctx, fenster))
        return;
    const Answer antwort = ctx.host.dialogs.message(
        MeldungsText(QStringLiteral("Welche Bilder sollen gelöscht werden:~~"
                                    "* alle Fotos löschen (ja)~"
                                    "* markierten Fotos löschen (nein)~"
                                    "* keine Fotos löschen (abbrechen)")),
        QStringLiteral("Fotos auf Quell-Laufwerk löschen"), Icon::Question, Buttons::YesNoCancel,
        Answer::Cancel);
    if (antwort != Answer::Yes && antwort != Answer::No)
        return;

    {
        LaufSperre sperre(ctx, Lauf::Loeschen);
        const QStringList pfade = liste.pfade();
        const QList<FileRef> dateien = liste.dateien();
        std::vector<char> zuLoeschen = liste.marken();
        zuLoeschen.resize(size_t(pfade.size()), char(0));
        if (antwort == Answer::Yes)
            std::fill(zuLoeschen.begin(), zuLoeschen.end(), char(1));
        const int anzahl = static_cast<int>(pfade.size());
        // Before the window's steps: what it left ahead is removed on every way out.
        Vorlauf vorlauf(ctx, dateien, zuLoeschen);
        // The records of the safety copies are written a second's worth at a
        // time, not one by one; a message box writes them at once.
        std::optional<ProfileBatch> sammeln;
        sammeln.emplace(ctx.host.profiles);
        QElapsedTimer seitSammeln;
        seitSammeln.start();
        fenster.setFortschrittSichtbar(true);
        for (int i = 0; i < anzahl; ++i) {
            if (zuLoeschen[static_cast<size_t>(i)]) {
                fenster.setFortschritt(qRound((i + 1) * 100.0f / anzahl));
                fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Lösche: ") + pfade.at(i));
                fenster.statusNeuZeichnen();
                if (FotoLoeschen(ctx, dateien.at(i), i, vorlauf) == Schritt::Abbruch) {
                    fenster.setFortschrittSichtbar(false);
                    return;
                }
            }
            if (seitSammeln.hasExpired(1000)) {
                sammeln.reset();
                sammeln.emplace(ctx.host.profiles);
                seitSammeln.restart();
            }
            ctx.host.desktop.processEvents();
        }
        fenster.setFortschrittSichtbar(false);
        ctx.host.desktop.processEvents();
    }

    QuelleEinlesen(ctx, liste, fenster);
    fenster.timerHinweiseAn();
    fenster.versteckeVorschau();
}

void mnuLoeschenTmp(Context &ctx, bool vomMenue)
{
    if (!vomMenue || ctx.lauf != Lauf::Keiner)
        return;
    const QString titel = QStringLiteral("Temporär abgelegte Fotos löschen");
    const auto eintraege = ctx.host.files.list(ctx.ordner.tmp);
    QStringList sicherungen;
    for (const DirEntry &e : eintraege.value_or(QList<DirEntry>{})) {
        if (!e.isFolder && IstSicherung(ctx, e.name))
            sicherungen << e.name;
    }
    if (sicherungen.isEmpty()) {
        ctx.host.dialogs.message(
            MeldungsText(QStringLiteral("Im temporären Ordner liegen keine Sicherheitskopien "
                                        "gelöschter Fotos.")),
            titel, Icon::Information, Buttons::Ok, Answer::Ok);
        return;
    }
    const Answer antwort = ctx.host.dialogs.message(
        MeldungsText(QStringLiteral("Im temporären Ordner liegen ")
                     + QString::number(sicherungen.size())
                     + QStringLiteral(" Sicherheitskopien von Fotos, die auf der Quelle gelöscht "
                                      "wurden.~~Sollen diese Kopien endgültig gelöscht werden?")),
        titel, Icon::Question, Buttons::YesNo, Answer::No);
    if (antwort != Answer::Yes)
        return;

    BusyPointer busy(ctx.host.dialogs);
    for (const QString &name : sicherungen) {
        const Fehler f = ctx.host.files.remove(ctx.ordner.tmp + QLatin1Char('\\') + name);
        if (f) {
            if (FehlerMelden(ctx, f, QStringLiteral("Es ist ein Fehler beim Löschen der temporär "
                                                    "abgelegten Fotos aufgetreten."))
                == 2)
                return;
            continue;
        }
        IniSchreiben(ctx, TempIni(ctx), kSicherungen, SicherungsSchluessel(name), {});
    }
}

} // namespace mirbelon
