#include "services/Mail.h"

#include "frame/Context.h"
#include "frame/DebugLog.h"
#include "frame/IniStore.h"
#include "text/Trimmen.h"
#include "platform/Cp1252.h"
#include "services/Benutzer.h"
#include "services/Meldungen.h"
#include "services/Warten.h"
#include "text/Ersetzen.h"
#include "text/Meldung.h"
#include "text/Zahlen.h"

#include <QList>

#include <optional>

namespace mirbelon {

namespace {

const QString kSektion = QStringLiteral("Verknüpfung");
const QString kZeilenumbruch = QStringLiteral("\r\n");
// Longer "mailto:" addresses are cut by the usual mail programs.
constexpr int kMailtoGrenze = 1915;

QString Wahrheit(bool wert)
{
    return wert ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
}

QString ProtokollZeile(const QString &anfang, const MailNachricht &m)
{
    return anfang + QStringLiteral(" to-") + m.empfaenger + QStringLiteral("|sub-") + m.betreff
           + QStringLiteral("|bdy-") + m.text + QStringLiteral("|mode-") + Wahrheit(m.sofort)
           + QStringLiteral("|att-") + m.anhang + QStringLiteral("|cc-") + m.cc
           + QStringLiteral("|bcc-") + m.bcc + QStringLiteral("|from-") + m.absender
           + QStringLiteral("|ex-") + m.extra;
}

QString TextVorbereiten(const QString &text, const QDate &heute)
{
    QString t = Ersetzen(text, QStringLiteral("{Signatur}"), QStringLiteral("~~"));
    t = Trimmen(MeldungsText(t, heute));
    while (t.startsWith(kZeilenumbruch))
        t.remove(0, kZeilenumbruch.size());
    while (t.endsWith(kZeilenumbruch))
        t.chop(kZeilenumbruch.size());
    t.replace(QLatin1Char('"'), QLatin1Char('\''));
    return t;
}

QString BetreffVorbereiten(Context &ctx, const QString &betreff)
{
    QString b = betreff;
    b.replace(kZeilenumbruch, QStringLiteral(" "));
    b.replace(QLatin1Char('\r'), QLatin1Char(' '));
    b.replace(QLatin1Char('\n'), QLatin1Char(' '));
    b = Trimmen(b);
    if (b.isEmpty())
        b = QStringLiteral("eMail von ") + Benutzername(ctx);
    b.replace(QLatin1Char('"'), QLatin1Char('\''));
    return b;
}

QString Prozentkodiert(QString text, const char *zeichen)
{
    for (const char *z = zeichen; *z; ++z) {
        const QString code = QLatin1Char('%')
                             + QString::number(static_cast<unsigned char>(*z), 16)
                                   .toUpper()
                                   .rightJustified(2, QLatin1Char('0'));
        text.replace(QLatin1Char(*z), code);
    }
    return text;
}

struct Platzhalter
{
    QString name;
    QString wert;
};

// The values come from the mail and may hold any text, placeholder names
// included: one pass inserts each value and never looks into inserted text.
QString PlatzhalterEinsetzen(const QString &vorlage, const QList<Platzhalter> &liste)
{
    QString ergebnis;
    qsizetype i = 0;
    while (i < vorlage.size()) {
        bool ersetzt = false;
        for (const Platzhalter &p : liste) {
            if (QStringView(vorlage).mid(i).startsWith(p.name, Qt::CaseInsensitive)) {
                ergebnis += p.wert;
                i += p.name.size();
                ersetzt = true;
                break;
            }
        }
        if (!ersetzt)
            ergebnis += vorlage.at(i++);
    }
    return ergebnis;
}

struct Wort
{
    QString text;
    bool zitiert = false; // held quotes, so it stays even when empty
};

// Splits a mailer template into words as /bin/sh would ('...', "..." and
// "\"), but expands nothing: no value ever meets a command interpreter.
QList<Wort> Worte(const QString &vorlage)
{
    QList<Wort> worte;
    std::optional<Wort> wort;
    QChar zitat;
    for (qsizetype i = 0; i < vorlage.size(); ++i) {
        const QChar c = vorlage.at(i);
        if (zitat.isNull() && c.isSpace()) {
            if (wort)
                worte.append(*wort);
            wort.reset();
            continue;
        }
        if (!wort)
            wort.emplace();
        if (zitat.isNull() && (c == QLatin1Char('\'') || c == QLatin1Char('"'))) {
            zitat = c;
            wort->zitiert = true;
        } else if (c == zitat) {
            zitat = QChar();
        } else if (c == QLatin1Char('\\') && zitat != QLatin1Char('\'') && i + 1 < vorlage.size()
                   && (zitat.isNull() || QStringLiteral("\"\\$`").contains(vorlage.at(i + 1)))) {
            wort->text += vorlage.at(++i);
        } else {
            wort->text += c;
        }
    }
    if (wort)
        worte.append(*wort);
    return worte;
}

QString HostPfadOderText(Context &ctx, const QString &pfad)
{
    const QString host = pfad.isEmpty() ? QString() : ctx.host.files.hostPath(pfad);
    return host.isEmpty() ? pfad : host;
}

void PerMailto(Context &ctx, const MailNachricht &m)
{
    const QString adresse = MailtoAdresse(m.empfaenger, m.betreff, m.text, m.cc, m.bcc);
    const bool keineLoesung = !m.anhang.isEmpty() || m.sofort || !m.absender.isEmpty()
                              || adresse.size() > kMailtoGrenze;
    DebugLog(ctx, (keineLoesung ? QStringLiteral("Mailer.do: NoSol-")
                                : QStringLiteral("Mailer.do: MailTo-"))
                      + adresse);
    ctx.host.processes.openDocument(adresse);
    Warten(ctx, 0.5);
}

// False when the user cancelled the report of a failure.
bool PerProgramm(Context &ctx, const MailNachricht &m, const QString &vorlage)
{
    QString bodyDatei;
    if (vorlage.contains(QStringLiteral("{BodyAsFile}"), Qt::CaseInsensitive)) {
        const QString datei = ctx.ordner.tmp + QStringLiteral("\\MailerSendExternBody.tmp");
        const Fehler fehler =
            ctx.host.files.writeAtomic(datei, toCp1252(m.text + kZeilenumbruch));
        if (fehler) {
            QString kontext = QStringLiteral("Es ist ein Fehler bei ~'")
                              + QStringLiteral("eMail versenden (Mailer)")
                              + QStringLiteral("'~ aufgetreten.");
            if (FehlerMelden(ctx, fehler, kontext) == 2)
                return false;
        }
        bodyDatei = ctx.host.files.hostPath(datei);
    }

    const QList<Platzhalter> werte = {{QStringLiteral("{To}"), m.empfaenger},
                                      {QStringLiteral("{Sub}"), m.betreff},
                                      {QStringLiteral("{Body}"), m.text},
                                      {QStringLiteral("{BodyAsFile}"), bodyDatei},
                                      {QStringLiteral("{SendMode}"), QString()},
                                      {QStringLiteral("{Attach}"), HostPfadOderText(ctx, m.anhang)},
                                      {QStringLiteral("{tocc}"), m.cc},
                                      {QStringLiteral("{tobcc}"), m.bcc},
                                      {QStringLiteral("{from}"), m.absender}};
    // Each value goes into the argument its placeholder stands in; an
    // unquoted word that became empty is dropped, as a shell would.
    QStringList argumente;
    for (const Wort &wort : Worte(vorlage)) {
        const QString text = PlatzhalterEinsetzen(wort.text, werte);
        if (!text.isEmpty() || wort.zitiert)
            argumente << text;
    }

    DebugLog(ctx, QStringLiteral("Mailer.do: cmd-") + argumente.join(QLatin1Char(' ')));
    if (!argumente.isEmpty())
        ctx.host.processes.startProgram(argumente.takeFirst(), argumente, WindowStyle::MinimizedNoFocus);

    const double warten =
        ZahlWert(IniLesenMitVorgabe(ctx, {}, kSektion, QStringLiteral("MailerSendExternWaitMS"),
                                    QStringLiteral("1001")))
        / 1000.0;
    Warten(ctx, warten);

    const QString tasten =
        IniLesen(ctx, {}, kSektion, QStringLiteral("MailerSendExternSendNowKey"), {});
    if (m.sofort && !tasten.isEmpty()) {
        Warten(ctx, warten + 1);
        if (!ctx.host.processes.sendKeys(tasten))
            DebugLog(ctx, QStringLiteral("Mailer.do: NoKeys-") + tasten);
        Warten(ctx, warten);
    }
    return true;
}

} // namespace

bool AdresseGueltig(const QString &adresse)
{
    static const QString erlaubt = QStringLiteral(
        "@ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.!#$%&'*+-/=?^_`{|}~");
    static const QString verboten = QStringLiteral(" /:,;*&");

    bool gueltig = true;
    const qsizetype at = adresse.indexOf(QLatin1Char('@'));
    if (adresse.size() < 3)
        gueltig = false;
    if (at < 0)
        gueltig = false;
    if (at < 0 || adresse.indexOf(QLatin1Char('.'), at + 1) < 0)
        gueltig = false;
    if (adresse.contains(QStringLiteral("@.")))
        gueltig = false;
    if (at >= 0 && adresse.indexOf(QLatin1Char('@'), at + 1) >= 0)
        gueltig = false;
    if (adresse.endsWith(QLatin1Char('.')))
        gueltig = false;
    if (adresse.contains(QStringLiteral("http://"), Qt::CaseInsensitive)
        || adresse.contains(QStringLiteral("ftp://"), Qt::CaseInsensitive))
        gueltig = false;
    for (const QChar c : adresse) {
        if (verboten.contains(c) || !erlaubt.contains(c))
            gueltig = false;
    }
    return gueltig;
}

QString MailtoAdresse(const QString &empfaenger, const QString &betreff, const QString &text,
                      const QString &cc, const QString &bcc)
{
    // "%" first, so the codes of the others stay as they are.
    const char *teilZeichen = "% ,?.!:;&=#";
    QString adresse = QStringLiteral("mailto:") + empfaenger + QStringLiteral("?subject=")
                      + Prozentkodiert(betreff, teilZeichen);
    if (!cc.isEmpty())
        adresse += QStringLiteral("&cc=") + cc;
    if (!bcc.isEmpty())
        adresse += QStringLiteral("&bcc=") + bcc;
    if (!text.isEmpty())
        adresse += QStringLiteral("&body=") + Prozentkodiert(text, teilZeichen);
    return Prozentkodiert(adresse, "\n\r\"'\\ ");
}

bool MailSenden(Context &ctx, const MailNachricht &mail)
{
    BusyPointer zeiger(ctx.host.dialogs);
    DebugLog(ctx, ProtokollZeile(QStringLiteral("Mailer.in:"), mail));
    if (mail.empfaenger.toLower() == QLatin1String("$nosend"))
        return false;

    MailNachricht m = mail;
    m.text = TextVorbereiten(mail.text, ctx.host.system.now().date());
    m.betreff = BetreffVorbereiten(ctx, mail.betreff);
    m.empfaenger = Trimmen(mail.empfaenger).toLower();

    if (m.sofort && !AdresseGueltig(m.empfaenger)) {
        NutzungsLog(ctx,
                    QStringLiteral("eMail ist ungültig: ") + m.empfaenger + QStringLiteral(" (")
                        + m.betreff + QStringLiteral("; ") + m.text + QLatin1Char(')'),
                    ctx.ordner.tmp + QStringLiteral("\\Brenlo-Mailer.use"));
        DebugLog(ctx, QStringLiteral("Mailer.ex: Exit"));
        return false;
    }

    m.anhang = Trimmen(m.anhang);
    m.cc = Trimmen(m.cc);
    m.bcc = Trimmen(m.bcc);
    m.absender = Trimmen(m.absender);
    DebugLog(ctx, ProtokollZeile(QStringLiteral("Mailer.rf:"), m));

    QString kommando = IniLesen(ctx, {}, kSektion, QStringLiteral("MailerSendExtern"), {});
    if (!m.anhang.isEmpty()) {
        const QString mitAnhang =
            IniLesen(ctx, {}, kSektion, QStringLiteral("MailerSendExternAtt+"), {});
        if (!mitAnhang.isEmpty())
            kommando = mitAnhang;
    }

    if (kommando.isEmpty())
        PerMailto(ctx, m);
    else if (!PerProgramm(ctx, m, kommando))
        return false;

    DebugLog(ctx, QStringLiteral("Mailer.ex: Exit"));
    return true;
}

} // namespace mirbelon
