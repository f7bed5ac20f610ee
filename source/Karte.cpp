#include "source/Karte.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "source/FotoMetadaten.h"
#include "text/DateiVorhanden.h"
#include "text/Pfad.h"

#include <algorithm>

namespace mirbelon {

namespace {

const QString kStatus = QStringLiteral("Status");
const QString kBeschreibung = QStringLiteral("\\Foto.ini");
// Photos asked for a camera name: a card of one camera answers at the first;
// films and files without EXIF are passed over.
constexpr int kKameraVersuche = 5;

// A file at the root of the source's drive; empty when the source names no
// drive, so nothing is written to the root of whatever drive is current.
QString DateiAufLaufwerk(const Fenster &fenster, const QString &name)
{
    const QString laufwerk = PfadTeil(fenster.quelle(), -2);
    return laufwerk.isEmpty() ? QString() : laufwerk + QLatin1Char('\\') + name;
}

} // namespace

void KameraLesen(Context &ctx, const FotoListe &liste, Fenster &fenster)
{
    const QString quelle = fenster.quelle();
    // "E:\" + "\Foto.ini" names E:\Foto.ini; the doubled separator is left out.
    QString datei = RechtsKuerzen(quelle, QStringLiteral("\\")) + kBeschreibung;
    if (!DateiVorhanden(ctx.host.files, datei)) {
        const QString laufwerk = PfadTeil(quelle, -2);
        datei = laufwerk.isEmpty() ? QString() : laufwerk + kBeschreibung;
    }
    QString kamera;
    if (!datei.isEmpty())
        kamera = IniLesen(ctx, datei, QStringLiteral("Infos"), QStringLiteral("Kamera"), {});
    const int versuche = std::min(liste.anzahl(), kKameraVersuche);
    for (int i = 0; kamera.isEmpty() && i < versuche; ++i) {
        // Only a regular file is opened: a FIFO named like a photo would wait for good.
        const FileRef foto = liste.datei(i);
        const QByteArray host = ctx.host.files.hostFile(foto);
        if (!host.isEmpty() && ctx.host.files.stamp(foto))
            kamera = BildDatei(host).kamera();
    }
    if (!kamera.isEmpty())
        fenster.setKamera(kamera);
}

void LaufwerkSuchen(Context &ctx, Fenster &fenster)
{
    BusyPointer busy(ctx.host.dialogs);
    const QString vorher = fenster.quelle();
    bool eingelesen = false;
    const auto waehlen = [&](const QString &laufwerk) {
        fenster.setQuelle(laufwerk);
        eingelesen = eingelesen || fenster.quelle() != vorher;
    };
    QString treffer;
    QString mitDcim; // a camera card without a Foto.ini
    for (char buchstabe = 'A'; buchstabe <= 'Z'; ++buchstabe) {
        const QString laufwerk = QString(QLatin1Char(buchstabe)) + QLatin1Char(':');
        fenster.setPanel(kStatus, QStringLiteral("Suche Quell-Laufwerk auf ") + laufwerk);
        fenster.statusNeuZeichnen();
        ctx.host.desktop.processEvents();
        if (DateiVorhanden(ctx.host.files, laufwerk + QStringLiteral("\\Foto.ini"))) {
            treffer = laufwerk + QLatin1Char('\\');
            waehlen(treffer);
        } else if (ctx.host.files.isFolder(laufwerk + QStringLiteral("\\DCIM"))) {
            mitDcim = laufwerk + QLatin1Char('\\');
        }
    }
    if (treffer.isEmpty() && !mitDcim.isEmpty()) {
        treffer = mitDcim;
        waehlen(treffer);
    }
    // Another card under the same letter leaves the text as it was: its
    // list is read all the same.
    if (!treffer.isEmpty() && !eingelesen)
        fenster.quelleEinlesen();
    fenster.fokusQuelle();
    fenster.setPanel(kStatus, QStringLiteral("Bereit"));
    fenster.statusNeuZeichnen();
    fenster.timerHinweiseAn(); // a source that went shows as gone
}

QList<QuellAngebot> QuellAngebote(Context &ctx, const QStringList &gespeichert)
{
    QList<QuellAngebot> angebote;
    for (const auto &[buchstabe, name] : ctx.host.files.media()) {
        const QString laufwerk = QString(buchstabe) + QStringLiteral(":\\");
        angebote.append({laufwerk, laufwerk + QStringLiteral("  ") + name});
    }
    for (const QString &quelle : gespeichert)
        angebote.append({quelle, quelle});
    return angebote;
}

void KameraBezSpeichern(Context &ctx, const Fenster &fenster)
{
    const QString datei = DateiAufLaufwerk(fenster, QStringLiteral("Foto.ini"));
    if (!datei.isEmpty())
        IniSchreiben(
            ctx, datei, QStringLiteral("Infos"), QStringLiteral("Kamera"), fenster.kamera());
}

void AutoStartSpeichern(Context &ctx, const Fenster &fenster)
{
    const QString datei = DateiAufLaufwerk(fenster, QStringLiteral("Autorun.inf"));
    if (datei.isEmpty())
        return;
    // The executable itself, also when the settings live elsewhere (an
    // installed program) or it was renamed.
    const QString exe = ctx.host.system.executablePath();
    const QString programm = PfadTeil(exe, 0) + PfadTeil(exe, 1);
    const QString sektion = QStringLiteral("autorun");
    IniSchreiben(ctx, datei, sektion, QStringLiteral("open"),
        programm + QStringLiteral(" Quelle=") + fenster.quelle());
    IniSchreiben(ctx, datei, sektion, QStringLiteral("icon"), programm);
}

} // namespace mirbelon
