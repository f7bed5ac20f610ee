#include "tests/platform/PosixFileSystemTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
