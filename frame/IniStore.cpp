#include "frame/IniStore.h"

#include "frame/Context.h"
#include "frame/ProgrammOrdner.h"
#include "text/Trimmen.h"
#include "text/Pfad.h"
#include "text/Zahlen.h"

#include <memory>

namespace mirbelon {

namespace {

const QString kZeilenumbruch = QStringLiteral("\r\n");
const QString kGespeicherterUmbruch = QStringLiteral("**");
const QChar kAnfuehrung = QLatin1Char('"');
const QChar kGespeicherteAnfuehrung = QChar(0x201C);

// A lone CR or LF would end the stored line and spill the rest of the value
// into the file as a line of its own, so those are stored as "**" as well.
QString UmbruecheKodieren(QString text)
{
    text.replace(kZeilenumbruch, kGespeicherterUmbruch);
    text.replace(QLatin1Char('\r'), kGespeicherterUmbruch);
    text.replace(QLatin1Char('\n'), kGespeicherterUmbruch);
    return text;
}

QString Dekodieren(QString text)
{
    for (qsizetype pos = text.indexOf(kGespeicherterUmbruch); pos >= 0;
         pos = text.indexOf(kGespeicherterUmbruch)) {
        text.replace(pos, kGespeicherterUmbruch.size(), kZeilenumbruch);
    }
    text.replace(kGespeicherteAnfuehrung, kAnfuehrung);
    return text;
}

bool IstBloesserName(const QString &name)
{
    return !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char(':'));
}

// Names are stored as values are: a line break in a camera's name would
// otherwise end the line of its section.
QString Sektion(const Context &ctx, const QString &sektion)
{
    return UmbruecheKodieren(sektion.isEmpty() ? ctx.programmName : sektion);
}

QString Schluessel(const QString &schluessel)
{
    const QString s = Trimmen(schluessel);
    return s.isEmpty() ? QStringLiteral("NoKey") : UmbruecheKodieren(s);
}

} // namespace

QString IniDateiPfad(Context &ctx, const QString &datei)
{
    if (ctx.ordner.brenlo.isEmpty())
        OrdnerErmitteln(ctx);

    QString name = Trimmen(datei);
    if (name.isEmpty())
        name = ctx.ordner.brenlo + QStringLiteral("\\Brenlo.ini");
    // Names shorter than four characters have no extension of three letters either.
    if (name.size() < 4 || name.at(name.size() - 4) != QLatin1Char('.'))
        name += QStringLiteral(".ini");

    if (!IstBloesserName(name))
        return name;
    const QString klein = name.toLower();
    if (klein == QStringLiteral("brenlo.ini") || klein == QStringLiteral("brenlo_prn.ini"))
        return ctx.ordner.brenlo + QLatin1Char('\\') + name;
    // system.ini, win.ini and every other bare name live in the Windows folder,
    // as the profile functions place them.
    return ctx.host.system.windowsFolder() + QLatin1Char('\\') + name;
}

QString IniLesen(Context &ctx, const QString &datei, const QString &sektion,
                 const QString &schluessel, const QString &vorgabe)
{
    const QString pfad = IniDateiPfad(ctx, datei);
    const QString vorgabeGespeichert = UmbruecheKodieren(RechtsKuerzen(vorgabe, QStringLiteral(" ")));
    const QString wert = ctx.host.profiles.read(pfad, Sektion(ctx, sektion), Schluessel(schluessel),
                                                vorgabeGespeichert);
    return Dekodieren(wert);
}

QString IniSchreiben(Context &ctx, const QString &datei, const QString &sektion,
                     const QString &schluessel, const QString &wert, bool *geschrieben)
{
    const QString pfad = IniDateiPfad(ctx, datei);
    QString gespeichert = UmbruecheKodieren(Trimmen(wert));
    gespeichert.replace(kAnfuehrung, kGespeicherteAnfuehrung);
    const bool ok =
        ctx.host.profiles.write(pfad, Sektion(ctx, sektion), Schluessel(schluessel), gespeichert);
    if (geschrieben)
        *geschrieben = ok;
    return gespeichert;
}

QString IniLesenMitVorgabe(Context &ctx, const QString &datei, const QString &sektion,
                           const QString &schluessel, const QString &vorgabe)
{
    const QString wert = IniLesen(ctx, datei, sektion, schluessel, QString());
    if (!wert.isEmpty())
        return wert;
    IniSchreiben(ctx, datei, sektion, schluessel, vorgabe);
    return Trimmen(vorgabe);
}

double IniZaehler(Context &ctx, const QString &datei, const QString &sektion,
                  const QString &schluessel, double schritt)
{
    // Read and written as one step, so that two programs counting in one
    // file never lose a step of the other.
    const auto summe = std::make_shared<double>(0);
    ctx.host.profiles.update(IniDateiPfad(ctx, datei), Sektion(ctx, sektion),
                             Schluessel(schluessel),
                             [schritt, summe](const std::optional<QString> &gespeichert) {
                                 const QString alt = Dekodieren(gespeichert.value_or(QString()));
                                 *summe = ZahlWert(alt.isEmpty() ? QStringLiteral("0") : alt)
                                          + schritt;
                                 return FormatZahl(*summe, QStringLiteral("0"));
                             });
    return *summe;
}

} // namespace mirbelon
