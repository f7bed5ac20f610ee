#include "app/EinProgramm.h"
#include "app/QuellUebernahme.h"
#include "tests/support/TestFenster.h"
#include "tests/support/TestUmgebung.h"
#include "tests/text/QStringAusgabe.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace mirbelon {
namespace {

// A socket file as a crashed program leaves it: bound, nobody listening.
void toterSocket(const QString &name)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    const QByteArray pfad = name.toLocal8Bit();
    ::strncpy(adresse.sun_path, pfad.constData(), sizeof adresse.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&adresse), sizeof adresse), 0);
    ::close(fd);
}

TEST(EinProgramm, ASecondStartHandsItsCommandLineOver)
{
    QTemporaryDir ordner;
    const QString name = ordner.path() + QStringLiteral("/mirbelon");
    toterSocket(name);

    EinProgramm erstes(name);
    ASSERT_TRUE(erstes.anmelden({}, QStringLiteral("/")));
    QStringList erhalten;
    QObject::connect(&erstes, &EinProgramm::erhalten,
                     [&](const QString &arbeitsordner, const QStringList &argumente) {
                         erhalten = QStringList{arbeitsordner} + argumente;
                     });

    // The second start blocks until the first one answered, so it runs beside this event loop.
    auto zweites = std::async(std::launch::async, [&name] {
        EinProgramm e(name);
        return e.anmelden({QStringLiteral("/media/anna/EOS_DIGITAL"), QStringLiteral("#debug")},
                          QStringLiteral("/home/anna"));
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !erhalten.isEmpty(); }, 10000));
    EXPECT_FALSE(zweites.get());
    EXPECT_EQ(erhalten, (QStringList{"/home/anna", "/media/anna/EOS_DIGITAL", "#debug"}));
}

// A socket file's path may not be longer than 107 bytes.
TEST(EinProgramm, ALongRuntimeFolderStillKeepsOneProgram)
{
    QTemporaryDir wurzel;
    const QString lang = wurzel.path() + QStringLiteral("/") + QString(120, QLatin1Char('r'));
    ASSERT_TRUE(QDir().mkpath(lang));
    const QByteArray alt = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", lang.toLocal8Bit());
    const QString name = EinProgramm::socketName({});
    qputenv("XDG_RUNTIME_DIR", alt);
    ASSERT_TRUE(name.startsWith(lang));

    EinProgramm erstes(name);
    ASSERT_TRUE(erstes.anmelden({}, QStringLiteral("/")));
    QStringList erhalten;
    QObject::connect(&erstes, &EinProgramm::erhalten,
                     [&](const QString &, const QStringList &argumente) { erhalten = argumente; });
    auto zweites = std::async(std::launch::async, [&name] {
        EinProgramm e(name);
        return e.anmelden({QStringLiteral("Quelle=E:\\")}, QStringLiteral("/"));
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !erhalten.isEmpty(); }, 10000));
    EXPECT_FALSE(zweites.get());
    EXPECT_EQ(erhalten, QStringList{QStringLiteral("Quelle=E:\\")});
}

TEST(EinProgramm, AnotherDataFolderIsAnotherProgram)
{
    const QString einfach = EinProgramm::socketName({QStringLiteral("Quelle=E:\\")});
    EXPECT_EQ(EinProgramm::socketName({}), einfach);
    EXPECT_EQ(EinProgramm::socketName({QStringLiteral("#debug")}), einfach);
    const QString daten = EinProgramm::socketName({QStringLiteral("/ordnerdat=D:\\Fotodaten")});
    EXPECT_NE(daten, einfach);
    EXPECT_EQ(EinProgramm::socketName({QStringLiteral("/OrdnerDat=d:\\fotodaten"), QStringLiteral("x")}),
              daten);
}

TEST(QuellUebernahme, TakesTheSourceAsTypedOrAfterTheRun)
{
    test::TestUmgebung u;
    u.datei(QStringLiteral("E:\\Foto.ini"));
    test::TestFenster fenster;
    int neuEingelesen = 0;
    int vorne = 0;
    QuellUebernahme uebernahme(*u.ctx, fenster, [&] { ++neuEingelesen; }, [&] { ++vorne; });
    const QString karte = u.laufwerk(QLatin1Char('E'));

    struct Schritt
    {
        QStringList argumente;
        Lauf lauf;
        bool geladen;
        QString quelle; // txtQ afterwards
        int neuEingelesen;
    };
    const QList<Schritt> schritte{
        {{"Quelle=E:\\DCIM"}, Lauf::Keiner, false, "", 0}, // the window is still loading
        {{}, Lauf::Keiner, true, "E:\\DCIM", 0},            // ... and takes it once loaded
        {{karte + "/DCIM"}, Lauf::Keiner, true, "E:\\DCIM", 1}, // the same: read again
        {{"file://" + karte + "/"}, Lauf::Kopieren, true, "E:\\DCIM", 1},
        {{"Quelle=C:\\"}, Lauf::Loeschen, true, "E:\\DCIM", 1}, // the newest one waits
        {{}, Lauf::Keiner, true, "C:\\", 1},
        {{"Quelle=?"}, Lauf::Keiner, true, "E:\\", 1}, // the drive search
        {{"#debug"}, Lauf::Keiner, true, "E:\\", 1},
    };
    int nummer = 0;
    for (const Schritt &s : schritte) {
        SCOPED_TRACE(++nummer);
        u.ctx->lauf = s.lauf;
        u.ctx->einstellungsDatei = s.geladen ? QStringLiteral("C:\\Prg\\Mirbelon.ini") : QString();
        if (!s.argumente.isEmpty())
            uebernahme.uebernehmen(QStringLiteral("/"), s.argumente);
        (void)QTest::qWaitFor([&] { return fenster.quelle() == s.quelle && neuEingelesen == s.neuEingelesen; }, 1000);
        EXPECT_EQ(fenster.quelle(), s.quelle);
        EXPECT_EQ(neuEingelesen, s.neuEingelesen);
    }
    EXPECT_EQ(vorne, 6);
}

} // namespace
} // namespace mirbelon
