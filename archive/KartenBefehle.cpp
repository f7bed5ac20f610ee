#include "archive/KartenBefehle.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "platform/ShellQuote.h"
#include "text/Ersetzen.h"
#include "text/Meldung.h"
#include "text/Pfad.h"
#include "text/Zahlen.h"

#include <QCryptographicHash>

namespace mirbelon {

namespace {

const QString kFotoIni = QStringLiteral("\\Foto.ini");

QString Schluessel(const QStringList &befehle, const QString &anlass)
{
    const QString alles = anlass + QLatin1Char('\n') + befehle.join(QLatin1Char('\n'));
    return QString::fromLatin1(
        QCryptographicHash::hash(alles.toUtf8(), QCryptographicHash::Sha256).toHex());
}

} // namespace

QStringList KopierJobs(Context &ctx, const QString &quelle)
{
    const QString datei = PfadTeil(quelle, -1) + kFotoIni;
    QStringList jobs;
    for (int j = 0; j <= 9; ++j) {
        const QString job = IniLesen(ctx, datei, QStringLiteral("AfterCopyFile"),
                                     QStringLiteral("Job") + FormatZahl(j, QStringLiteral("00")), {});
        if (!job.isEmpty())
            jobs << job;
    }
    return jobs;
}

QString PostRunBefehl(Context &ctx, const QString &quelle)
{
    return IniLesen(ctx, PfadTeil(quelle, -2) + kFotoIni, QStringLiteral("Infos"),
                    QStringLiteral("PostRun"), {});
}

bool BefehleErlaubt(Context &ctx, const QStringList &befehle, const QString &anlass)
{
    const QString sektion = QStringLiteral("Befehle");
    const QString schluessel = Schluessel(befehle, anlass);
    if (const auto antwort = ctx.befehlsAntworten.constFind(schluessel);
        antwort != ctx.befehlsAntworten.constEnd())
        return *antwort;
    const QString gemerkt = IniLesen(ctx, ctx.einstellungsDatei, sektion, schluessel, {});
    if (gemerkt == QLatin1String("1"))
        return true;
    if (gemerkt == QLatin1String("0"))
        return false;

    // The commands are shown as written: "~" and "´" in them are no markup.
    const QString zeilen = QStringLiteral("\r\n\r\n");
    const QString text =
        MeldungsText(QStringLiteral("Die Datei ´Foto.ini´ der Quelle möchte ") + anlass
                     + QStringLiteral(" diese Befehle starten:"))
        + zeilen + befehle.join(QStringLiteral("\r\n")) + zeilen
        + MeldungsText(QStringLiteral("Sollen diese Befehle ausgeführt werden?~Die Antwort wird "
                                      "gespeichert und gilt für genau diese Befehle."));
    const Answer antwort =
        ctx.host.dialogs.message(text, QStringLiteral("Befehle der Speicherkarte"), Icon::Question,
                                 Buttons::YesNo, Answer::No);
    const bool erlaubt = antwort == Answer::Yes;
    ctx.befehlsAntworten.insert(schluessel, erlaubt);
    IniSchreiben(ctx, ctx.einstellungsDatei, sektion, schluessel,
                 erlaubt ? QStringLiteral("1") : QStringLiteral("0"));
    return erlaubt;
}

QString PfadEinsetzen(const QString &befehl, const QString &platzhalter, const QString &hostPfad)
{
    const QString wort = shellQuote(hostPfad);
    const QString inAnfuehrung = QLatin1Char('"') + platzhalter + QLatin1Char('"');
    return Ersetzen(Ersetzen(befehl, inAnfuehrung, wort), platzhalter, wort);
}

} // namespace mirbelon
