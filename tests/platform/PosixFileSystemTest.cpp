#include "tests/platform/PosixFileSystemTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon {
namespace {

TEST_F(PosixFileSystemTest, FindsOpensCopiesAndDeletesUnderAnotherSpelling)
{
    write(QStringLiteral("E/DCIM/100CANON/IMG_0001.JPG"), "jpeg data");
    const QString photo = QStringLiteral("E:\\Dcim\\100canon\\Img_0001.jpg");

    EXPECT_EQ(fs.hostPath(photo), host(QStringLiteral("E/DCIM/100CANON/IMG_0001.JPG")));
    EXPECT_TRUE(fs.exists(photo));
    EXPECT_TRUE(fs.canRead(photo));
    EXPECT_TRUE(fs.isFolder(QStringLiteral("e:\\dcim\\100CANON")));
    EXPECT_EQ(fs.size(photo), 9);
    EXPECT_EQ(fs.readAll(photo).value_or("<none>"), QByteArray("jpeg data"));

    EXPECT_FALSE(fs.copyFile(photo, QStringLiteral("C:\\Kopie.jpg"), false));
    EXPECT_EQ(read(QStringLiteral("C/Kopie.jpg")), QByteArray("jpeg data"));

    EXPECT_FALSE(fs.remove(photo));
    EXPECT_FALSE(QFile::exists(host(QStringLiteral("E/DCIM/100CANON/IMG_0001.JPG"))));
    EXPECT_FALSE(fs.exists(photo));
}

TEST_F(PosixFileSystemTest, ExactSpellingWinsOverOtherSpellings)
{
    write(QStringLiteral("E/a.jpg"), "small");
    write(QStringLiteral("E/A.JPG"), "LARGE");
    EXPECT_EQ(fs.readAll(QStringLiteral("E:\\a.jpg")).value_or(""), QByteArray("small"));
    EXPECT_EQ(fs.readAll(QStringLiteral("E:\\A.JPG")).value_or(""), QByteArray("LARGE"));
    EXPECT_TRUE(fs.exists(QStringLiteral("E:\\A.jpg"))); // one of the two, either will do
}

TEST_F(PosixFileSystemTest, NewNamesAreCreatedAsSpelledInsideExistingFolders)
{
    QDir().mkpath(host(QStringLiteral("E/DCIM")));
    EXPECT_FALSE(fs.makeFolder(QStringLiteral("E:\\Dcim\\Neu")));
    EXPECT_TRUE(QFileInfo(host(QStringLiteral("E/DCIM/Neu"))).isDir());
    EXPECT_FALSE(fs.writeAtomic(QStringLiteral("E:\\dcim\\neu\\Liste.txt"), "x"));
    EXPECT_EQ(read(QStringLiteral("E/DCIM/Neu/Liste.txt")), QByteArray("x"));
    EXPECT_EQ(fs.makeFolder(QStringLiteral("E:\\DCIM\\NEU")).nummer, 75);
    EXPECT_EQ(fs.makeFolder(QStringLiteral("E:\\Fehlt\\Neu")).nummer, 76);
}

TEST_F(PosixFileSystemTest, EveryCallSeesChangesMadeBehindItsBack)
{
    write(QStringLiteral("E/DCIM/IMG_1.JPG"), "1");
    EXPECT_FALSE(fs.exists(QStringLiteral("E:\\Dcim\\Img_2.jpg")));
    write(QStringLiteral("E/DCIM/IMG_2.JPG"), "2");
    EXPECT_TRUE(fs.exists(QStringLiteral("E:\\Dcim\\Img_2.jpg")));
    QFile::remove(host(QStringLiteral("E/DCIM/IMG_1.JPG")));
    EXPECT_FALSE(fs.exists(QStringLiteral("E:\\Dcim\\Img_1.jpg")));
    ASSERT_TRUE(fs.list(QStringLiteral("E:\\dcim")).has_value());
    EXPECT_EQ(fs.list(QStringLiteral("E:\\dcim"))->size(), 1);

    // The folder itself is replaced by one of another spelling.
    ASSERT_TRUE(QDir().rename(host(QStringLiteral("E/DCIM")), host(QStringLiteral("E/alt"))));
    write(QStringLiteral("E/dcim/IMG_3.JPG"), "3");
    EXPECT_TRUE(fs.exists(QStringLiteral("E:\\Dcim\\Img_3.jpg")));
    EXPECT_FALSE(fs.exists(QStringLiteral("E:\\Dcim\\Img_2.jpg")));
}

TEST_F(PosixFileSystemTest, ListGivesEntriesWithKindAndHiddenFlag)
{
    write(QStringLiteral("E/DCIM/IMG_1.JPG"), "1");
    write(QStringLiteral("E/.trashes"), "");
    const auto entries = fs.list(QStringLiteral("E:\\"));
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2);
    EXPECT_EQ(entries->at(0).name, QStringLiteral(".trashes"));
    EXPECT_TRUE(entries->at(0).isHidden);
    EXPECT_FALSE(entries->at(0).isFolder);
    EXPECT_EQ(entries->at(1).name, QStringLiteral("DCIM"));
    EXPECT_TRUE(entries->at(1).isFolder);
    EXPECT_FALSE(entries->at(1).isHidden);
    EXPECT_FALSE(fs.list(QStringLiteral("E:\\Fehlt")).has_value());
    EXPECT_FALSE(fs.list(QStringLiteral("Q:\\")).has_value());
}

