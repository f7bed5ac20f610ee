#include "platform/posix/GvfsDevices.h"

#include "platform/posix/PosixFileSystem.h"
#include "tests/text/QStringAusgabe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

TEST(GvfsDevices, FolderNamesBecomeDeviceNames)
{
    const struct
    {
        const char *name;
        const char *folder;
        const char *expected; // "" : no drive
    } rows[] = {
        { "camera, vendor repeated", "gphoto2:host=Canon_Inc._Canon_EOS_R6", "Canon EOS R6" },
        { "camera with serial", "gphoto2:host=NIKON_NIKON_DSC_D3300_000006128877",
            "NIKON DSC D3300" },
        { "phone with serial", "mtp:host=SAMSUNG_SAMSUNG_Android_R58M12345ABC", "SAMSUNG Android" },
        { "model kept that looks coded", "mtp:host=Sony_ILCE-7RM4A", "Sony ILCE-7RM4A" },
        { "escapes decoded", "mtp:host=Fairphone%C2%AE_FP4%2Bplus", "Fairphone® FP4+plus" },
        { "old gvfs names the port", "gphoto2:host=%5Busb%3A002%2C006%5D", "Kamera" },
        { "old gvfs phone", "mtp:host=%5Busb%3A001%2C005%5D", "Telefon" },
        { "iphone", "afc:host=00008030-001A19E40C38802E", "iPhone" },
        { "iphone app documents", "afc:host=00008030-001A19E40C38802E,port=3", "" },
        { "windows share", "smb-share:server=nas,share=fotos", "" },
        { "sftp", "sftp:host=server.example,user=anna", "" },
        { "ftp", "ftp:host=ftp.example", "" },
        { "no host", "mtp:port=1", "" },
        { "no type", "Canon_EOS_R6", "" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(GvfsDevices::deviceName(QString::fromUtf8(row.folder)),
            QString::fromUtf8(row.expected));
    }
}

// Devices put into and taken out of the GVfs folder while the program runs
// get letters and lose them; network shares there never get one.
TEST(GvfsDevices, DevicesComeAndGoWithTheirFolders)
{
    QTemporaryDir wurzel;
    const QString home = wurzel.path() + QStringLiteral("/home");
    const QString gvfs = wurzel.path() + QStringLiteral("/run/gvfs");
    const QString kamera = gvfs + QStringLiteral("/gphoto2:host=Canon_Inc._Canon_EOS_R6");
    const QString telefon = gvfs + QStringLiteral("/mtp:host=Google_Pixel_7_2A111FDH2005X1");
    for (const QString &o : { home, kamera + QStringLiteral("/DCIM"),
             gvfs + QStringLiteral("/smb-share:server=nas,share=fotos") })
        QDir().mkpath(o);
    QFile foto(kamera + QStringLiteral("/DCIM/IMG_0001.JPG"));
    ASSERT_TRUE(foto.open(QIODevice::WriteOnly));
    foto.close();

    const auto drives = std::make_shared<const MountedDrives>(home,
        QStringList { wurzel.path() + QStringLiteral("/media") }, QStringLiteral("/dev/disk"),
        gvfs);
    PosixFileSystem fs(drives);
    int gemeldet = 0;
    fs.whenMediaChange([&gemeldet] { ++gemeldet; });
    drives->refreshDevices();
    using Liste = QList<QPair<QChar, QString>>;
    EXPECT_EQ(fs.media(), (Liste { { 'D', "Canon EOS R6" } }));
    EXPECT_TRUE(fs.canRead(QStringLiteral("d:\\Dcim\\Img_0001.jpg")));

    QDir().mkpath(telefon + QStringLiteral("/Interner Speicher/DCIM"));
    drives->refreshDevices();
    QCoreApplication::processEvents();
    EXPECT_EQ(fs.media(), (Liste { { 'D', "Canon EOS R6" }, { 'E', "Google Pixel 7" } }));
    EXPECT_EQ(fs.programPath(telefon + QStringLiteral("/Interner Speicher")),
        QStringLiteral("E:\\Interner Speicher"));
    EXPECT_GE(gemeldet, 1) << "the window hears of a new device";

    // Unplugged: its letter goes, the phone keeps its own.
    ASSERT_TRUE(QDir(kamera).removeRecursively());
    drives->refreshDevices();
    EXPECT_EQ(fs.media(), (Liste { { 'E', "Google Pixel 7" } }));
    EXPECT_EQ(fs.driveLetters().join(QString()), QStringLiteral("CEZ"));
    EXPECT_FALSE(fs.canRead(QStringLiteral("D:\\DCIM\\IMG_0001.JPG")));
}

} // namespace
} // namespace mirbelon
