#include "archive/Loeschen.h"

#include "archive/Arbeiter.h"
#include "archive/Laufsperre.h"
#include "archive/Vorlauf.h"
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

// The safety copy under a name no other copy holds: the photo's own name,
// then name-01.ext, name-02.ext ...; `kopie` is the name it got. Names in
// `reserviert` belong to copies being made ahead.
CopyResult Sichern(Context &ctx, const QString &pfad, const QByteArray &host, QString &kopie,
                   const QStringList &reserviert)
{
    FileSystem &files = ctx.host.files;
    const QString name = PfadTeil(pfad, 3);
    CopyResult ergebnis;
    for (int nummer = 0;; ++nummer) {
        const QString frei = FreierSicherungsName(ctx, name, reserviert, nummer);
        if (frei.isEmpty())
            break;
        kopie = ctx.ordner.tmp + QLatin1Char('\\') + frei;
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

    if (const Fehler f = files.remove(datei))
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
