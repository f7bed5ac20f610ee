// A second program that counts in an ini file with IniZaehler, so that a test
// can run two writers at once. Arguments: file (program path), section, key,
// steps, and a host file whose appearance starts the counting.
#include "frame/Context.h"
#include "frame/IniStore.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/PosixSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() != 6)
        return 2;

    using namespace mirbelon;
    PosixFileSystem files;
    PosixProfileFiles profiles(files);
    PosixSystem system(files);
    FakeProcesses processes;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    Context ctx(Host{files, profiles, processes, dialogs, desktop, system}, QString());
    ctx.ordner.brenlo = QStringLiteral("C:\\Brenlo"); // no start-up resolution

    for (int warten = 0; !QFile::exists(a.at(5)); ++warten) {
        if (warten > 20000)
            return 3;
        QThread::msleep(1);
    }
    const int schritte = a.at(4).toInt();
    for (int i = 0; i < schritte; ++i)
        IniZaehler(ctx, a.at(1), a.at(2), a.at(3), 1);
    return 0;
}