TEST_F(PosixFileSystemTest, CopyWithoutOverwriteKeepsAnExistingTarget)
{
    write(QStringLiteral("E/neu.jpg"), "new");
    write(QStringLiteral("C/ziel.jpg"), "old");
    const Fehler f = fs.copyFile(QStringLiteral("E:\\neu.jpg"), QStringLiteral("C:\\ZIEL.JPG"),
                                 false);
    EXPECT_EQ(f.nummer, 58);
    EXPECT_EQ(f.quelle, QStringLiteral("Dateisystem"));
    EXPECT_EQ(read(QStringLiteral("C/ziel.jpg")), QByteArray("old"));
    EXPECT_EQ(names(QStringLiteral("C")), QStringList{QStringLiteral("ziel.jpg")});

    EXPECT_FALSE(fs.copyFile(QStringLiteral("E:\\neu.jpg"), QStringLiteral("C:\\ZIEL.JPG"),
                             true));
    EXPECT_EQ(read(QStringLiteral("C/ziel.jpg")), QByteArray("new"));
}

TEST_F(PosixFileSystemTest, CopyLeavesOnlyTheFinishedTarget)
{
    QByteArray big(5 * 1024 * 1024 + 17, 'x');
    big[12345] = 'y';
    write(QStringLiteral("E/big.mov"), big);
    EXPECT_FALSE(fs.copyFile(QStringLiteral("E:\\big.mov"), QStringLiteral("C:\\big.mov"), false));
    EXPECT_EQ(read(QStringLiteral("C/big.mov")), big);
    EXPECT_EQ(names(QStringLiteral("C")), QStringList{QStringLiteral("big.mov")});
}

