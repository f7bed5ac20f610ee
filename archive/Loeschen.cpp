#include "archive/Loeschen.h"

#include "archive/Laufsperre.h"
#include "archive/Sicherungen.h"
#include "archive/Vorlauf.h"
#include "frame/Context.h"
#include "frame/IniStore.h"
#include "services/Meldungen.h"
#include "source/Arbeiter.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "source/Scan.h"
#include "text/Meldung.h"
#include "text/Pfad.h"

#include <QFile>

#include <memory>
#include <optional>
#include <vector>

namespace mirbelon {

namespace {

const QString kKontext = QStringLiteral("Es ist ein Fehler beim Löschen der markierten Fotos aufgetreten.");
const QString kTitel = QStringLiteral("Fotos auf Quell-Laufwerk löschen");

enum class Schritt { Weiter, Abbruch, KarteWeg };

Fehler Pruefung(const QString &text)
{
    return Fehler{57, text, QStringLiteral("mnuLöschenAlle")};
}

Fehler Geaendert(const QString &pfad)
{
    return Pruefung(QStringLiteral("Die Datei »") + pfad
                    + QStringLiteral("« hat sich auf der Karte geändert, seit sie aufgelistet "
                                     "und kopiert wurde. Das Foto wird nicht gelöscht."));
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

Fehler ArchivAnders(const FileSystem &files, const QString &pfad, const QString &kopie)
{
    return Pruefung(QStringLiteral("Die Kopie »") + files.programPath(kopie)
                    + QStringLiteral("« von »") + pfad
                    + QStringLiteral("« lässt sich nicht so zurücklesen, wie die Karte sie "
                                     "geliefert hat. Das Foto wird nicht gelöscht."));
}

// The copies the deletion relies on are on disk and read back from it as
// the bytes the card gave; the card gave the same bytes both times it was read.
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
        return ArchivAnders(files, pfad, v.archiv->ziel);
    if (v.archiv && !v.archiv2Gleich)
        return ArchivAnders(files, pfad, v.archiv->ziel2);
    return {};
}

// The work for the photo: the one made ahead where it still stands, else
// started now and waited for. None when it cannot be made.
std::shared_ptr<Vorarbeiten> Arbeit(Context &ctx, int i, Vorlauf &vorlauf)
{
    std::shared_ptr<Vorarbeiten> vor = vorlauf.nehmen(i);
    vorlauf.auffuellen(i);
    if (!vor)
        return vor;
    vor->abwarten();
    if (Brauchbar(ctx, *vor))
        return vor;
    vorlauf.verwerfen(vor);
    vor = vorlauf.nehmen(i);
    if (vor)
        vor->abwarten();
    return vor;
}

// One photo of the deletion, and what was listed of it.
struct Foto
{
    const FileRef &datei;
    QByteArray host;
    std::optional<FileStamp> stempel; // when the deletion began; nullopt: no regular file
};

// Safety copy, then the delete; a photo whose copies are not proven good, or
// that is no longer the file that was listed and copied, stays.
Schritt FotoLoeschen(Context &ctx, Foto foto, int i, Vorlauf &vorlauf, QList<Sicherung> &kennungen)
{
    FileSystem &files = ctx.host.files;
    const QString &pfad = foto.datei.path;
    const auto melden = [&](const Fehler &f) {
        // The first failure that shows the card gone ends the run with one report.
        if (KarteWeg(ctx, foto.datei, foto.stempel ? foto.stempel->device : 0))
            return Schritt::KarteWeg;
        return FehlerMelden(ctx, f, kKontext) == 2 ? Schritt::Abbruch : Schritt::Weiter;
    };
    const auto archiv = ctx.kopien.constFind(foto.host);
    if (foto.stempel && archiv != ctx.kopien.constEnd() && !(archiv->quelle == *foto.stempel))
        return melden(Geaendert(pfad));

    // The photo as it is now, looked at on a worker: a camera answers over its cable.
    const auto jetzt = [&files, &foto] {
        return Nachsehen<std::optional<FileStamp>>([&files, host = foto.host] { return files.hostStamp(host); });
    };
    const bool schreibgeschuetzt
        = Nachsehen<bool>([&files, datei = foto.datei] { return files.isReadOnly(datei); });
    if (schreibgeschuetzt) {
        // Read-only since its copy was made ahead: the question comes first.
        vorlauf.verwerfenBis(i);
        const Answer antwort = ctx.host.dialogs.message(
            QStringLiteral("Die Datei »") + pfad + QStringLiteral("« ist schreibgeschützt. Trotzdem löschen?"),
            QStringLiteral("Schreibgeschützte Datei auf Quell-Laufwerk löschen?"), Icon::Question,
            Buttons::OkCancel, Answer::Cancel);
        if (antwort != Answer::Ok)
            return Schritt::Weiter;
        if (jetzt() != foto.stempel)
            return melden(Geaendert(pfad));
        if (const Fehler f = files.setReadOnly(foto.datei, false))
            return melden(f);
        // Clearing the bit changes the file's ctime: what counts from here.
        foto.stempel = jetzt();
    }
    const auto bleibt = [&](const Fehler &f) {
        // The photo is not deleted, and stays as it was.
        if (schreibgeschuetzt)
            files.setReadOnly(foto.datei, true);
        return melden(f);
    };
    if (foto.stempel && jetzt() != foto.stempel)
        return bleibt(Geaendert(pfad));

    const std::shared_ptr<Vorarbeiten> vor = Arbeit(ctx, i, vorlauf);
    if (!vor) {
        if (const Fehler &f = vorlauf.eintragFehler()) {
            if (schreibgeschuetzt)
                files.setReadOnly(foto.datei, true);
            FehlerMelden(ctx, f, kKontext);
            return Schritt::Abbruch;
        }
        return bleibt(FehlerAusNummer(68, QStringLiteral("mnuLöschenAlle")));
    }
    Fehler fehler = vor->sicherung.fehler;
    if (!fehler && !(foto.stempel && vor->sicherung.found == *foto.stempel))
        fehler = Geaendert(pfad);
    if (fehler) {
        vorlauf.verwerfen(vor);
        return bleibt(fehler);
    }
    files.noteCopy(vor->kopieHost);
    if (const Fehler f = Auswerten(ctx, pfad, *vor))
        return bleibt(f);

    if (const Fehler f = Nachsehen<Fehler>([&files, datei = foto.datei, stempel = *foto.stempel] {
            return files.removeListed(datei, stempel);
        }))
        return bleibt(f);
    ctx.kopien.remove(foto.host);
    if (const auto kopie = files.hostStamp(QFile::encodeName(vor->kopieHost)))
        kennungen << Sicherung{PfadTeil(vor->kopie, 3), vor->sicherung.bytes, kopie->inode,
                               vor->sicherung.hash};
    return Schritt::Weiter;
}

QString Fotos(qsizetype n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" Foto") : QStringLiteral(" Fotos"));
}

