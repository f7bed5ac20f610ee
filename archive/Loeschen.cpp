#include "archive/Loeschen.h"

#include "archive/Laufsperre.h"
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

// Safety copy, then the delete; a photo whose copy is not complete stays.
Schritt FotoLoeschen(Context &ctx, const QString &pfad)
{
    FileSystem &files = ctx.host.files;
    const bool schreibgeschuetzt = files.isReadOnly(pfad);
    if (schreibgeschuetzt) {
        const Answer antwort = ctx.host.dialogs.message(
            QStringLiteral("Die Datei »") + pfad + QStringLiteral("« ist schreibgeschützt. Trotzdem löschen?"),
            QStringLiteral("Schreibgeschützte Datei auf Quell-Laufwerk löschen?"), Icon::Question,
            Buttons::OkCancel, Answer::Cancel);
        if (antwort != Answer::Ok)
            return Schritt::Weiter;
        if (const Fehler f = files.setReadOnly(pfad, false); f && FehlerMelden(ctx, f, kKontext) == 2)
            return Schritt::Abbruch;
    }

    const QString name = PfadTeil(pfad, 3);
    const QString kopie = ctx.ordner.tmp + QLatin1Char('\\') + name;
    Fehler fehler = files.copyFile(pfad, kopie, true);
    if (!fehler && files.size(kopie) != files.size(pfad))
        fehler = {57, QStringLiteral("Die Sicherheitskopie ist unvollständig"),
                  QStringLiteral("mnuLöschenAlle")};
    // The safety copy and the archive copies of the run are on disk before
    // the only other copy goes.
    if (!fehler)
        fehler = files.flushCopies();
    if (fehler) {
        // Without a complete safety copy the photo is not deleted, and stays as it was.
        if (schreibgeschuetzt)
            files.setReadOnly(pfad, true);
        return FehlerMelden(ctx, fehler, kKontext) == 2 ? Schritt::Abbruch : Schritt::Weiter;
    }
    SicherungMerken(ctx, name);

    if (const Fehler f = files.remove(pfad); f && FehlerMelden(ctx, f, kKontext) == 2)
        return Schritt::Abbruch;
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
        const std::vector<char> marken = liste.marken();
        const int anzahl = static_cast<int>(pfade.size());
        fenster.setFortschrittSichtbar(true);
        for (int i = 0; i < anzahl; ++i) {
            if (antwort == Answer::Yes || marken[static_cast<size_t>(i)]) {
                fenster.setFortschritt(qRound((i + 1) * 100.0f / anzahl));
                fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Lösche: ") + pfade.at(i));
                fenster.statusNeuZeichnen();
                if (FotoLoeschen(ctx, pfade.at(i)) == Schritt::Abbruch) {
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
