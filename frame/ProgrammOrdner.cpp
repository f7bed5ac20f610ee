#include "frame/ProgrammOrdner.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "text/DateiVorhanden.h"
#include "text/Ersetzen.h"
#include "text/Pfad.h"

#include <QStringList>

namespace mirbelon {

namespace {

const QChar kTrenner = QLatin1Char('\\');
const QString kToolsOrdner = QStringLiteral("C:\\_Ostrel\\Tools\\Tools.Win");

QString OhneSchlussTrenner(QString ordner)
{
    if (ordner.endsWith(kTrenner))
        ordner.chop(1);
    return ordner;
}

// An environment value that names a host folder comes in as a program path.
QString AlsProgrammPfad(const FileSystem &files, const QString &pfad)
{
    if (!pfad.startsWith(QLatin1Char('/')))
        return pfad;
    const QString programm = files.programPath(pfad);
    return programm.isEmpty() ? pfad : programm;
}

void FamilienDateienKopieren(Context &ctx)
{
    FileSystem &files = ctx.host.files;
    if (HatNormaleDatei(files, ctx.ordner.brenlo))
        return;
    files.makeFolder(ctx.ordner.brenlo);
    const QString windows = ctx.host.system.windowsFolder();
    for (const QString &name : {QStringLiteral("Brenlo.ini"), QStringLiteral("Brenlo_Prn.ini")}) {
        const QString quelle = windows + kTrenner + name;
        if (files.canRead(quelle))
            files.copyFile(quelle, ctx.ordner.brenlo + kTrenner + name, false);
    }
}

QString TempOrdner(Context &ctx)
{
    QString tmp = IniLesen(ctx, QString(), QStringLiteral("Verknüpfung"), QStringLiteral("TmpSrv"),
                           QString());
    if (tmp.isEmpty())
        tmp = AlsProgrammPfad(ctx.host.files, ctx.host.system.env(QStringLiteral("Tmp")));
    if (tmp.isEmpty())
        tmp = AlsProgrammPfad(ctx.host.files, ctx.host.system.env(QStringLiteral("Temp")));
    if (tmp.isEmpty())
        tmp = QStringLiteral("C:\\Temp");
    return OhneSchlussTrenner(tmp);
}

// Creates a folder with every missing folder above it; failures are left to
// the writes that follow.
void OrdnerAnlegen(FileSystem &files, const QString &ordner)
{
    const QStringList teile = ordner.split(kTrenner);
    QString pfad = teile.value(0);
    for (qsizetype i = 1; i < teile.size(); ++i) {
        pfad += kTrenner + teile.at(i);
        if (!teile.at(i).isEmpty() && !files.isFolder(pfad))
            files.makeFolder(pfad);
    }
}

// An installed program cannot keep its settings beside the executable; its
// folder is then the user's own data folder for the program.
bool IstBeschreibbar(FileSystem &files, const QString &ordner)
{
    const QString probe = ordner + QStringLiteral("\\.mirbelon-schreibprobe");
    if (files.writeAtomic(probe, QByteArray()))
        return false;
    files.remove(probe);
    return true;
}

QString NutzerProgrammOrdner(Context &ctx)
{
    const System &system = ctx.host.system;
    QString daten = system.env(QStringLiteral("XDG_DATA_HOME"));
    if (!daten.startsWith(QLatin1Char('/'))) {
        const QString heim = system.env(QStringLiteral("HOME"));
        daten = heim.startsWith(QLatin1Char('/')) ? heim + QStringLiteral("/.local/share") : QString();
    }
    if (daten.isEmpty())
        return QString();
    const QString ordner = ctx.host.files.programPath(daten);
    if (ordner.isEmpty())
        return QString();
    const QString programmOrdner = OhneSchlussTrenner(ordner) + QStringLiteral("\\Mirbelon");
    OrdnerAnlegen(ctx.host.files, programmOrdner);
    return programmOrdner;
}

QString ProgrammOrdnerErmitteln(Context &ctx)
{
    const System &system = ctx.host.system;
    // With its "\": a program at a drive's root has the folder "C:\", which
    // counts as found and becomes "C:" below.
    QString prg = PfadTeil(system.executablePath(), 0);
    if (prg.size() >= 3 && !IstBeschreibbar(ctx.host.files, OhneSchlussTrenner(prg))) {
        const QString nutzer = NutzerProgrammOrdner(ctx);
        if (!nutzer.isEmpty())
            prg = nutzer;
    }
    if (prg.size() < 3)
        prg = system.currentFolder();
    if (prg.size() < 3)
        prg = IniLesen(ctx, QString(), QString(), QStringLiteral("Dir"), QString());
    if (prg.size() < 3)
        prg = IniLesen(ctx, QString(), QString(), QStringLiteral("OrdnerPrg"), QString());
    return OhneSchlussTrenner(prg);
}

QString DatenOrdnerErmitteln(Context &ctx)
{
    QString dat;
    if (ctx.kommandozeile.toLower().contains(QStringLiteral("/ordnerdat="))) {
        ctx.parameter.ParameterZerlegen(ctx.kommandozeile);
        dat = ctx.parameter.ParameterWert(QStringLiteral("OrdnerDat="));
    }
    if (dat.isEmpty())
        dat = IniLesenMitVorgabe(ctx, QString(), QString(), QStringLiteral("OrdnerDat"), QString());
    if (dat.isEmpty())
        dat = ctx.ordner.prg;
    return Ersetzen(dat, QStringLiteral("{AppDir}"), ctx.ordner.prg);
}

} // namespace

void OrdnerErmitteln(Context &ctx)
{
    // Set first: the ini reads below must not start the resolution again.
    ctx.ordner.brenlo = ctx.host.system.appDataFolder() + QStringLiteral("\\Brenlo");
    FamilienDateienKopieren(ctx);
    ctx.ordner.tmp = TempOrdner(ctx);

    ctx.ordner.prg = ProgrammOrdnerErmitteln(ctx);
    IniSchreiben(ctx, QString(), QString(), QStringLiteral("OrdnerPrg"), ctx.ordner.prg);

    ctx.ordner.dat = DatenOrdnerErmitteln(ctx);
    IniSchreiben(ctx, QString(), QString(), QStringLiteral("OrdnerDat#"), ctx.ordner.dat);
    ctx.ordner.debugDatei = ctx.ordner.dat + QStringLiteral("\\Debug.txt");
}

QString ProgrammName(const QString &programmDatei)
{
    const QString standard = QStringLiteral("Mirbelon");
    const QString name = PfadTeil(programmDatei, 1);
    return name.isEmpty() || name.compare(standard, Qt::CaseInsensitive) == 0 ? standard : name;
}

QString ProgrammDateiSuchen(Context &ctx, const QString &dateiName)
{
    if (HatJoker(dateiName))
        return QString();
    const System &system = ctx.host.system;
    // An installed program keeps its settings elsewhere; its companions may
    // still lie beside the executable.
    const QStringList orte = {ctx.ordner.dat,
                              ctx.ordner.prg,
                              PfadTeil(system.executablePath(), -1),
                              ctx.ordner.brenlo,
                              system.currentFolder(),
                              system.windowsFolder(),
                              system.systemFolder(),
                              kToolsOrdner,
                              Ersetzen(kToolsOrdner, QStringLiteral("c:"), QStringLiteral("h:"))};
    for (const QString &ort : orte) {
        const QString pfad = ort + kTrenner + dateiName;
        if (DateiVorhanden(ctx.host.files, pfad))
            return pfad;
    }
    return QString();
}

} // namespace mirbelon
