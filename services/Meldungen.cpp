#include "services/Meldungen.h"

#include "frame/Context.h"
#include "frame/DebugLog.h"
#include "frame/IniStore.h"
#include "services/Adressen.h"
#include "services/Mail.h"
#include "services/Version.h"
#include "text/DateiVorhanden.h"
#include "text/Meldung.h"
#include "text/Zahlen.h"

namespace mirbelon {

namespace {

struct BeepName
{
    const char *name;
    Beep art;
};

constexpr BeepName kBeeps[] = {
    {"#RingOut", Beep::Exclamation},   {"#SystemExclamation", Beep::Exclamation},
    {"#RingIn", Beep::Question},       {"#SystemQuestion", Beep::Question},
    {"#SystemHand", Beep::Stop},       {"#SystemAsterisk", Beep::Information},
};

QString Tipp(int nummer)
{
    switch (nummer) {
    case 482:
        return QStringLiteral("Tipp: Ist der Drucker angeschaltet?");
    case 52:
    case 53:
    case 64:
    case 75:
    case 76:
        return QStringLiteral("Tipp: Ist der Dateiname in Ordnung?");
    case 70:
        return QStringLiteral("Tipp: Ist der Schreibschutz entfernt?");
    case 71:
        return QStringLiteral("Tipp: Ist eine Diskette eingelegt?");
    case 380:
        return QStringLiteral("Tipp: Evtl. andere Schriftart wählen.");
    default:
        return {};
    }
}

// Year plus month / 13; a two-digit year counts from 2000.
double VersionsWert(int jahr, int monat)
{
    double wert = jahr + monat / 13.0;
    if (wert < 2000)
        wert += 2000;
    return wert;
}

void FehlerProtokollieren(Context &ctx, const Fehler &fehler, const QString &kontext,
                          const QString &zeile)
{
    const QString sektion = QStringLiteral("Fehler");
    IniSchreiben(ctx, {}, sektion, QStringLiteral("Programm"), ctx.programmName);
    IniSchreiben(ctx, {}, sektion, QStringLiteral("Wann"),
                 FormatDatum(ctx.host.system.now(), QStringLiteral("dd.mm.yyyy hh:nn:ss")));
    IniSchreiben(ctx, {}, sektion, QStringLiteral("Nummer"),
                 QString::number(fehler.nummer) + QStringLiteral(", ")
                     + FehlerStandardText(fehler.nummer));
    // The line of the failure is not known here.
    IniSchreiben(ctx, {}, sektion, QStringLiteral("Pos"), QStringLiteral("0"));
    IniSchreiben(ctx, {}, sektion, QStringLiteral("Txt1"), kontext);
    IniSchreiben(ctx, {}, sektion, QStringLiteral("Txt2"), zeile);
}

void BerichtMailen(Context &ctx, const QString &meldung)
{
    const QDate heute = ctx.host.system.now().date();
    ctx.host.desktop.clearClipboard();
    ctx.host.desktop.setClipboardText(MeldungsText(meldung, heute) + QStringLiteral("\r\n\r\n")
                                      + SystemBericht(ctx) + QStringLiteral("\r\n-"));
    MailNachricht mail;
    mail.empfaenger = kSupportAdresse;
    mail.betreff = QStringLiteral("Vertrieb - Probleme (Diagnose-Bericht)");
    mail.text = QStringLiteral(
        "Fügen Sie hier bitte den Fehler-Bericht aus der Zwischenablage per Strg-V ein.");
    mail.sofort = false;
    MailSenden(ctx, mail);
}

} // namespace

int ProgrammVersionJahr()
{
    return kVersionMajor;
}

int ProgrammVersionMonat()
{
    return kVersionMinor;
}

float ProgrammAlter(const QDate &heute)
{
    const double alter = VersionsWert(heute.year(), heute.month())
                         - VersionsWert(ProgrammVersionJahr(), ProgrammVersionMonat());
    return alter < 0 ? 0.0f : static_cast<float>(alter);
}

void TonAusgeben(Context &ctx, QString &name)
{
    Desktop &desktop = ctx.host.desktop;
    if (name.startsWith(QLatin1Char('#'))) {
        for (const BeepName &b : kBeeps) {
            if (name == QLatin1String(b.name)) {
                desktop.beep(b.art);
                name.clear();
                desktop.stopSound();
                return;
            }
        }
        const QString wert = IniLesen(ctx, QStringLiteral("win.ini"), QStringLiteral("Sounds"),
                                      name.mid(1), {});
        name = wert.section(QLatin1Char(','), 0, 0);
    }
    if (DateiVorhanden(ctx.host.files, name))
        desktop.playSound(name);
}

int FehlerMelden(Context &ctx, const Fehler &fehler, QString &kontext)
{
    if (fehler.nummer == 0)
        return 0;

    // The busy pointer is nested and owned by its callers; the box shows the
    // normal pointer on its own.
    if (!kontext.isEmpty())
        kontext += QStringLiteral("~~");
    const QString zeile = QStringLiteral("Fehler ´") + fehler.beschreibung + QStringLiteral(" #")
                          + QString::number(fehler.nummer) + QStringLiteral("´ in ´")
                          + fehler.quelle + QStringLiteral("´.~~");
    QString tipp = Tipp(fehler.nummer);
    if (!tipp.isEmpty())
        tipp += QStringLiteral("~~");

    FehlerProtokollieren(ctx, fehler, kontext, zeile);

    QString ton = QStringLiteral("#SystemHand");
    TonAusgeben(ctx, ton);

    const QString meldung = QStringLiteral("Es ist ein Fehler im Programm ") + ctx.programmName
                            + QStringLiteral(" aufgetreten.~~") + kontext + zeile + tipp;
    const QDate heute = ctx.host.system.now().date();
    const bool update = ProgrammAlter(heute) > 2.0f / 12.0f;
    const QString frage =
        update ? QStringLiteral("Evtl. ist der Fehler durch das Installieren der aktuellen Version "
                                "behoben.~~Möchten Sie jetzt die Internetseite mit "
                                "Download-Möglichkeiten für Updates laden?")
               : QStringLiteral("Möchten Sie ein Fehlerprotokoll per eMail versenden?~Evtl. ist es "
                                "möglich, dass sich so das Problem beheben lässt.");

    const Answer antwort = ctx.host.dialogs.message(
        MeldungsText(meldung + QStringLiteral("~~") + frage, heute),
        QStringLiteral("Fehler im Programm ") + ctx.programmName, Icon::Critical,
        Buttons::YesNoCancel, Answer::No);

    switch (antwort) {
    case Answer::Yes:
        if (update)
            ctx.host.processes.openDocument(kDownloadSeite);
        else
            BerichtMailen(ctx, meldung);
        return 5;
    case Answer::Cancel:
        return 2;
    default:
        return 5;
    }
}

} // namespace mirbelon
