#include "platform/gphoto/KameraDateisystem.h"

#include "platform/posix/PosixFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

// The same photos on a folder card E: and, through libgphoto2's directory
// driver, on a camera that gets the next free letter.
class KameraDateisystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *o : {"C", "E/DCIM/100CANON", "K/DCIM/100CANON"})
            QDir().mkpath(wurzel.filePath(QString::fromLatin1(o)));
        for (const char *karte : {"E", "K"}) {
            for (int n = 1; n <= 3; ++n)
                schreiben(QStringLiteral("%1/DCIM/100CANON/IMG_000%2.JPG").arg(QLatin1String(karte)).arg(n),
                          QByteArray(1000 * n + 7, char('a' + n)));
        }
        basis = std::make_unique<PosixFileSystem>(DriveTable::parse(
            QStringLiteral("C=%1/C;E=%1/E").arg(wurzel.path())));
        files = std::make_unique<KameraDateisystem>(
            *basis, QStringList{QStringLiteral("disk:") + wurzel.filePath(QStringLiteral("K"))});
    }
    void schreiben(const QString &pfad, const QByteArray &inhalt)
    {
        QFile f(wurzel.filePath(pfad));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
        f.close();
        const QDateTime zeit(QDate(2024, 5, 1), QTime(12, 0, 0));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.setFileTime(zeit, QFileDevice::FileModificationTime);
    }
    QString kamera() const
    {
        for (const auto &[buchstabe, name] : files->media())
            if (name == QLatin1String("Directory Browse"))
                return QString(buchstabe) + QLatin1Char(':');
        return {};
    }

    QTemporaryDir wurzel;
    std::unique_ptr<PosixFileSystem> basis;
    std::unique_ptr<KameraDateisystem> files;
};

TEST_F(KameraDateisystemTest, CameraGetsNextFreeLetterWithItsModelAndLeavesWhenUnplugged)
{
    EXPECT_EQ(kamera(), "D:");
    EXPECT_TRUE(files->driveLetters().contains("D"));
    EXPECT_EQ(files->volumeLabel("D:\\"), "Directory Browse");
    QDir(wurzel.filePath("K")).removeRecursively();
    files->auffrischen();
    EXPECT_EQ(kamera(), "");
    EXPECT_FALSE(files->exists("D:\\DCIM"));
}

TEST_F(KameraDateisystemTest, ListsStampsAndCopiesAsTheSameFolderCard)
{
    const auto karte = files->list(FileRef("E:\\DCIM\\100CANON"));
    const auto kam = files->list(FileRef("d:\\dcim\\100canon")); // names without regard to case
    ASSERT_TRUE(karte && kam);
    ASSERT_EQ(karte->size(), kam->size());
    for (qsizetype i = 0; i < karte->size(); ++i) {
        SCOPED_TRACE(karte->at(i).name.toStdString());
        const DirEntry &k = karte->at(i);
        const auto gleich = std::find_if(kam->cbegin(), kam->cend(), [&](const DirEntry &e) { return e.name == k.name; });
        ASSERT_NE(gleich, kam->cend());
        const FileRef a(QStringLiteral("E:\\DCIM\\100CANON\\") + k.name, k.host);
        const FileRef b(QStringLiteral("D:\\DCIM\\100CANON\\") + k.name, gleich->host);
        EXPECT_EQ(files->programPath(QString::fromUtf8(gleich->host)), b.path);
        const auto sa = files->stamp(a);
        const auto sb = files->stamp(b);
        ASSERT_TRUE(sa && sb);
        EXPECT_EQ(sa->size, sb->size);
        EXPECT_EQ(sa->modifiedMs, sb->modifiedMs);
        EXPECT_EQ(files->readAll(a), files->readAll(b));

        const QString ziel = wurzel.filePath("C/") + k.name;
        ByteProgress fortschritt;
        const CopyResult ca = files->copyBytes(CopyOrder{k.host, ziel + ".a", false, *sa}, nullptr);
        const CopyResult cb = files->copyBytes(CopyOrder{gleich->host, ziel + ".b", false, *sb}, &fortschritt);
        ASSERT_FALSE(ca.fehler) << ca.fehler.beschreibung.toStdString();
        ASSERT_FALSE(cb.fehler) << cb.fehler.beschreibung.toStdString();
        EXPECT_EQ(ca.hash, cb.hash);
        EXPECT_EQ(cb.found, *sb);
        EXPECT_EQ(fortschritt.done.load(), sb->size);
        EXPECT_EQ(files->readBack(ziel + ".b", nullptr).hash, cb.hash);
        EXPECT_EQ(QFileInfo(ziel + ".b").lastModified(), QFileInfo(ziel + ".a").lastModified());
        bool gelesen = false;
        files->withLocalFile(gleich->host, [&](const QByteArray &lokal) {
            QFile f(QFile::decodeName(lokal));
            gelesen = f.open(QIODevice::ReadOnly) && f.readAll() == files->readAll(a);
        });
        EXPECT_TRUE(gelesen);
    }
}

