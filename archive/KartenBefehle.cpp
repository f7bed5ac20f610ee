#include "archive/KartenBefehle.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "frame/ProgrammOrdner.h"
#include "services/Platzhalter.h"
#include "text/Meldung.h"
#include "text/Pfad.h"
#include "text/Zahlen.h"

#include <QCryptographicHash>

#include <optional>

namespace mirbelon {

namespace {

const QString kFotoIni = QStringLiteral("\\Foto.ini");
const QString kSektion = QStringLiteral("Befehle");
const QString kKarte = QStringLiteral("Die Datei »Foto.ini« der Quelle");
const QString kShell = QStringLiteral("/bin/sh");

QString Schluessel(const QList<BefehlsGruppe> &gruppen)
{
    QString alles;
    for (const BefehlsGruppe &g : gruppen)
        alles += g.anlass + QChar(0) + g.befehle.join(QChar(0)) + QChar(1);
    return QString::fromLatin1(
        QCryptographicHash::hash(alles.toUtf8(), QCryptographicHash::Sha256).toHex());
}

bool Fragen(Context &ctx, const QString &herkunft, const QList<BefehlsGruppe> &gruppen)
{
    // The commands and names are shown as written: "~" and "´" in them are no markup.
    const QString zeilen = QStringLiteral("\r\n\r\n");
    QString text = herkunft + QStringLiteral(" möchte diese Befehle starten:");
    for (const BefehlsGruppe &g : gruppen)
        text += zeilen + g.anlass + QStringLiteral(":\r\n") + g.befehle.join(QStringLiteral("\r\n"));
    text += zeilen
            + MeldungsText(QStringLiteral(
                "Sollen diese Befehle ausgeführt werden?~Die Antwort wird gespeichert und gilt für "
                "genau diese Befehle. Ändern: Menü ´Extras´, ´Befehle der Speicherkarte...´."));
    return ctx.host.dialogs.message(text, QStringLiteral("Befehle der Speicherkarte"), Icon::Question,
                                    Buttons::YesNo, Answer::No)
           == Answer::Yes;
}

// Placeholders whose value a card could change after the user said yes.
bool LiestDateien(const QString &platzhalter)
{
    for (const char *praefix : {"{iniread,", "{variable:", "{$", "{&"}) {
        if (platzhalter.startsWith(QLatin1String(praefix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool IstUmgebungsName(const QString &name)
{
    if (name.isEmpty() || name.compare(QLatin1String("ERRORLEVEL"), Qt::CaseInsensitive) == 0)
        return false;
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_'))
            return false;
    }
    return true;
}

// Text between placeholders: environment references become values.
void Zwischentext(Context &ctx, ShellSkript &skript, const QString &text, bool mitVario)
{
    qsizetype i = 0;
    while (mitVario && i < text.size()) {
        const qsizetype auf = text.indexOf(QLatin1Char('%'), i);
        const qsizetype zu = auf < 0 ? -1 : text.indexOf(QLatin1Char('%'), auf + 1);
        if (zu < 0)
            break;
        const QString name = text.mid(auf + 1, zu - auf - 1);
        if (IstUmgebungsName(name)) {
            skript.text(text.mid(i, auf - i));
            skript.wert(ctx.host.system.env(name.toUpper()));
            i = zu + 1;
        } else {
            skript.text(text.mid(i, zu - i));
            i = zu;
        }
    }
    skript.text(text.mid(i));
}

QList<BefehlsGruppe> KartenBefehlsGruppen(const QStringList &jobs, const QString &postRun)
{
    QList<BefehlsGruppe> gruppen;
    if (!jobs.isEmpty())
        gruppen.append({QStringLiteral("Nach jeder kopierten Datei"), jobs});
    if (!postRun.isEmpty())
        gruppen.append({QStringLiteral("Nach dem Kopieren"), {postRun}});
    return gruppen;
}

QString ExitSkript(Context &ctx)
{
    const QString skript = ProgrammDateiSuchen(ctx, QStringLiteral("Mirbelon_Exit.cmd"));
    return skript.isEmpty() ? ProgrammDateiSuchen(ctx, QStringLiteral("Mirbelon_Exit.bat")) : skript;
}

struct FremdesSkript
{
    QString pfad;
    QString inhalt;
    QString herkunft() const { return QStringLiteral("Das Skript »") + pfad + QStringLiteral("«"); }
    QList<BefehlsGruppe> gruppen() const
    {
        return {{QStringLiteral("Beim Beenden des Programms"), inhalt.split(QLatin1Char('\n'))}};
    }
};

// The script when it lies outside the program's own folders.
std::optional<FremdesSkript> Fremd(Context &ctx, const QString &skript)
{
    const QString ordner = PfadTeil(skript, -1);
    for (const QString &eigen : {ctx.ordner.dat, ctx.ordner.prg, ctx.ordner.brenlo,
                                 PfadTeil(ctx.host.system.executablePath(), -1)}) {
        if (!eigen.isEmpty() && ordner.compare(eigen, Qt::CaseInsensitive) == 0)
            return std::nullopt;
    }
    return FremdesSkript{skript, QString::fromUtf8(ctx.host.files.readAll(skript).value_or(QByteArray()))};
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

bool BefehleErlaubt(Context &ctx, const QString &herkunft, const QList<BefehlsGruppe> &gruppen,
                    bool neuFragen)
{
    const QString schluessel = Schluessel(gruppen);
    if (!neuFragen) {
        if (const auto antwort = ctx.befehlsAntworten.constFind(schluessel);
            antwort != ctx.befehlsAntworten.constEnd())
            return *antwort;
        const QString gemerkt = IniLesen(ctx, ctx.einstellungsDatei, kSektion, schluessel, {});
        if (gemerkt == QLatin1String("1") || gemerkt == QLatin1String("0"))
            return gemerkt == QLatin1String("1");
    }
    const bool erlaubt = Fragen(ctx, herkunft, gruppen);
    ctx.befehlsAntworten.insert(schluessel, erlaubt);
    IniSchreiben(ctx, ctx.einstellungsDatei, kSektion, schluessel,
                 erlaubt ? QStringLiteral("1") : QStringLiteral("0"));
    return erlaubt;
}

bool KartenBefehleErlaubt(Context &ctx, const QStringList &jobs, const QString &postRun)
{
    const QList<BefehlsGruppe> gruppen = KartenBefehlsGruppen(jobs, postRun);
    return !gruppen.isEmpty() && BefehleErlaubt(ctx, kKarte, gruppen);
}

ShellSkript KartenSkript(Context &ctx, const QString &befehl, const QString &platzhalter,
                         const QString &hostWert, bool mitVario)
{
    ShellSkript skript;
    qsizetype i = 0;
    while (i < befehl.size()) {
        const qsizetype auf = befehl.indexOf(QLatin1Char('{'), i);
        const qsizetype zu = auf < 0 ? -1 : befehl.indexOf(QLatin1Char('}'), auf);
        if (zu < 0)
            break;
        Zwischentext(ctx, skript, befehl.mid(i, auf - i), mitVario);
        const QString teil = befehl.mid(auf, zu + 1 - auf);
        const QString wert = teil.compare(platzhalter, Qt::CaseInsensitive) == 0 ? hostWert
                             : mitVario && !LiestDateien(teil)                ? Vario(ctx, teil)
                                                                               : teil;
        if (wert == teil && teil.compare(platzhalter, Qt::CaseInsensitive) != 0)
            skript.text(teil); // unknown or left as written
        else
            skript.wert(wert);
        i = zu + 1;
    }
    Zwischentext(ctx, skript, befehl.mid(i), mitVario);
    return skript;
}

bool SkriptStarten(Context &ctx, const ShellSkript &skript, WindowStyle stil)
{
    return ctx.host.processes.startProgram(kShell, skript.shArgumente(), stil);
}

void mnuKartenBefehle(Context &ctx, const QString &quelle)
{
    const QList<BefehlsGruppe> gruppen =
        KartenBefehlsGruppen(KopierJobs(ctx, quelle), PostRunBefehl(ctx, quelle));
    const QString exitSkript = ExitSkript(ctx);
    const std::optional<FremdesSkript> skript =
        exitSkript.isEmpty() ? std::nullopt : Fremd(ctx, exitSkript);
    if (gruppen.isEmpty() && !skript) {
        ctx.host.dialogs.message(QStringLiteral("Die Quelle bringt keine Befehle mit."),
                                 QStringLiteral("Befehle der Speicherkarte"), Icon::Information,
                                 Buttons::Ok, Answer::Ok);
        return;
    }
    if (!gruppen.isEmpty())
        BefehleErlaubt(ctx, kKarte, gruppen, true);
    if (skript)
        BefehleErlaubt(ctx, skript->herkunft(), skript->gruppen(), true);
}

void ExitSkriptStarten(Context &ctx)
{
    const QString skript = ExitSkript(ctx);
    if (skript.isEmpty())
        return;
    const std::optional<FremdesSkript> fremd = Fremd(ctx, skript);
    if (!fremd) {
        ctx.host.processes.startProgram(kShell, {ctx.host.files.hostPath(skript)}, WindowStyle::Normal);
        return;
    }
    if (!BefehleErlaubt(ctx, fremd->herkunft(), fremd->gruppen()))
        return;
    // What was read and shown runs, not what the file may hold a moment later.
    ShellSkript befehle;
    befehle.text(fremd->inhalt);
    SkriptStarten(ctx, befehle, WindowStyle::Normal);
}

} // namespace mirbelon
