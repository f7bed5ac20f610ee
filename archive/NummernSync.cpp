#include "archive/NummernSync.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "platform/ShellQuote.h"
#include "services/Warten.h"
#include "text/Pfad.h"
#include "text/Zahlen.h"

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

bool NummernSyncAusgelassen(const QString &zeile)
{
    const QString klein = zeile.toLower();
    return zeile.trimmed().isEmpty() || klein.contains(QLatin1String("\\x_"))
        || klein.contains(QLatin1String("\\y_")) || klein.contains(QLatin1String("\\z_"));
}

QString NummernSyncZeile(Context &ctx, const QString &foto, const QString &dirFotos,
                         const QString &dirFotosNr, int nummer)
{
    if (NummernSyncAusgelassen(foto))
        return {};
    const QString ordner = PfadTeil(foto, 0);
    const QString unterPfad = ordner.right(ordner.size() - dirFotos.size());
    QString ziel = dirFotosNr + unterPfad + FormatZahl(nummer, QStringLiteral("00000")) + QLatin1Char(' ')
        + PfadTeil(foto, 1);
    // The copy keeps the photo's own extension.
    const QString endung = PfadTeil(foto, 2);
    if (!endung.isEmpty())
        ziel += QLatin1Char('.') + endung;
    const QString zielHost = ctx.host.files.hostPath(ziel);
    const QString zielOrdnerHost = ctx.host.files.hostPath(dirFotosNr + unterPfad);
    return QStringLiteral("mkdir -p %1 && cp -p %2 %3")
        .arg(shellQuote(zielOrdnerHost), shellQuote(ctx.host.files.hostPath(foto)), shellQuote(zielHost));
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
    const QString listing = QStringLiteral("find %1 -type f -iname '*.jpg' | LC_ALL=C sort > %2 && mv %2 %3\n")
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

    const QString dirFotosHost = ctx.host.files.hostPath(dirFotos);
    const auto gelesen = ctx.host.files.readAll(liste);
    QString kopien = QStringLiteral("#!/bin/sh\n");
    int nummer = 0;
    for (const QString &zeile : QString::fromUtf8(gelesen.value_or(QByteArray())).split(QLatin1Char('\n'))) {
        if (!zeile.startsWith(dirFotosHost))
            continue;
        // Spelled below DirFotos as the user wrote it, so the sub-path cut fits.
        QString foto = dirFotos + zeile.mid(dirFotosHost.size());
        foto.replace(QLatin1Char('/'), QLatin1Char('\\'));
        if (NummernSyncAusgelassen(foto))
            continue;
        kopien += NummernSyncZeile(ctx, foto, dirFotos, dirFotosNr, ++nummer) + QLatin1Char('\n');
    }
    if (ctx.host.files.writeAtomic(skript, kopien.toUtf8())) {
        melden(ctx, QStringLiteral("Das Skript »%1« konnte nicht geschrieben werden.").arg(skript));
        return;
    }
    ctx.host.processes.startDetached(start, WindowStyle::Normal);
}

} // namespace mirbelon