// What each answer deletes, in one line.
QString Zaehlzeile(const QList<FileRef> &dateien, const std::vector<char> &kopiert,
                   const std::vector<char> &markiert, bool nurKopierte)
{
    QStringList typen;
    qsizetype nichtKopiert = 0;
    qsizetype nein = 0;
    for (size_t i = 0; i < kopiert.size(); ++i) {
        if (markiert[i] && (kopiert[i] || !nurKopierte))
            ++nein;
        if (kopiert[i])
            continue;
        ++nichtKopiert;
        const QString name = PfadTeil(dateien.at(qsizetype(i)).path, 3);
        const qsizetype punkt = name.lastIndexOf(QLatin1Char('.'));
        const QString typ = QStringLiteral("*") + (punkt < 0 ? QString() : name.mid(punkt).toLower());
        if (punkt >= 0 && !typen.contains(typ))
            typen << typ;
    }
    QString zeile = QStringLiteral("Ja: ") + Fotos(qsizetype(kopiert.size()));
    if (nichtKopiert == 0)
        zeile += QStringLiteral(", alle kopiert");
    else
        zeile += QStringLiteral(", davon ") + QString::number(nichtKopiert)
                 + QStringLiteral(" nicht kopiert") + (typen.isEmpty() ? QString() : QStringLiteral(" (") + typen.join(QStringLiteral(", ")) + QLatin1Char(')'));
    zeile += QStringLiteral(". Nein: ") + QString::number(nein)
             + (nurKopierte ? QStringLiteral(" kopierte ") : QStringLiteral(" markierte "))
             + (nein == 1 ? QStringLiteral("Foto.") : QStringLiteral("Fotos."));
    return zeile;
}

} // namespace

