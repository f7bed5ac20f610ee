#include "frame/DebugLog.h"

#include "frame/Context.h"
#include "frame/GrossKlein.h"
#include "frame/IniStore.h"
#include "frame/Kontakt.h"
#include "text/Trimmen.h"
#include "platform/Cp1252.h"
#include "text/Formatierung.h"
#include "text/Zahlen.h"

#include <QLocale>
#include <QStringList>
#include <QSysInfo>

namespace mirbelon {

namespace {

const QString kZeilenende = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');
constexpr int kLaengeText = 1500;
constexpr int kLaengeUeberschrift = 80;
constexpr int kLaengeNutzung = 999;

void Anhaengen(Context &ctx, const QString &datei, const QString &zeilen)
{
    ctx.host.files.append(datei, toCp1252(zeilen));
}

bool DebugEntschieden(Context &ctx)
{
    if (ctx.debugModus == 0) {
        const QString wert = IniLesenMitVorgabe(ctx, QString(), QStringLiteral("Allgemein"),
                                                QStringLiteral("DebugMode"), QStringLiteral("0"));
        const int modus = static_cast<int>(RundeKaufmaennisch(ZahlWert(wert)));
        ctx.debugModus = modus < 1 ? -1 : modus;
    }
    return ctx.debugModus > 0;
}

QString EineZeile(QString text)
{
    const QString tilde = QStringLiteral("~");
    text.replace(kZeilenende, tilde);
    text.replace(QLatin1Char('\n'), tilde);
    text.replace(QLatin1Char('\f'), tilde);
    text.replace(QLatin1Char('\r'), tilde);
    return text;
}

// The header names no time zone: the locale's long time format without
// its "t".
QString LangeZeit(const QLocale &locale, const QTime &zeit)
{
    QString format;
    bool zitat = false;
    for (const QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (c == QLatin1Char('\''))
            zitat = !zitat;
        if (zitat || c != QLatin1Char('t'))
            format += c;
    }
    return locale.toString(zeit, format.trimmed());
}

QString Kopf(Context &ctx)
{
    const QDateTime jetzt = ctx.host.system.now();
    const QLocale locale;
    const QString erstellt = locale.toString(jetzt.date(), QLocale::ShortFormat) + QLatin1Char(' ')
                             + LangeZeit(locale, jetzt.time());
    const QStringList zeilen = {
        QString(),
        QString(kLaengeText, QLatin1Char('=')),
        QString(),
        QStringLiteral("Das Debug-Logbuch enthält Hinweise zum internen Ablauf des Programms."),
        QStringLiteral("Die Daten sollen helfen Probleme zu lösen und sind nur für den Notfall gedacht."),
        QString(),
        QStringLiteral("Sie können nach Absprache die Datei"),
        ctx.ordner.debugDatei,
        QStringLiteral("als eMail-Anhang an ") + kSupportAdresse + QStringLiteral(" senden."),
        QString(),
        QStringLiteral("Datei erstellt am ") + erstellt,
        QString(),
        QString(kLaengeText, QLatin1Char('-')),
        SystemBericht(ctx),
        QString(kLaengeText, QLatin1Char('-')),
        QString(),
        QStringLiteral("System-Datum/Zeit") + kTab + QStringLiteral("Sys-Tick") + kTab
            + QStringLiteral("Prozedur"),
    };
    return zeilen.join(kZeilenende) + kZeilenende;
}

} // namespace

void DebugLog(Context &ctx, const QString &text)
{
    if (!DebugEntschieden(ctx))
        return;
    if (Trimmen(text).isEmpty())
        return;

    QString zeile = text;
    if (zeile.startsWith(QStringLiteral("[]"))) {
        zeile = (Trimmen(zeile.mid(2)) + QLatin1Char(' ') + QString(99, QLatin1Char('-')))
                    .left(kLaengeUeberschrift);
    }
    zeile = EineZeile(Trimmen(zeile));

    const QString datei = ctx.ordner.debugDatei;
    if (zeile == QStringLiteral("clr")) {
        ctx.host.files.writeAtomic(datei, QByteArray());
        zeile = QStringLiteral("inf");
    }
    if (zeile == QStringLiteral("inf")) {
        Anhaengen(ctx, datei, Kopf(ctx));
        zeile.clear();
    }

    const quint32 tick = ctx.host.system.tickCount();
    QString vergangen;
    if (ctx.debugLetzterTick != 0) {
        // Unsigned difference, so the wrap of the tick count after 49 days still gives the gap.
        vergangen = QLatin1Char('[') + QString::number(tick - ctx.debugLetzterTick)
                    + QStringLiteral(" ms]");
    }
    ctx.debugLetzterTick = tick;
    if (zeile.contains(QStringLiteral("$t-"), Qt::CaseInsensitive))
        vergangen.clear();

    if (zeile.size() > kLaengeText)
        zeile = zeile.left(kLaengeText - 3) + QStringLiteral("...");

    const QString stempel = FormatDatum(ctx.host.system.now(), QStringLiteral("yy-mm-dd hh:nn:ss"));
    Anhaengen(ctx, datei,
              stempel + kTab + FormatZahl(tick, QStringLiteral("00000000")) + kTab + zeile + kTab
                  + vergangen + kZeilenende);
}

void NutzungsLog(Context &ctx, const QString &text, const QString &datei)
{
    QString zeile = Trimmen(text);
    zeile.replace(kZeilenende, QStringLiteral(" "));
    zeile = zeile.left(kLaengeNutzung);
    if (!zeile.isEmpty()) {
        zeile = FormatDatum(ctx.host.system.now(), QStringLiteral("dd.mm.yyyy hh:nn:ss"))
                + QStringLiteral("  ") + zeile;
    }
    QString ziel = datei;
    if (Trimmen(ziel).isEmpty()) {
        ziel = ctx.ordner.dat + QLatin1Char('\\') + GrossKlein(ctx, ctx.programmName)
               + QStringLiteral(".use");
    }
    Anhaengen(ctx, ziel, zeile + kZeilenende);
}

QString SystemBericht(Context &ctx)
{
    const System &system = ctx.host.system;
    const QString ja = QStringLiteral("ja");
    const QString nein = QStringLiteral("nein");
    const QStringList zeilen = {
        QStringLiteral("Programm: ") + ctx.programmName,
        QStringLiteral("Programmdatei: ") + system.executablePath(),
        QStringLiteral("Kommandozeile: ") + ctx.kommandozeile,
        QStringLiteral("Programmordner: ") + ctx.ordner.prg,
        QStringLiteral("Datenordner: ") + ctx.ordner.dat,
        QStringLiteral("Familienordner: ") + ctx.ordner.brenlo,
        QStringLiteral("Temp-Ordner: ") + ctx.ordner.tmp,
        QStringLiteral("Einstellungen: ") + ctx.einstellungsDatei,
        QStringLiteral("Debug-Logbuch: ") + ctx.ordner.debugDatei,
        QStringLiteral("Aktueller Ordner: ") + system.currentFolder(),
        QStringLiteral("Windows-Ordner: ") + system.windowsFolder(),
        QStringLiteral("Betriebssystem: ") + QSysInfo::prettyProductName(),
        QStringLiteral("Kernel: ") + QSysInfo::kernelType() + QLatin1Char(' ')
            + QSysInfo::kernelVersion(),
        QStringLiteral("Architektur: ") + QSysInfo::currentCpuArchitecture(),
        QStringLiteral("Rechner: ") + QSysInfo::machineHostName(),
        QStringLiteral("Benutzer: ") + system.loginName(),
        QStringLiteral("Freier Arbeitsspeicher: ")
            + GroesseText(static_cast<double>(system.availableMemory())) + QLatin1Char('B'),
        QStringLiteral("Qt: ") + QString::fromLatin1(qVersion()),
        QStringLiteral("Debug-Modus: ") + (ctx.debugModus > 0 ? ja : nein),
        QStringLiteral("Datum: ") + FormatDatum(system.now(), QStringLiteral("dd.mm.yyyy hh:nn:ss")),
    };
    return zeilen.join(kZeilenende);
}

} // namespace mirbelon
