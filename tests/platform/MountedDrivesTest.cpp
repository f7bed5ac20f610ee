#include "platform/posix/PosixFileSystem.h"
#include "tests/support/Einhaengung.h"
#include "tests/text/QStringAusgabe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

// Cards mounted and taken out while the file system object lives: the
// drive table follows at the next look.
TEST(MountedDrives, CardsComeAndGoWhileTheProgramRuns)
{
    QTemporaryDir wurzel;
    const QString media = wurzel.path() + QStringLiteral("/media/anna");
    const QString kartB = media + QStringLiteral("/EOS_DIGITAL");
    const QString kartA = media + QStringLiteral("/ALPHA CARD");
    QDir().mkpath(kartA);
    QDir().mkpath(kartB);
    QDir().mkpath(wurzel.path() + QStringLiteral("/home"));
    const PosixFileSystem fs(
        std::make_shared<const MountedDrives>(wurzel.path() + QStringLiteral("/home"), QStringList{media}));
    const QString foto = QStringLiteral("D:\\Dcim\\Img_0001.jpg");
    EXPECT_EQ(fs.driveLetters().join(QString()), QStringLiteral("CZ"));

    test::Einhaengung b;
    if (!b.tmpfs(kartB, QStringLiteral("2m")))
        GTEST_SKIP() << "cannot mount a tmpfs here";
    QDir().mkpath(kartB + QStringLiteral("/DCIM"));
    QFile datei(kartB + QStringLiteral("/DCIM/IMG_0001.JPG"));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.close();

    EXPECT_EQ(fs.driveLetters().join(QString()), QStringLiteral("CDZ"));
    EXPECT_TRUE(fs.canRead(foto));
    EXPECT_EQ(fs.programPath(kartB + QStringLiteral("/DCIM")), QStringLiteral("D:\\DCIM"));
    EXPECT_EQ(fs.space(QStringLiteral("D:\\")).totalBytes, 2.0 * 1024 * 1024);

    // A card with a name before D:'s does not take its letter.
    test::Einhaengung a;
    ASSERT_TRUE(a.tmpfs(kartA, QStringLiteral("1m")));
    EXPECT_EQ(fs.driveLetters().join(QString()), QStringLiteral("CDEZ"));
    EXPECT_EQ(fs.programPath(kartA), QStringLiteral("E:\\"));
    EXPECT_TRUE(fs.canRead(foto));

    // Taken out: D: is a drive that is not there, E: stays.
    b.loesen();
    EXPECT_EQ(fs.driveLetters().join(QString()), QStringLiteral("CEZ"));
    EXPECT_FALSE(fs.canRead(foto));
    EXPECT_FALSE(fs.isFolder(QStringLiteral("D:\\")));
    EXPECT_EQ(fs.space(QStringLiteral("D:\\")).totalBytes, 0.0);
    EXPECT_EQ(fs.space(QStringLiteral("D:\\")).freeBytes, 0.0);
    EXPECT_EQ(fs.space(QStringLiteral("E:\\")).totalBytes, 1024.0 * 1024);

    // The next card takes the free letter D: again.
    ASSERT_TRUE(b.tmpfs(kartB, QStringLiteral("2m")));
    EXPECT_EQ(fs.driveLetters().join(QString()), QStringLiteral("CDEZ"));
    EXPECT_EQ(fs.programPath(kartB), QStringLiteral("D:\\"));
}

} // namespace
} // namespace mirbelon
