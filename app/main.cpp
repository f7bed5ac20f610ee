#include "app/EinProgramm.h"
#include "app/Main.h"
#include "app/QuellUebernahme.h"
#include "app/Titel.h"
#include "frame/Aufruf.h"
#include "frame/Context.h"
#include "frame/ProgrammOrdner.h"
#include "platform/FlushingDialogs.h"
#include "platform/dbus/UDisksEjector.h"
#include "platform/gui/QtDesktop.h"
#include "platform/gphoto/KameraDateisystem.h"
#include "platform/gui/QtDialogs.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcesses.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/PosixSystem.h"
#include "source/Scan.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirbelon"));
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);

    using namespace mirbelon;
    const QStringList argumente = QApplication::arguments().mid(1);
    EinProgramm einProgramm(EinProgramm::socketName(argumente));
    if (!einProgramm.anmelden(argumente, QDir::currentPath()))
        return 0; // the running program took the command line

    PosixFileSystem ordner;
    const std::unique_ptr<KameraDateisystem> kameras = KameraDateisystem::fromEnvironment(ordner);
    FileSystem &files = *kameras;
    PosixProfileFiles profiles(files);
    PosixProcesses processes(files);
    PosixSystem system(files);
    QtDialogs dialogs(files);
    FlushingDialogs boxen(dialogs, profiles);
    QtDesktop desktop(files);
    Context ctx(Host{files, profiles, processes, boxen, desktop, system},
                Kommandozeile(files, argumente, QDir::currentPath()),
                ProgrammName(system.executablePath()));
    UDisksEjector ejector;
    ctx.host.ejector = &ejector;
    ctx.argumente = argumente;
    ctx.arbeitsordner = QDir::currentPath();

    Titel titel(ctx);
    Main fenster(ctx, [] { QApplication::exit(0); });
    dialogs.setParent(&fenster);
    QuellUebernahme uebernahme(ctx, fenster, [&] { QuelleScannen(ctx, fenster.liste(), fenster); }, [&fenster] {
        fenster.setWindowState(fenster.windowState() & ~Qt::WindowMinimized);
        fenster.raise();
        fenster.activateWindow();
    });
    QObject::connect(&einProgramm, &EinProgramm::erhalten, &uebernahme, &QuellUebernahme::uebernehmen);
    TitelAnschliessen(titel, fenster);
    titel.show();
    const int ergebnis = app.exec();
    profiles.flush();
    return ergebnis;
}
