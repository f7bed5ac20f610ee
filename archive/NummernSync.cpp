#include "archive/NummernSync.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "platform/ShellQuote.h"
#include "services/Warten.h"
#include "text/Pfad.h"
#include "text/Zahlen.h"

#include <QFile>

#include <algorithm>

namespace mirbelon {

namespace {

const QString kTitel = QStringLiteral("Fotos nummeriert syncronisieren");
// A listing that never finishes must not keep the command waiting forever.
constexpr double kListingGrenzeSekunden = 600;

void melden(Context &ctx, const QString &text)
{
    ctx.host.dialogs.message(text, kTitel, Icon::Exclamation, Buttons::Ok, Answer::Ok);
}

QString ordnerEinstellung(Context &ctx, const QString &schluessel)
{
    return RechtsKuerzen(IniLesen(ctx, {}, QStringLiteral("Verknüpfung"), schluessel, {}),
                         QStringLiteral("\\"));
}

} // namespace

QString TempDateiName(Context &ctx, const QString &endung, const QString &praefix)
{
    QString ext = endung.isEmpty() ? QStringLiteral("tmp") : endung;
    if (!ext.startsWith(QLatin1Char('.')))
        ext.prepend(QLatin1Char('.'));
    return ctx.ordner.tmp + QLatin1Char('\\') + praefix.trimmed()
        + FormatDatum(ctx.host.system.now(), QStringLiteral("yyyymmdd_"))
        + FormatZahl(ctx.host.system.tickCount(), QStringLiteral("00000000")) + ext;
}

bool NummernSyncAusgelassen(const QByteArray &relativ)
{
    const QByteArray klein = relativ.toLower();
    return relativ.trimmed().isEmpty() || klein.contains("/x_") || klein.contains("/y_")
        || klein.contains("/z_");
}

bool NummernSyncVorher(const QByteArray &a, const QByteArray &b)
{
    const QList<QByteArray> teileA = a.split('/');
    const QList<QByteArray> teileB = b.split('/');
    for (qsizetype i = 0; i < teileA.size() && i < teileB.size(); ++i) {
        if (teileA.at(i) == teileB.at(i))
            continue;
        // A file of this folder comes before everything in its sub-folders.
        const bool dateiA = i + 1 == teileA.size();
        const bool dateiB = i + 1 == teileB.size();
        if (dateiA != dateiB)
            return dateiA;
        const int vergleich = QString::fromUtf8(teileA.at(i)).toUpper().compare(
            QString::fromUtf8(teileB.at(i)).toUpper());
        return vergleich != 0 ? vergleich < 0 : teileA.at(i) < teileB.at(i);
    }
    return teileA.size() < teileB.size();
}

QByteArray NummernSyncZeile(const QByteArray &relativ, const QByteArray &dirFotosHost,
                            const QByteArray &dirFotosNrHost, int nummer)
{
    if (NummernSyncAusgelassen(relativ))
        return {};
    const qsizetype schnitt = relativ.lastIndexOf('/') + 1;
    const QByteArray zielOrdner = dirFotosNrHost + relativ.left(schnitt);
    // The number in front; the name keeps its own extension.
    const QByteArray ziel = zielOrdner + FormatZahl(nummer, QStringLiteral("00000")).toUtf8() + ' '
        + relativ.mid(schnitt);
    return "mkdir -p " + shellQuote(zielOrdner) + " && cp -p " + shellQuote(dirFotosHost + relativ)
        + ' ' + shellQuote(ziel);
}

void Fotos_Nr_Sync(Context &ctx)
{
    BusyPointer busy(ctx.host.dialogs);
    const QString dirFotos = ordnerEinstellung(ctx, QStringLiteral("DirFotos"));
    const QString dirFotosNr = ordnerEinstellung(ctx, QStringLiteral("DirFotosNr"));
    if (dirFotos.isEmpty() || dirFotosNr.isEmpty()) {
        melden(ctx, QStringLiteral("Bitte tragen Sie in der Datei Brenlo.ini im Abschnitt [Verknüpfung] "
                                   "die Ordner \"DirFotos\" und \"DirFotosNr\" ein."));
        return;
    }
    if (!ctx.host.files.isFolder(dirFotos)) {
        melden(ctx, QStringLiteral("Der Ordner »%1« (DirFotos) wurde nicht gefunden.").arg(dirFotos));
        return;
    }
    // Otherwise every copy command would fail without a word.
    if (ctx.host.files.hostPath(dirFotosNr).isEmpty()) {
        melden(ctx, QStringLiteral("Der Ordner »%1« (DirFotosNr) liegt auf keinem bekannten Laufwerk.")
                        .arg(dirFotosNr));
        return;
    }

    const QString skript = TempDateiName(ctx, QStringLiteral("cmd"), QStringLiteral("FotosNr_"));
    const QString liste = TempDateiName(ctx, QStringLiteral("txt"), QStringLiteral("FotosNr_"));
    const QString listeHost = ctx.host.files.hostPath(liste);
    // The list appears under its name only when the listing is complete.
    // NUL-separated, since a name may hold a line break; a DirFotos that
    // is a link to a folder is followed.
    const QString listing = QStringLiteral("find -H %1 -type f -iname '*.jpg' -print0 > %2 && mv %2 %3\n")
                                .arg(shellQuote(ctx.host.files.hostPath(dirFotos)),
                                     shellQuote(listeHost + QStringLiteral(".part")), shellQuote(listeHost));
    if (ctx.host.files.writeAtomic(skript, listing.toUtf8())) {
        melden(ctx, QStringLiteral("Das Skript »%1« konnte nicht geschrieben werden.").arg(skript));
        return;
    }
    const QString start = QStringLiteral("/bin/sh ") + shellQuote(ctx.host.files.hostPath(skript));
    // A listing that never started would be waited for in vain.
    if (!ctx.host.processes.startDetached(start, WindowStyle::Normal)) {
        melden(ctx, QStringLiteral("Das Skript »%1« konnte nicht gestartet werden.").arg(skript));
        return;
    }
    const quint32 beginn = ctx.host.system.tickCount();
    while (!ctx.host.files.exists(liste)) {
        if (ctx.host.system.tickCount() - beginn > kListingGrenzeSekunden * 1000) {
            melden(ctx, QStringLiteral("Die Liste der Fotos »%1« wurde nicht erstellt.").arg(liste));
            return;
        }
        Warten(ctx, 0);
    }

    const QByteArray dirFotosHost = QFile::encodeName(ctx.host.files.hostPath(dirFotos));
    const QByteArray dirFotosNrHost = QFile::encodeName(ctx.host.files.hostPath(dirFotosNr));
    QList<QByteArray> fotos;
    for (const QByteArray &eintrag : ctx.host.files.readAll(liste).value_or(QByteArray()).split('\0')) {
        if (eintrag.startsWith(dirFotosHost + '/'))
            fotos << eintrag.mid(dirFotosHost.size());
    }
    std::sort(fotos.begin(), fotos.end(), NummernSyncVorher);
    QByteArray kopien = "#!/bin/sh\n";
    int nummer = 0;
    for (const QByteArray &foto : fotos) {
        if (!NummernSyncAusgelassen(foto))
            kopien += NummernSyncZeile(foto, dirFotosHost, dirFotosNrHost, ++nummer) + '\n';
    }
    if (ctx.host.files.writeAtomic(skript, kopien)) {
        melden(ctx, QStringLiteral("Das Skript »%1« konnte nicht geschrieben werden.").arg(skript));
        return;
    }
    ctx.host.processes.startDetached(start, WindowStyle::Normal);
}

} // namespace mirbelon