TEST_F(PosixFileSystemTest, CopiesAreFlushedLaterEvenWhenOneHasGone)
{
    write(QStringLiteral("E/a.jpg"), "aaa");
    write(QStringLiteral("E/b.jpg"), "bbbb");
    EXPECT_FALSE(fs.copyFile(QStringLiteral("E:\\a.jpg"), QStringLiteral("C:\\a.jpg"), false));
    EXPECT_FALSE(fs.copyFile(QStringLiteral("E:\\b.jpg"), QStringLiteral("C:\\b.jpg"), false));
    // The final names hold whole copies at once, before any flush.
    EXPECT_EQ(read(QStringLiteral("C/a.jpg")), QByteArray("aaa"));
    EXPECT_EQ(names(QStringLiteral("C")), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
    ASSERT_EQ(::unlink(host(QStringLiteral("C/a.jpg")).toLocal8Bit().constData()), 0);
    EXPECT_EQ(fs.takeUnflushed().size(), 2);
    EXPECT_FALSE(fs.flush({host(QStringLiteral("C/a.jpg")), host(QStringLiteral("C/b.jpg"))}));
    EXPECT_TRUE(fs.takeUnflushed().isEmpty()) << "a second flush has nothing left to do";
    EXPECT_EQ(read(QStringLiteral("C/b.jpg")), QByteArray("bbbb"));
}

// Read back from the disk in large aligned pieces where the file system can;
// a file of any length, also one whose last piece is short of a block,
// reads back as the bytes the copy wrote, before and after its flush.
TEST_F(PosixFileSystemTest, ReadBackGivesTheBytesOfTheCopyWhateverItsLength)
{
    const qint64 chunk = 4 << 20;
    for (const qint64 laenge : {qint64(0), qint64(1), qint64(4095), qint64(4096), qint64(4097),
                                chunk - 1, chunk, chunk + 1, 2 * chunk + 12345}) {
        SCOPED_TRACE(laenge);
        QByteArray daten(laenge, Qt::Uninitialized);
        for (qint64 i = 0; i < laenge; ++i)
            daten[i] = char((i * 7 + laenge) & 0xff);
        write(QStringLiteral("E/q.jpg"), daten);
        const QString ziel = host(QStringLiteral("C/z%1.jpg").arg(laenge));
        const CopyResult kopie = fs.copyBytes(CopyOrder{QFile::encodeName(host(QStringLiteral("E/q.jpg"))),
                                                        ziel, false, {}},
                                              nullptr);
        ASSERT_FALSE(kopie.fehler);
        EXPECT_EQ(kopie.bytes, laenge);
        ByteProgress fortschritt;
        const ReadBack zurueck = fs.readBack(ziel, &fortschritt);
        EXPECT_FALSE(zurueck.fehler);
        EXPECT_EQ(zurueck.bytes, laenge);
        EXPECT_EQ(zurueck.hash, kopie.hash);
        EXPECT_EQ(fortschritt.done.load(), laenge);
        EXPECT_EQ(fortschritt.total.load(), laenge);
        EXPECT_FALSE(fs.flush({ziel}));
        EXPECT_EQ(fs.readBack(ziel, nullptr).hash, kopie.hash);
    }
    const ReadBack fehlt = fs.readBack(host(QStringLiteral("C/fehlt.jpg")), nullptr);
    EXPECT_EQ(fehlt.fehler.nummer, 53);
}

// Many files at once: their data is written out together, then each is synced.
TEST_F(PosixFileSystemTest, FlushOfManyFilesInSeveralFolders)
{
    QStringList dateien;
    for (int i = 0; i < 150; ++i) {
        const QString name = QStringLiteral("%1/f%2.jpg").arg(i % 2 ? QStringLiteral("C") : QStringLiteral("C/unter")).arg(i);
        write(name, QByteArray(1000 + i, 'a'));
        dateien << host(name);
    }
    dateien.insert(70, host(QStringLiteral("C/fehlt.jpg")));
    EXPECT_FALSE(fs.flush(dateien));
}

TEST_F(PosixFileSystemTest, FailedCopiesNameTheirCauseAndLeaveNothing)
{
    write(QStringLiteral("E/a.jpg"), "a");
    struct Fall
    {
        const char *name;
        QString source;
        QString target;
        int nummer;
    };
    const Fall faelle[] = {
        {"missing source", QStringLiteral("E:\\fehlt.jpg"), QStringLiteral("C:\\x.jpg"), 53},
        {"missing target folder", QStringLiteral("E:\\a.jpg"), QStringLiteral("C:\\Fehlt\\x.jpg"),
         76},
        {"unknown drive", QStringLiteral("E:\\a.jpg"), QStringLiteral("Q:\\x.jpg"), 68},
        {"folder as source", QStringLiteral("E:\\"), QStringLiteral("C:\\x.jpg"), 75},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(fs.copyFile(f.source, f.target, true).nummer, f.nummer);
    }
    EXPECT_TRUE(names(QStringLiteral("C")).isEmpty());
}

TEST_F(PosixFileSystemTest, CopyIntoAReadOnlyFolderFailsWithoutLeavingAFile)
{
    write(QStringLiteral("E/a.jpg"), "a");
    QDir().mkpath(host(QStringLiteral("C/Nur")));
    ::chmod(QFile::encodeName(host(QStringLiteral("E"))).constData(), 0755);
    ::chmod(QFile::encodeName(host(QStringLiteral("E/a.jpg"))).constData(), 0644);
    ::chmod(QFile::encodeName(host(QStringLiteral("C"))).constData(), 0755);
    ::chmod(QFile::encodeName(host(QStringLiteral("C/Nur"))).constData(), 0555);
    EXPECT_TRUE(withoutPrivileges([this] {
        return fs.copyFile(QStringLiteral("E:\\a.jpg"), QStringLiteral("C:\\Nur\\a.jpg"), false)
                   .nummer
               == 70;
    }));
    EXPECT_TRUE(names(QStringLiteral("C/Nur")).isEmpty());
}

TEST_F(PosixFileSystemTest, OnlyOurLeftoversOfEndedProgramsGoBeforeWeWriteIntoAFolder)
{
    const pid_t beendet = ::fork();
    if (beendet == 0)
        ::_exit(0);
    ::waitpid(beendet, nullptr, 0);
    const QString tot = QString::number(beendet);
    const QString lebt = QString::number(::getppid()); // another program of ours, still writing
    write(QStringLiteral("E/a.jpg"), "a");
    struct Fall
    {
        QString name;
        bool bleibt;
    };
    const Fall faelle[] = {
        {".a.jpg.Xy12Ab.p" + tot + ".mirbelon-part", false},
        {".Mirbelon.ini.Qw34Er.p" + tot + ".mirbelon-part", false},
        {".b.jpg.Xy12Ab.p" + lebt + ".mirbelon-part", true},
        {"b.jpg.Xy12Ab.p" + tot + ".mirbelon-part", true},
        {".c.jpg.Xy12Ab.p" + tot + ".mirbelon-part.jpg", true},
        {".d.jpg.Xy12Ab.pxy.mirbelon-part", true},
        {"Foto.jpg", true},
    };
    for (const Fall &f : faelle) {
        write(QStringLiteral("C/Archiv/") + f.name, "x");
        write(QStringLiteral("E/") + f.name, "x");
    }
    EXPECT_FALSE(fs.copyFile(QStringLiteral("E:\\a.jpg"), QStringLiteral("C:\\Archiv\\neu.jpg"), false));
    const QStringList archiv = names(QStringLiteral("C/Archiv"));
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name.toStdString());
        EXPECT_EQ(archiv.contains(f.name), f.bleibt);
        EXPECT_TRUE(names(QStringLiteral("E")).contains(f.name)) << "a folder only read from keeps all";
    }
    EXPECT_TRUE(archiv.contains(QStringLiteral("neu.jpg")));
}

