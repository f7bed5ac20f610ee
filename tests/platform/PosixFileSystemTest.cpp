#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/PosixProfileFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mirbelon {
namespace {

class PosixFileSystemTest : public ::testing::Test
{
protected:
    PosixFileSystemTest()
        : fs(DriveTable::parse(QStringLiteral("C=%1/C;E=%1/E").arg(root.path())))
    {
        QDir().mkpath(root.path() + QStringLiteral("/C"));
        QDir().mkpath(root.path() + QStringLiteral("/E"));
    }

    QString host(const QString &relative) const { return root.path() + QLatin1Char('/') + relative; }

    void write(const QString &relative, const QByteArray &data)
    {
        QDir().mkpath(QFileInfo(host(relative)).path());
        QFile f(host(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
    }

    QByteArray read(const QString &relative) const
    {
        QFile f(host(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QStringList names(const QString &relative) const
    {
        return QDir(host(relative)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                              | QDir::NoDotAndDotDot, QDir::Name);
    }

    // Runs `check` where folder permissions count: as root in a child process
    // that has become the ordinary user `uid`, otherwise directly.
    bool withoutPrivileges(const std::function<bool()> &check, uid_t uid = 65534)
    {
        if (::geteuid() != 0)
            return check();
        ::chmod(QFile::encodeName(root.path()).constData(), 0777);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const bool ok = ::setgid(uid) == 0 && ::setuid(uid) == 0 && check();
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    QTemporaryDir root;
    PosixFileSystem fs;
};

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

namespace mirbelon {
namespace {

TEST_F(PosixFileSystemTest, ReadableSizesAgreeWithSingleCallsFolderByFolder)
{
    write(QStringLiteral("E/DCIM/100CANON/IMG_0001.JPG"), "123");
    write(QStringLiteral("E/DCIM/100CANON/IMG_0002.JPG"), "12345");
    write(QStringLiteral("E/DCIM/101CANON/IMG_0003.JPG"), "1");
    write(QStringLiteral("E/Wurzel.jpg"), "1234");
    write(QStringLiteral("E/DCIM/100CANON/Gesperrt.jpg"), "12");
    ::chmod(QFile::encodeName(host(QStringLiteral("E/DCIM/100CANON/Gesperrt.jpg"))).constData(), 0);
    const QList<FileRef> pfade{QStringLiteral("E:\\Dcim\\100canon\\Img_0001.jpg"),
                            QStringLiteral("E:\\Dcim\\100canon\\Fehlt.jpg"),
                            QStringLiteral("E:\\Dcim\\100canon\\Img_0002.jpg"),
                            QStringLiteral("E:\\Dcim\\101canon\\Img_0003.jpg"),
                            QStringLiteral("E:\\Dcim\\100canon\\Gesperrt.jpg"),
                            QStringLiteral("E:\\Dcim\\100canon"),
                            QStringLiteral("E:\\Dcim\\FehltAuch\\x.jpg"),
                            QStringLiteral("E:\\Wurzel.jpg"),
                            QStringLiteral("Q:\\x.jpg")};
    QList<qint64> einzeln;
    for (const FileRef &p : pfade)
        einzeln.append(fs.canRead(p) ? fs.size(p) : -1);
    EXPECT_EQ(fs.readableSizes(pfade), einzeln);
    EXPECT_EQ(fs.readableSizes(pfade).first(4), (QList<qint64>{3, -1, 5, 1}));
    EXPECT_EQ(fs.readableSizes(pfade).at(7), 4);
}

TEST_F(PosixFileSystemTest, ReadableSizesSeeAFileChangedBehindTheirBack)
{
    write(QStringLiteral("E/DCIM/IMG_0001.JPG"), "123");
    const QList<FileRef> pfade{QStringLiteral("E:\\Dcim\\Img_0001.jpg"),
                            QStringLiteral("E:\\Dcim\\Img_0002.jpg")};
    EXPECT_EQ(fs.readableSizes(pfade), (QList<qint64>{3, -1}));
    write(QStringLiteral("E/DCIM/IMG_0001.JPG"), "123456");
    write(QStringLiteral("E/DCIM/IMG_0002.JPG"), "12");
    EXPECT_EQ(fs.readableSizes(pfade), (QList<qint64>{6, 2}));
}

TEST_F(PosixFileSystemTest, StampIsSizeAndTimeOfRegularFilesOnly)
{
    write(QStringLiteral("C/a.ini"), "12345");
    const auto stempel = fs.stamp(QStringLiteral("C:\\A.INI"));
    ASSERT_TRUE(stempel);
    EXPECT_EQ(stempel->size, 5);
    EXPECT_EQ(stempel->modifiedMs, fs.modified(QStringLiteral("C:\\a.ini"))->toMSecsSinceEpoch());
    EXPECT_FALSE(fs.stamp(QStringLiteral("C:\\fehlt.ini")));
    QDir().mkpath(host(QStringLiteral("C/Ordner")));
    EXPECT_FALSE(fs.stamp(QStringLiteral("C:\\Ordner")));
}

// Sizes taken for a user of its own: where the owner's bits decide, the
// stat alone answers; a file of another user or without the owner's read
// bit is asked of the system, as canRead() asks it.
TEST_F(PosixFileSystemTest, ReadableSizesAgreeWithCanReadForOwnAndForeignFiles)
{
    write(QStringLiteral("E/DCIM/FREMD.JPG"), "123");
    write(QStringLiteral("E/DCIM/FREMDGESPERRT.JPG"), "1234");
    const QByteArray ordner = QFile::encodeName(host(QStringLiteral("E/DCIM")));
    ::chmod(QFile::encodeName(host(QStringLiteral("E/DCIM/FREMDGESPERRT.JPG"))).constData(), 0600);
    ::chmod(QFile::encodeName(root.path()).constData(), 0777);
    ::chmod(QFile::encodeName(host(QStringLiteral("E"))).constData(), 0777);
    ::chmod(ordner.constData(), 0777);
    const auto pruefen = [&] {
        const auto anlegen = [&](const char *name, mode_t mode) {
            const QByteArray pfad = ordner + '/' + name;
            const int fd = ::open(pfad.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const bool ok = fd >= 0 && ::write(fd, "12345", 5) == 5 && ::close(fd) == 0;
            return ok && ::chmod(pfad.constData(), mode) == 0;
        };
        if (!anlegen("EIGEN.JPG", 0644) || !anlegen("OHNELESEN.JPG", 0200)
            || !anlegen("NURANDERE.JPG", 0044))
            return false;
        PosixFileSystem eigenes(DriveTable::parse(QStringLiteral("E=%1/E").arg(root.path())));
        const QList<FileRef> dateien { QStringLiteral("E:\\Dcim\\Eigen.jpg"),
            QStringLiteral("E:\\Dcim\\Ohnelesen.jpg"), QStringLiteral("E:\\Dcim\\Nurandere.jpg"),
            QStringLiteral("E:\\Dcim\\Fremd.jpg"), QStringLiteral("E:\\Dcim\\Fremdgesperrt.jpg"),
            QStringLiteral("E:\\Dcim\\Fehlt.jpg"),
            FileRef(QStringLiteral("E:\\x.jpg"), ordner + "/EIGEN.JPG"),
            FileRef(QStringLiteral("E:\\y.jpg"), ordner + "/OHNELESEN.JPG") };
        QList<qint64> einzeln;
        for (const FileRef &d : dateien)
            einzeln.append(eigenes.canRead(d) ? eigenes.size(d) : -1);
        const QList<qint64> zusammen = eigenes.readableSizes(dateien);
        const bool wieErwartet
            = ::geteuid() == 0 || einzeln == QList<qint64> { 5, -1, -1, 3, -1, -1, 5, -1 };
        return zusammen == einzeln && wieErwartet;
    };
    // As root, in a child that has become a user of its own (not "nobody").
    EXPECT_TRUE(withoutPrivileges(pruefen, 4242));
}

TEST_F(PosixFileSystemTest, StateAndStampedWriteTellWhatSingleCallsTell)
{
    write(QStringLiteral("C/A.ini"), "alt");
    QDir().mkpath(host(QStringLiteral("C/Ordner")));
    for (const QString &pfad : { QStringLiteral("C:\\a.ini"), QStringLiteral("C:\\ordner"),
             QStringLiteral("C:\\fehlt.ini") }) {
        SCOPED_TRACE(pfad.toStdString());
        const FileSystem::State s = fs.state(pfad);
        EXPECT_EQ(s.exists, fs.exists(pfad));
        EXPECT_EQ(s.readOnly, fs.isReadOnly(pfad));
        EXPECT_EQ(s.stamp, fs.stamp(pfad));
    }
    ::chmod(QFile::encodeName(host(QStringLiteral("C/A.ini"))).constData(), 0444);
    EXPECT_TRUE(fs.state(QStringLiteral("C:\\a.ini")).readOnly);
    ::chmod(QFile::encodeName(host(QStringLiteral("C/A.ini"))).constData(), 0644);

    std::optional<FileStamp> geschrieben;
    EXPECT_FALSE(fs.writeAtomicStamped(QStringLiteral("C:\\a.ini"), "neu!", false, geschrieben));
    ASSERT_TRUE(geschrieben);
    EXPECT_EQ(geschrieben, fs.stamp(QStringLiteral("C:\\a.ini")));
    EXPECT_EQ(geschrieben->size, 4);
    EXPECT_EQ(read(QStringLiteral("C/A.ini")), QByteArray("neu!"));

    // The host file given is the one written, whatever the program path says.
    const FileRef anders(
        QStringLiteral("C:\\b.ini"), QFile::encodeName(host(QStringLiteral("C/A.ini"))));
    EXPECT_FALSE(fs.writeAtomicStamped(anders, "anders", false, geschrieben));
    EXPECT_EQ(read(QStringLiteral("C/A.ini")), QByteArray("anders"));
    EXPECT_EQ(geschrieben, fs.stamp(QStringLiteral("C:\\a.ini")));
    EXPECT_EQ(names(QStringLiteral("C")),
        (QStringList { QStringLiteral("A.ini"), QStringLiteral("Ordner") }));

    EXPECT_EQ(
        fs.writeAtomicStamped(QStringLiteral("C:\\Fehlt\\x.ini"), "x", false, geschrieben).nummer,
        76);
    EXPECT_FALSE(geschrieben);
}

// A folder listed first (names not looked up yet) and then written into
// still resolves every name in any spelling, before and after a look-up.
TEST_F(PosixFileSystemTest, SettingsFileTheUserMayWriteInAFolderHeMayNotIsWrittenInPlace)
{
    // A shared file in a system folder: the folder is root's, the file everyone's.
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give the folder away";
    write(QStringLiteral("C/System/Brenlo.ini"), "[Pfade]\r\nTmpSrv=alt\r\n");
    const QByteArray ordner = QFile::encodeName(host(QStringLiteral("C/System")));
    const QByteArray datei = ordner + "/Brenlo.ini";
    ::chmod(ordner.constData(), 0755);
    ::chmod(datei.constData(), 0666);
    struct stat vorher;
    ASSERT_EQ(::stat(datei.constData(), &vorher), 0);
    const QString drives = QStringLiteral("C=%1/C").arg(root.path());
    const auto schreiben = [&drives] {
        PosixFileSystem eigenes(DriveTable::parse(drives));
        PosixProfileFiles profile(eigenes);
        const QString pfad = QStringLiteral("C:\\System\\Brenlo.ini");
        return profile.write(pfad, QStringLiteral("Pfade"), QStringLiteral("TmpSrv"), QStringLiteral("neu"))
               && profile.read(pfad, QStringLiteral("Pfade"), QStringLiteral("TmpSrv"), {}) == QLatin1String("neu");
    };
    EXPECT_TRUE(withoutPrivileges(schreiben, 4242));
    EXPECT_EQ(read(QStringLiteral("C/System/Brenlo.ini")), QByteArray("[Pfade]\r\nTmpSrv=neu\r\n"));
    EXPECT_EQ(names(QStringLiteral("C/System")), QStringList{QStringLiteral("Brenlo.ini")});
    struct stat nachher;
    ASSERT_EQ(::stat(datei.constData(), &nachher), 0);
    EXPECT_EQ(nachher.st_ino, vorher.st_ino);
    EXPECT_EQ(nachher.st_mode, vorher.st_mode);
}

TEST_F(PosixFileSystemTest, NamesOfAListedFolderResolveAfterOwnWrites)
{
    write(QStringLiteral("E/DCIM/IMG_0001.JPG"), "1");
    write(QStringLiteral("E/DCIM/Sub/x.jpg"), "x");
    ASSERT_TRUE(fs.list(QStringLiteral("E:\\dcim")).has_value());
    EXPECT_FALSE(fs.writeAtomic(QStringLiteral("E:\\dcim\\NEU.ini"), "n"));
    EXPECT_EQ(
        fs.hostPath(QStringLiteral("E:\\Dcim\\neu.INI")), host(QStringLiteral("E/DCIM/NEU.ini")));
    EXPECT_EQ(fs.hostPath(QStringLiteral("E:\\Dcim\\img_0001.jpg")),
        host(QStringLiteral("E/DCIM/IMG_0001.JPG")));
    EXPECT_TRUE(fs.isFolder(QStringLiteral("E:\\Dcim\\SUB")));
    // Now with the names known: another write, and a removal.
    EXPECT_FALSE(fs.writeAtomic(QStringLiteral("E:\\dcim\\Zwei.ini"), "z"));
    EXPECT_EQ(
        fs.hostPath(QStringLiteral("E:\\Dcim\\ZWEI.ini")), host(QStringLiteral("E/DCIM/Zwei.ini")));
    EXPECT_FALSE(fs.remove(QStringLiteral("E:\\dcim\\neu.ini")));
    EXPECT_FALSE(fs.exists(QStringLiteral("E:\\Dcim\\Neu.ini")));
    EXPECT_EQ(fs.list(QStringLiteral("E:\\dcim"))->size(), 3); // IMG_0001.JPG, Sub, Zwei.ini
}

// A long list of host files across folders: the sizes come back in the
// list's order, as single calls give them.
TEST_F(PosixFileSystemTest, LongListsOfHostFilesAreSizedInTheirOrder)
{
    QList<FileRef> dateien;
    for (int o = 0; o < 4; ++o) {
        for (int k = 0; k < 300; ++k) {
            const QString name = QStringLiteral("E/DCIM/%1CANON/IMG_%2.JPG")
                                     .arg(100 + o)
                                     .arg(k, 4, 10, QLatin1Char('0'));
            write(name, QByteArray(k % 17, 'x'));
            dateien.append(FileRef(QStringLiteral("E:\\x.jpg"), QFile::encodeName(host(name))));
        }
    }
    // Gone, a folder, a name in another folder between, and one without its host.
    QFile::remove(host(QStringLiteral("E/DCIM/101CANON/IMG_0007.JPG")));
    dateien[10] = FileRef(
        QStringLiteral("E:\\x.jpg"), QFile::encodeName(host(QStringLiteral("E/DCIM/102CANON"))));
    dateien.insert(500, dateien.at(1100));
    dateien.append(FileRef(QStringLiteral("E:\\fehlt\\x.jpg"),
        QFile::encodeName(host(QStringLiteral("E/fehlt/x.jpg")))));
    QList<qint64> einzeln;
    for (const FileRef &d : dateien)
        einzeln.append(fs.canRead(d) ? fs.size(d) : -1);
    ASSERT_EQ(fs.readableSizes(dateien), einzeln);
    EXPECT_EQ(einzeln.at(10), -1);
    EXPECT_EQ(einzeln.at(307), -1);
    EXPECT_EQ(einzeln.at(500), einzeln.at(1101));
    EXPECT_EQ(einzeln.last(), -1);
}

} // namespace
} // namespace mirbelon
