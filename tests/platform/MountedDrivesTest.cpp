#include "platform/posix/PosixFileSystem.h"
#include "tests/support/Einhaengung.h"
#include "tests/text/QStringAusgabe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

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

// A device node for the file system mounted at `ordner`, linked as udev
// links a card's block device under /dev/disk.
bool geraeteLink(const QString &ordner, const QString &link)
{
    struct stat st;
    const QString knoten = QFileInfo(link).path() + QStringLiteral("/../../knoten-") + QFileInfo(link).fileName();
    QDir().mkpath(QFileInfo(link).path());
    return ::stat(QFile::encodeName(ordner).constData(), &st) == 0
           && ::mknod(QFile::encodeName(knoten).constData(), S_IFBLK | 0600, st.st_dev) == 0
           && QFile::link(knoten, link);
}

// A card keeps its letter when the program starts again with another card
// mounted whose name sorts first; a card with a UUID keeps it by that.
TEST(MountedDrives, CardsGetTheirKeptLettersAtTheNextStart)
{
    QTemporaryDir wurzel;
    const QString home = wurzel.path() + QStringLiteral("/home");
    const QString media = wurzel.path() + QStringLiteral("/media/anna");
    const QString eos = media + QStringLiteral("/EOS_DIGITAL");
    const QString alpha = media + QStringLiteral("/ALPHA CARD");
    const QString sd = media + QStringLiteral("/sdb1");
    const QString devDisk = wurzel.path() + QStringLiteral("/dev/disk");
    for (const QString &o : {home, eos, alpha, sd})
        QDir().mkpath(o);

    test::Einhaengung karten;
    if (!karten.tmpfs(eos, QStringLiteral("1m")))
        GTEST_SKIP() << "cannot mount a tmpfs here";
    DriveTable::Memory gemerkt;
    {
        const PosixFileSystem erster(std::make_shared<const MountedDrives>(home, QStringList{media}, devDisk));
        EXPECT_EQ(erster.programPath(eos), QStringLiteral("D:\\"));
        gemerkt = erster.letterMemory();
    }
    EXPECT_EQ(gemerkt, (DriveTable::Memory{{'D', "label:EOS_DIGITAL"}}));

    ASSERT_TRUE(karten.tmpfs(alpha, QStringLiteral("1m")));
    ASSERT_TRUE(karten.tmpfs(sd, QStringLiteral("1m")));
    ASSERT_TRUE(geraeteLink(sd, devDisk + QStringLiteral("/by-uuid/3A1F-0C22")));
    ASSERT_TRUE(geraeteLink(sd, devDisk + QStringLiteral("/by-label/Urlaub\\x20Juni")));
    gemerkt.insert(QLatin1Char('G'), QStringLiteral("uuid:3a1f-0c22"));

    PosixFileSystem zweiter(std::make_shared<const MountedDrives>(home, QStringList{media}, devDisk));
    EXPECT_EQ(zweiter.programPath(alpha), QStringLiteral("D:\\")) << "before the settings are read";
    zweiter.setLetterMemory(gemerkt);
    EXPECT_EQ(zweiter.programPath(eos), QStringLiteral("D:\\"));
    EXPECT_EQ(zweiter.programPath(alpha), QStringLiteral("E:\\"));
    EXPECT_EQ(zweiter.programPath(sd), QStringLiteral("G:\\"));
    const QList<QPair<QChar, QString>> erwartet{
        {'D', "EOS_DIGITAL"}, {'E', "ALPHA CARD"}, {'G', "Urlaub Juni"}};
    EXPECT_EQ(zweiter.media(), erwartet);
    EXPECT_EQ(zweiter.letterMemory().value(QLatin1Char('E')), QStringLiteral("label:ALPHA CARD"));
}

} // namespace
} // namespace mirbelon
