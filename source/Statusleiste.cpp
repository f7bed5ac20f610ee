#include "source/Statusleiste.h"

#include "frame/Context.h"
#include "frame/KartenBuchstaben.h"
#include "source/Fenster.h"
#include "source/FotoDatum.h"
#include "source/FotoListe.h"
#include "text/DateiVorhanden.h"
#include "text/Formatierung.h"

#include <QStringList>

#include <vector>

namespace mirbelon {

namespace {

// A photo dated more than a year back suggests a camera clock that was never set.
constexpr qint64 kTageBisHinweis = 365;

// How long a hint of a scan stands in place of "Bereit", in milliseconds.
constexpr quint32 kHinweisMs = 15000;

// Photos sized between two runs of pending window events.
constexpr int kPfadeJeBlock = 2000;

bool DatumVerdaechtig(Context &ctx, const FileRef &datei)
{
    if (datei.path.isEmpty())
        return false;
    const std::optional<QDateTime> datum = Picture_DT(ctx, datei);
    return datum && datum->date().daysTo(ctx.host.system.now().date()) > kTageBisHinweis;
}

} // namespace

double PlatzFrei(Context &ctx, const QString &pfad)
{
    return ctx.host.files.space(pfad).freeBytes;
}

double PlatzGesamt(Context &ctx, const QString &pfad)
{
    return ctx.host.files.space(pfad).totalBytes;
}

void HinweiseTick(Context &ctx, const FotoListe &liste, Fenster &fenster,
    const std::function<QString(int)> &zielName)
{
    BuchstabenSichern(ctx);
    double alle = 0;
    double markiert = 0;
    // The list as it is now: window events run in between, and a click then
    // arms the next tick anyway.
    const QList<FileRef> dateien = liste.dateien();
    const std::vector<char> marken = liste.marken();
    const int anzahl = static_cast<int>(dateien.size());
    int anzahlMarkiert = 0;
    for (int start = 0; start < anzahl; start += kPfadeJeBlock) {
        if (start > 0)
            ctx.host.desktop.processEvents();
        // A block at once: the file system checks each folder once per
        // block instead of once per photo.
        const QList<FileRef> block = dateien.mid(start, kPfadeJeBlock);
        const QList<qint64> groessen = ctx.host.files.readableSizes(block);
        for (int k = 0; k < block.size(); ++k) {
            const bool istMarkiert = marken[static_cast<size_t>(start + k)] != 0;
            anzahlMarkiert += istMarkiert ? 1 : 0;
            const QString &pfad = block.at(k).path;
            const qint64 bytes = groessen.at(k);
            // What DateiVorhanden refuses unopened does not count either.
            if (bytes < 0 || HatJoker(pfad))
                continue;
            alle += static_cast<double>(bytes);
            if (istMarkiert)
                markiert += static_cast<double>(bytes);
        }
    }

    // While a run moves a large file the window stays live and this tick
    // comes; the run's own text says what is going on until the run is over.
    // So do its figures in "Bilder".
    if (ctx.lauf == Lauf::Keiner) {
        const bool hinweis = !ctx.statusHinweis.isEmpty()
            && ctx.host.system.tickCount() - ctx.statusHinweisSeit < kHinweisMs;
        // A hint says more than "Karte entfernt": "ausgeworfen", say.
        const QString medien = ctx.host.files.mediaNote();
        fenster.setPanel(QStringLiteral("Status"),
            hinweis                  ? ctx.statusHinweis
                : ctx.karteEntfernt  ? QStringLiteral("Karte entfernt")
                : !medien.isEmpty()  ? medien
                : !ctx.laufZeile.isEmpty() ? ctx.laufZeile
                                     : QStringLiteral("Bereit"));
    }
    if (ctx.lauf != Lauf::Kopieren)
        fenster.setPanel(QStringLiteral("Bilder"),
                         QStringLiteral(" Bilder: %1 (%2) ").arg(anzahlMarkiert).arg(anzahl));
    fenster.setPanel(QStringLiteral("Bytes"),
        QStringLiteral(" Bytes: ") + GroesseText(markiert) + QStringLiteral("B (")
            + GroesseText(alle) + QStringLiteral("B) "));
    const QString quelle = fenster.quelle();
    fenster.setPanel(QStringLiteral("Speicherkarte"),
        QStringLiteral(" Speicherkarte: ") + GroesseText(PlatzFrei(ctx, quelle))
            + QStringLiteral("B (") + GroesseText(PlatzGesamt(ctx, quelle))
            + QStringLiteral("B) "));

    // A photo that is not there has no date, so no archive name either.
    const int aktuell = liste.aktuell();
    const std::optional<FileStamp> stempel
        = aktuell >= 0 ? ctx.host.files.stamp(liste.aktuelleDatei()) : std::nullopt;
    QString info = aktuell < 0 ? QStringLiteral(" Kein Foto gewählt ")
        : !stempel             ? QStringLiteral(" Foto nicht vorhanden ")
                               : QLatin1Char(' ') + zielName(aktuell) + QLatin1Char(' ');
    if (const qint64 film = stempel ? FilmDauer(ctx, liste.aktuelleDatei(), *stempel) : -1; film > 0)
        info += QStringLiteral("(Film, ") + DauerText(film / 1000.0, 1) + QStringLiteral(") ");
    else if (film == 0)
        info += QStringLiteral("(Film) ");
    if (fenster.panel(QStringLiteral("DateiInfos")) != info)
        fenster.setPanel(QStringLiteral("DateiInfos"), info);

    fenster.setDatumHinweisSichtbar(DatumVerdaechtig(ctx, liste.aktuelleDatei()));
}

void HinweisZeigen(Context &ctx, Fenster &fenster, const QString &text)
{
    ctx.statusHinweis = text;
    ctx.statusHinweisSeit = ctx.host.system.tickCount();
    fenster.setPanel(QStringLiteral("Status"), text);
    fenster.statusNeuZeichnen();
}

} // namespace mirbelon