// libgphoto2 keeps what it listed: a folder listed again is the camera as it
// is now, also when the walk starts below the folder first listed.
TEST_F(KameraDateisystemTest, AListingAskedForAgainShowsPhotosTakenMeanwhile)
{
    const auto namen = [&](const char *ordner) {
        QStringList n;
        for (const DirEntry &e : files->list(FileRef(ordner)).value_or(QList<DirEntry>{}))
            n << e.name;
        n.sort();
        return n;
    };
    ASSERT_EQ(namen("D:\\"), QStringList{"DCIM"});
    ASSERT_EQ(namen("D:\\DCIM\\100CANON").size(), 3);
    schreiben("K/DCIM/100CANON/IMG_0004.JPG", "neu");
    QFile::remove(wurzel.filePath("K/DCIM/100CANON/IMG_0001.JPG"));
    EXPECT_EQ(namen("D:\\DCIM\\100CANON"), QStringList({"IMG_0002.JPG", "IMG_0003.JPG", "IMG_0004.JPG"}));
    EXPECT_EQ(files->size(FileRef("D:\\DCIM\\100CANON\\IMG_0004.JPG")), 3);
    QDir().mkpath(wurzel.filePath("K/DCIM/101CANON"));
    schreiben("K/DCIM/101CANON/IMG_0005.JPG", "x");
    EXPECT_EQ(namen("D:\\DCIM"), QStringList({"100CANON", "101CANON"}));
    EXPECT_EQ(namen("D:\\DCIM\\101CANON"), QStringList{"IMG_0005.JPG"});
}

TEST_F(KameraDateisystemTest, DeletesOnlyTheListedFileAndTakesNoWrites)
{
    const FileRef foto("D:\\DCIM\\100CANON\\IMG_0001.JPG");
    const FileStamp stempel = *files->stamp(foto);
    FileStamp anders = stempel;
    anders.size += 1;
    EXPECT_TRUE(files->removeListed(foto, anders));
    EXPECT_TRUE(QFile::exists(wurzel.filePath("K/DCIM/100CANON/IMG_0001.JPG")));
    EXPECT_FALSE(files->removeListed(foto, stempel));
    EXPECT_FALSE(QFile::exists(wurzel.filePath("K/DCIM/100CANON/IMG_0001.JPG")));
    EXPECT_FALSE(files->exists(foto.path));

    struct Fall { const char *name; Fehler fehler; };
    const Fall faelle[] = {
        {"card file", files->writeAtomic("D:\\Mirbelon.txt", "x")},
        {"append", files->append("D:\\Autorun.inf", "x")},
        {"folder", files->makeFolder("D:\\Neu")},
        {"plain remove", files->remove(FileRef("D:\\DCIM\\100CANON\\IMG_0002.JPG"))},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(f.fehler.nummer, 70);
    }
    EXPECT_TRUE(QFile::exists(wurzel.filePath("K/DCIM/100CANON/IMG_0002.JPG")));
}

TEST_F(KameraDateisystemTest, UnpluggedMidRunCopiesAndDeletesNothing)
{
    const FileRef foto("D:\\DCIM\\100CANON\\IMG_0002.JPG");
    const FileStamp stempel = *files->stamp(foto);
    const QByteArray host = files->hostFile(foto);
    EXPECT_FALSE(files->mediumGone(foto, stempel.device));
    QDir(wurzel.filePath("K")).removeRecursively();
    EXPECT_TRUE(files->mediumGone(foto, stempel.device));
    const CopyResult c = files->copyBytes(CopyOrder{host, wurzel.filePath("C/x.jpg"), false, stempel}, nullptr);
    EXPECT_TRUE(c.fehler);
    EXPECT_FALSE(QFile::exists(wurzel.filePath("C/x.jpg")));
    EXPECT_TRUE(files->removeListed(foto, stempel));
    files->auffrischen();
    EXPECT_TRUE(files->mediumGone(foto, stempel.device));
}

} // namespace
} // namespace mirbelon
