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
// then name-01.ext, name-02.ext ...; `kopie` is the name it got.
CopyResult Sichern(Context &ctx, const QString &pfad, const QByteArray &host, QString &kopie)
{
    FileSystem &files = ctx.host.files;
    const QString name = PfadTeil(pfad, 3);
    CopyResult ergebnis;
    for (int nummer = 0; nummer < 10000; ++nummer) {
        const QString frei = nummer == 0 ? name : NummerierterName(name, nummer);
        kopie = ctx.ordner.tmp + QLatin1Char('\\') + frei;
        if (files.exists(kopie))
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
        return Pruefung(QStringLiteral("Die Karte hat für »") + pfad
                        + QStringLiteral("« jetzt andere Daten geliefert als beim Kopieren nach »")
                        + files.programPath(archiv->ziel)
                        + QStringLiteral("«. Das Foto wird nicht gelöscht."));
    if (!GleichZurueck(files, files.hostPath(kopie), sicherung.hash, sicherung.bytes))
        return Pruefung(QStringLiteral("Die Sicherheitskopie »") + kopie + QStringLiteral("« von »")
                        + pfad
                        + QStringLiteral("« lässt sich nicht so zurücklesen, wie die Karte sie "
                                         "geliefert hat. Das Foto wird nicht gelöscht."));
    if (hatArchiv && !GleichZurueck(files, archiv->ziel, archiv->hash, archiv->bytes))
        return Pruefung(QStringLiteral("Die Kopie »") + files.programPath(archiv->ziel)
                        + QStringLiteral("« von »") + pfad
                        + QStringLiteral("« lässt sich nicht so zurücklesen, wie die Karte sie "
                                         "geliefert hat. Das Foto wird nicht gelöscht."));
    return {};
}

// Safety copy, then the delete; a photo whose copies are not proven good stays.
Schritt FotoLoeschen(Context &ctx, const FileRef &datei)
{
    FileSystem &files = ctx.host.files;
    const QString &pfad = datei.path;
    const bool schreibgeschuetzt = files.isReadOnly(datei);
    if (schreibgeschuetzt) {
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
    QString kopie;
    const CopyResult sicherung = Sichern(ctx, pfad, host, kopie);
    Fehler fehler = sicherung.fehler;
    if (!fehler)
        fehler = Pruefen(ctx, pfad, host, kopie, sicherung);
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
        const std::vector<char> marken = liste.marken();
        const int anzahl = static_cast<int>(pfade.size());
        fenster.setFortschrittSichtbar(true);
        for (int i = 0; i < anzahl; ++i) {
            if (antwort == Answer::Yes || marken[static_cast<size_t>(i)]) {
                fenster.setFortschritt(qRound((i + 1) * 100.0f / anzahl));
                fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Lösche: ") + pfade.at(i));
                fenster.statusNeuZeichnen();
                if (FotoLoeschen(ctx, dateien.at(i)) == Schritt::Abbruch) {
                    fenster.setFortschrittSichtbar(false);
                    return;
                }
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