TEST_F(PosixFileSystemTest, WriteAtomicLeavesAReadOnlyFileUnchanged)
{
    write(QStringLiteral("C/Mirbelon.ini"), "[Alt]\r\n");
    ::chmod(QFile::encodeName(host(QStringLiteral("C/Mirbelon.ini"))).constData(), 0444);
    const Fehler f = fs.writeAtomic(QStringLiteral("C:\\mirbelon.ini"), "[Neu]\r\n");
    EXPECT_EQ(f.nummer, 70);
    EXPECT_TRUE(f.beschreibung.startsWith(QStringLiteral("Zugriff verweigert: ")));
    EXPECT_EQ(read(QStringLiteral("C/Mirbelon.ini")), QByteArray("[Alt]\r\n"));
    EXPECT_EQ(names(QStringLiteral("C")), QStringList{QStringLiteral("Mirbelon.ini")});

    EXPECT_EQ(fs.writeAtomic(QStringLiteral("C:\\Fehlt\\x.ini"), "x").nummer, 76);
}

TEST_F(PosixFileSystemTest, WriteAtomicReplacesAndKeepsThePermissionBits)
{
    write(QStringLiteral("C/a.ini"), "alt");
    ::chmod(QFile::encodeName(host(QStringLiteral("C/a.ini"))).constData(), 0640);
    EXPECT_FALSE(fs.writeAtomic(QStringLiteral("C:\\A.ini"), "neu"));
    EXPECT_EQ(read(QStringLiteral("C/a.ini")), QByteArray("neu"));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(host(QStringLiteral("C/a.ini"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(names(QStringLiteral("C")), QStringList{QStringLiteral("a.ini")});
}

TEST_F(PosixFileSystemTest, AppendAddsToTheEndAndCreatesTheFile)
{
    EXPECT_FALSE(fs.append(QStringLiteral("C:\\Debug.txt"), "eins\r\n"));
    EXPECT_FALSE(fs.append(QStringLiteral("c:\\debug.TXT"), "zwei\r\n"));
    EXPECT_EQ(read(QStringLiteral("C/Debug.txt")), QByteArray("eins\r\nzwei\r\n"));
    EXPECT_EQ(fs.append(QStringLiteral("C:\\Fehlt\\Debug.txt"), "x").nummer, 76);
}

TEST_F(PosixFileSystemTest, ReadOnlyIsTheOwnersWriteBitAndProtectsFromDeletion)
{
    write(QStringLiteral("E/a.jpg"), "a");
    const QByteArray p = QFile::encodeName(host(QStringLiteral("E/a.jpg")));
    ::chmod(p.constData(), 0664);
    EXPECT_FALSE(fs.isReadOnly(QStringLiteral("E:\\A.jpg")));
    EXPECT_FALSE(fs.setReadOnly(QStringLiteral("E:\\A.jpg"), true));
    EXPECT_TRUE(fs.isReadOnly(QStringLiteral("E:\\A.jpg")));
    struct stat st;
    ::stat(p.constData(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0464u);

    EXPECT_EQ(fs.remove(QStringLiteral("E:\\a.jpg")).nummer, 75);
    EXPECT_TRUE(QFile::exists(host(QStringLiteral("E/a.jpg"))));

    EXPECT_FALSE(fs.setReadOnly(QStringLiteral("E:\\A.jpg"), false));
    ::stat(p.constData(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_FALSE(fs.remove(QStringLiteral("E:\\a.jpg")));
    EXPECT_EQ(fs.remove(QStringLiteral("E:\\a.jpg")).nummer, 53);
}

TEST_F(PosixFileSystemTest, ModifiedIsLocalTime)
{
    write(QStringLiteral("E/a.jpg"), "a");
    const QDateTime when(QDate(2023, 7, 14), QTime(15, 30, 12));
    QFile f(host(QStringLiteral("E/a.jpg")));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    f.close();
    const auto m = fs.modified(QStringLiteral("E:\\A.JPG"));
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->timeSpec(), Qt::LocalTime);
    EXPECT_EQ(*m, when);
    EXPECT_FALSE(fs.modified(QStringLiteral("E:\\fehlt.jpg")).has_value());
    EXPECT_EQ(fs.size(QStringLiteral("E:\\fehlt.jpg")), -1);
    EXPECT_EQ(fs.size(QStringLiteral("E:\\")), -1);
}

TEST_F(PosixFileSystemTest, SpaceOfARealDiskAndOfAnUnknownDrive)
{
    const DiskSpace real = fs.space(QStringLiteral("C:\\Noch\\Nicht\\Da"));
    EXPECT_GT(real.totalBytes, 0);
    EXPECT_GT(real.freeBytes, 0);
    EXPECT_LE(real.freeBytes, real.totalBytes);
    const DiskSpace none = fs.space(QStringLiteral("Q:\\"));
    EXPECT_EQ(none.totalBytes, 0);
    EXPECT_EQ(none.freeBytes, 0);
}

TEST_F(PosixFileSystemTest, ProgramPathsAndDriveLetters)
{
    EXPECT_EQ(fs.driveLetters(), (QStringList{"C", "E", "Z"}));
    EXPECT_EQ(fs.programPath(host(QStringLiteral("E/DCIM"))), QStringLiteral("E:\\DCIM"));
    EXPECT_EQ(fs.hostPath(QStringLiteral("E:\\")), host(QStringLiteral("E")));
    EXPECT_EQ(fs.hostPath(QStringLiteral("\\\\server\\share")), QString());
    EXPECT_EQ(fs.volumeLabel(QStringLiteral("E:")), QString()); // a plain folder has none
    EXPECT_EQ(fs.volumeLabel(QStringLiteral("Q:")), QString());
}

} // namespace
} // namespace mirbelon
