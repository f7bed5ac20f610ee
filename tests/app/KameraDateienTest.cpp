#include "app/Main.h"
#include "frame/IniStore.h"
#include "tests/support/TestUmgebung.h"
#include "tools/Musterbilder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace mirbelon {
namespace {

using test::TestUmgebung;

// Photos as a camera held upright writes them: top red, bottom blue, stored
// turned, with the capture date in EXIF and a file time of a later copy.
void kameraKarte(TestUmgebung &u)
{
    const QImage aufrecht = muster::RotOberBlau(600, 800);
    u.ordner(QStringLiteral("E:\\DCIM\\100CAM"));
    const auto host = [&u](const char *pfad) { return QFile::encodeName(u.host(QString::fromLatin1(pfad))); };
    ASSERT_TRUE(muster::JpegSchreiben(host("E:\\DCIM\\100CAM\\IMG_0001.JPG"), muster::Gespeichert(aufrecht, 6),
        { 6, QStringLiteral("2019:07:01 10:11:12"), {} }));
    ASSERT_TRUE(muster::RohSchreiben(host("E:\\DCIM\\100CAM\\IMG_0002.CR2"), muster::Gespeichert(aufrecht, 8),
        { 8, QStringLiteral("2018:02:03 04:05:06"), {} }));
}

// What phones write today, all held upright: a HEIF photo turned by its own
// properties and by EXIF, a film the player turns, a film stored as shown.
void neueKameraDateien(TestUmgebung &u)
{
    const QImage aufrecht = muster::RotOberBlau(600, 800);
    const auto host = [&u](const char *pfad) { return QFile::encodeName(u.host(QString::fromLatin1(pfad))); };
    const QStringList erstellt { QStringLiteral("-metadata"), QStringLiteral("creation_time=2024-07-01T10:00:00Z") };
    ASSERT_TRUE(muster::HeifSchreiben(host("E:\\DCIM\\100CAM\\IMG_0003.HEIC"), muster::Gespeichert(aufrecht, 6),
        { 6, QStringLiteral("2023:08:09 10:11:12"), {} }));
    ASSERT_TRUE(muster::FilmMitFfmpeg(host("E:\\DCIM\\100CAM\\MVI_0004.MP4"), muster::Gespeichert(aufrecht, 6),
        erstellt, 90));
    ASSERT_TRUE(muster::FilmMitFfmpeg(host("E:\\DCIM\\100CAM\\MVI_0005.MOV"), aufrecht, erstellt));
    IniSchreiben(*u.ctx, QStringLiteral("C:\\Prg\\Mirbelon.ini"), QStringLiteral("Mirbelon"),
        QStringLiteral("Formate"), QStringLiteral("*.jpg;*.cr2;*.heic;*.mp4;*.mov"));
}

bool rotObenBlauUnten(const QLabel *vorschau)
{
    const QImage bild = vorschau->pixmap().toImage();
    if (bild.isNull() || vorschau->width() >= vorschau->height())
        return false;
    const QColor oben = bild.pixelColor(bild.width() / 2, bild.height() / 8);
    const QColor unten = bild.pixelColor(bild.width() / 2, bild.height() * 7 / 8);
    return oben.red() > 200 && oben.blue() < 60 && unten.blue() > 200 && unten.red() < 60;
}

TEST(KameraDateien, PortraitPhotosAndFilmsStandUprightInThePreview)
{
    TestUmgebung u;
    kameraKarte(u);
    neueKameraDateien(u);
    Main m(*u.ctx, [] {});
    m.laden();
    m.setQuelle(QStringLiteral("E:\\"));
    m.setVorschauAn(true);
    m.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
    ASSERT_EQ(m.liste().anzahl(), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(m.liste().pfad(i).toStdString());
        m.liste().setAktuell(i);
        EXPECT_TRUE(QTest::qWaitFor([&] { return rotObenBlauUnten(m.imagePreview()); }, 10000));
        m.liste().setAktuell(-1);
    }
}

// Films count in UTC; their names show the wall clock of the computer.
TEST(KameraDateien, CopyRunNamesPhotosByTheirCaptureDateWhenAsked)
{
    const test::Zeitzone berlin("Europe/Berlin");
    TestUmgebung u;
    kameraKarte(u);
    neueKameraDateien(u);
    IniSchreiben(*u.ctx, QStringLiteral("C:\\Prg\\Mirbelon.ini"), QStringLiteral("Mirbelon"),
        QStringLiteral("FotoDatum"), QStringLiteral("Aufnahme"));
    Main m(*u.ctx, [] {});
    m.laden();
    m.setZiel(QStringLiteral("C:\\Archiv"));
    m.setQuelle(QStringLiteral("E:\\"));
    m.show();
    m.liste().setMarken({ 1, 1, 1, 1, 1 });
    m.aktion(QStringLiteral("mnuKopieren"))->trigger();
    EXPECT_EQ(QDir(u.host(QStringLiteral("C:\\Archiv"))).entryList({QStringLiteral("2*")}, QDir::Files),
        (QStringList { QStringLiteral("2018_0203-040506.cr2"), QStringLiteral("2019_0701-101112.jpg"),
            QStringLiteral("2023_0809-101112.heic"), QStringLiteral("2024_0701-120000.mov"),
            QStringLiteral("2024_0701-120000.mp4") }));
}

// The camera's cable is pulled while its photos are copied (the folder that
// libgphoto2's directory driver shows as a camera goes): one report, no copy
// claimed that is not in the archive, nothing deleted, and the run ends.
TEST(KameraDateien, ACameraUnpluggedDuringTheCopyRunIsOneReport)
{
    QTemporaryDir kamera;
    const QString ordner = kamera.path() + QStringLiteral("/DCIM/100CANON");
    QDir().mkpath(ordner);
    constexpr int kFotos = 12;
    for (int n = 0; n < kFotos; ++n) {
        QFile f(ordner + QStringLiteral("/IMG_%1.JPG").arg(n, 4, 10, QLatin1Char('0')));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2 << 20, char('a' + n)));
    }
    TestUmgebung u(QStringLiteral("C"), {QStringLiteral("disk:") + kamera.path()});
    Main m(*u.ctx, [] {});
    m.laden();
    m.setZiel(QStringLiteral("C:\\Archiv"));
    m.setQuelle(QStringLiteral("D:\\"));
    m.show();
    ASSERT_EQ(m.liste().anzahl(), kFotos);
    m.liste().setMarken(std::vector<char>(kFotos, 1));
    // At the run's first look at the window's events.
    QTimer::singleShot(0, &m, [&] { QDir(kamera.path()).removeRecursively(); });
    for (int n = 0; n < kFotos; ++n)
        u.dialogs.antworte(Answer::No); // go on after a report
    m.aktion(QStringLiteral("mnuKopieren"))->trigger();

    ASSERT_EQ(u.dialogs.gezeigt.size(), 1);
    EXPECT_EQ(u.dialogs.gezeigt.first().titel, QStringLiteral("Karte entfernt"));
    EXPECT_TRUE(u.dialogs.gezeigt.first().text.startsWith(QStringLiteral("Die Karte »D:« ist nicht mehr da")));
    EXPECT_EQ(u.ctx->lauf, Lauf::Keiner);
    EXPECT_EQ(u.dialogs.busy(), 0);
    const QStringList archiv
        = QDir(u.host(QStringLiteral("C:\\Archiv"))).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    EXPECT_EQ(archiv.size(), u.ctx->kopien.size());
    for (const Kopiert &k : std::as_const(u.ctx->kopien)) {
        QFile kopie(k.ziel);
        EXPECT_TRUE(kopie.open(QIODevice::ReadOnly) && kopie.size() == k.bytes) << k.ziel.toStdString();
    }
    // The list goes with the camera at once, not at the next look at the cable.
    EXPECT_EQ(m.liste().anzahl(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.panel(QStringLiteral("Status")) == QStringLiteral("Karte entfernt"); }, 3000));
}

} // namespace
} // namespace mirbelon