void mnuLoeschenAlle(Context &ctx, FotoListe &liste, Fenster &fenster, bool nachKopierlauf)
{
    if (LaufBesetzt(ctx, fenster))
        return;
    FileSystem &files = ctx.host.files;
    const QStringList pfade = liste.pfade();
    const QList<FileRef> dateien = liste.dateien();
    const int anzahl = static_cast<int>(pfade.size());
    std::vector<char> markiert = liste.marken();
    markiert.resize(size_t(anzahl), char(0));
    QList<QByteArray> hosts;
    std::vector<char> kopiert(size_t(anzahl), char(0));
    for (int i = 0; i < anzahl; ++i) {
        hosts << files.hostFile(dateien.at(i));
        const auto kopie = ctx.kopien.constFind(hosts.last());
        kopiert[size_t(i)] = kopie != ctx.kopien.constEnd() && !kopie->zweiteFehlt ? 1 : 0;
    }
    // After copying, "Nein" leaves a marked photo that has no archive copy.
    const bool nurKopierte = nachKopierlauf || !ctx.kopien.isEmpty();

    const Answer antwort = ctx.host.dialogs.message(
        MeldungsText(QStringLiteral("Welche Bilder sollen gelöscht werden:~~"
                                    "* alle Fotos löschen (ja)~"
                                    "* markierten Fotos löschen (nein)~"
                                    "* keine Fotos löschen (abbrechen)~~")
                     + Zaehlzeile(dateien, kopiert, markiert, nurKopierte)),
        kTitel, Icon::Question, Buttons::YesNoCancel, Answer::Cancel);
    if (antwort != Answer::Yes && antwort != Answer::No)
        return;

    int geblieben = 0;
    {
        LaufSperre sperre(ctx, Lauf::Loeschen);
        std::vector<char> zuLoeschen = markiert;
        if (antwort == Answer::Yes)
            std::fill(zuLoeschen.begin(), zuLoeschen.end(), char(1));
        else if (nurKopierte) {
            for (size_t i = 0; i < zuLoeschen.size(); ++i) {
                if (zuLoeschen[i] && !kopiert[i]) {
                    zuLoeschen[i] = 0;
                    ++geblieben;
                }
            }
        }
        // Each photo as it is now: only this very file is deleted later.
        const QList<std::optional<FileStamp>> stempel =
            ImHintergrund<QList<std::optional<FileStamp>>>([&files, &hosts, &zuLoeschen] {
                QList<std::optional<FileStamp>> s;
                for (qsizetype i = 0; i < hosts.size(); ++i)
                    s << (zuLoeschen[size_t(i)] ? files.hostStamp(hosts.at(i)) : std::nullopt);
                return s;
            });
        // Before the window's steps: what it left ahead is removed on every way out.
        Vorlauf vorlauf(ctx, dateien, zuLoeschen);
        QList<Sicherung> kennungen;
        Schritt schritt = Schritt::Weiter;
        fenster.setFortschrittSichtbar(true);
        for (int i = 0; i < anzahl && schritt == Schritt::Weiter; ++i) {
            if (zuLoeschen[static_cast<size_t>(i)]) {
                fenster.setFortschritt(qRound((i + 1) * 100.0f / anzahl));
                fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Lösche: ") + pfade.at(i));
                fenster.statusNeuZeichnen();
                schritt = FotoLoeschen(ctx, Foto{dateien.at(i), hosts.at(i), stempel.at(i)}, i,
                                       vorlauf, kennungen);
            }
            ctx.host.desktop.processEvents();
        }
        fenster.setFortschrittSichtbar(false);
        SicherungenKennen(ctx, kennungen);
        if (schritt == Schritt::Abbruch)
            return;
        if (schritt == Schritt::KarteWeg) {
            geblieben = 0;
            KarteWegMelden(ctx, pfade.value(0),
                           QStringLiteral("Das Löschen ist beendet; auf der Karte wurde nichts mehr angerührt."));
        }
        ctx.host.desktop.processEvents();
    }

    QuelleEinlesen(ctx, liste, fenster);
    fenster.timerHinweiseAn();
    fenster.versteckeVorschau();
    if (geblieben > 0)
        ctx.host.dialogs.message(
            geblieben == 1 ? QStringLiteral("1 markiertes Foto bleibt auf der Karte: es wurde nicht "
                                            "ins Archiv kopiert.")
                           : QString::number(geblieben)
                                 + QStringLiteral(" markierte Fotos bleiben auf der Karte: sie "
                                                  "wurden nicht ins Archiv kopiert."),
            kTitel, Icon::Information, Buttons::Ok, Answer::Ok);
}

void mnuLoeschenTmp(Context &ctx, bool vomMenue)
{
    FileSystem &files = ctx.host.files;
    if (!vomMenue) {
        // What a killed deletion was writing there is of no use to anyone.
        files.removeLeftovers(ctx.ordner.tmp);
        return;
    }
    if (ctx.lauf != Lauf::Keiner)
        return;
    const QString titel = QStringLiteral("Temporär abgelegte Fotos löschen");
    const auto eintraege = files.list(ctx.ordner.tmp);
    QList<DirEntry> sicherungen;
    for (const DirEntry &e : eintraege.value_or(QList<DirEntry>{})) {
        if (e.isFolder || e.isLink)
            continue;
        const std::optional<Sicherung> s = GemerkteSicherung(ctx, e.name);
        if (s && (s->bytes < 0 || (e.id.inode == s->inode && files.size(FileRef(e.name, e.host)) == s->bytes)))
            sicherungen << e;
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
    for (const DirEntry &e : std::as_const(sicherungen)) {
        const std::optional<Sicherung> s = GemerkteSicherung(ctx, e.name);
        // Its bytes as recorded, where a hash was: else it is not ours to delete.
        if (s && s->bytes >= 0) {
            const ReadBack zurueck = ZurueckLesenImHintergrund(files, QFile::decodeName(e.host));
            if (zurueck.fehler || zurueck.bytes != s->bytes || zurueck.hash != s->hash)
                continue;
        }
        const QString pfad = ctx.ordner.tmp + QLatin1Char('\\') + e.name;
        if (const Fehler f = files.remove(FileRef(pfad, e.host))) {
            if (FehlerMelden(ctx, f, QStringLiteral("Es ist ein Fehler beim Löschen der temporär "
                                                    "abgelegten Fotos aufgetreten."))
                == 2)
                return;
            continue;
        }
        SicherungenVergessen(ctx, {e.name});
    }
}

} // namespace mirbelon
