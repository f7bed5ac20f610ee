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
#include <QTest>

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

bool rotObenBlauUnten(const QLabel *vorschau)
{
    const QImage bild = vorschau->pixmap().toImage();
    if (bild.isNull() || vorschau->width() >= vorschau->height())
        return false;
    const QColor oben = bild.pixelColor(bild.width() / 2, bild.height() / 8);
    const QColor unten = bild.pixelColor(bild.width() / 2, bild.height() * 7 / 8);
    return oben.red() > 200 && oben.blue() < 60 && unten.blue() > 200 && unten.red() < 60;
}

TEST(KameraDateien, PortraitJpegAndRawFileStandUprightInThePreview)
{
    TestUmgebung u;
    kameraKarte(u);
    Main m(*u.ctx, [] {});
    m.laden();
    m.setQuelle(QStringLiteral("E:\\"));
    m.setVorschauAn(true);
    m.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        m.liste().setAktuell(i);
        EXPECT_TRUE(QTest::qWaitFor([&] { return rotObenBlauUnten(m.imagePreview()); }, 10000));
        m.liste().setAktuell(-1);
    }
}

TEST(KameraDateien, CopyRunNamesPhotosByTheirCaptureDateWhenAsked)
{
    TestUmgebung u;
    kameraKarte(u);
    IniSchreiben(*u.ctx, QStringLiteral("C:\\Prg\\Mirbelon.ini"), QStringLiteral("Mirbelon"),
        QStringLiteral("FotoDatum"), QStringLiteral("Aufnahme"));
    Main m(*u.ctx, [] {});
    m.laden();
    m.setZiel(QStringLiteral("C:\\Archiv"));
    m.setQuelle(QStringLiteral("E:\\"));
    m.show();
    m.liste().setMarken({ 1, 1 });
    m.aktion(QStringLiteral("mnuKopieren"))->trigger();
    EXPECT_EQ(QDir(u.host(QStringLiteral("C:\\Archiv"))).entryList(QDir::Files),
        (QStringList { QStringLiteral("2018_0203-040506.cr2"), QStringLiteral("2019_0701-101112.jpg") }));
}

} // namespace
} // namespace mirbelon
