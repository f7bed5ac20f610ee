#include "platform/posix/PosixProfileFiles.h"

#include "tests/support/TestUmgebung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <gtest/gtest.h>

#include <QStringEncoder>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon {
namespace {

// Files in memory with time stamps the test sets, counting the reads, so the
// cache's rules can be checked without waiting for the clock.
class StampedFiles : public FileSystem
{
public:
    struct File
    {
        QByteArray data;
        QDateTime modified;
        quint64 inode = 0;
        qint64 changedNs = 0; // 0: when modified
    };

    QHash<QString, File> files;
    QDateTime nextStamp; // stamp of the next writeAtomic
    int reads = 0;

    QString hostPath(const QString &p) const override { return p; }
    QString programPath(const QString &p) const override { return p; }
    QByteArray hostFile(const FileRef &f) const override { return f.path.toUtf8(); }
    QStringList driveLetters() const override { return {QStringLiteral("C")}; }
    bool canRead(const FileRef &f) const override { return files.contains(f.path); }
    bool isFolder(const QString &p) const override { return p == QLatin1String("C:\\"); }
    bool exists(const QString &p) const override { return isFolder(p) || files.contains(p); }
    std::optional<FileId> id(const FileRef &) const override { return {}; }
    std::optional<QList<DirEntry>> list(const FileRef &) const override { return {}; }
    qint64 size(const FileRef &f) const override
    {
        return files.contains(f.path) ? files.value(f.path).data.size() : -1;
    }
    std::optional<QDateTime> modified(const FileRef &f) const override
    {
        if (!files.contains(f.path))
            return std::nullopt;
        return files.value(f.path).modified;
    }
    std::optional<FileStamp> stamp(const FileRef &r) const override
    {
        const QString &p = r.path;
        if (!files.contains(p))
            return std::nullopt;
        const File &f = files[p];
        const qint64 ms = f.modified.toMSecsSinceEpoch();
        return FileStamp{f.data.size(), ms, 1, f.inode, f.changedNs ? f.changedNs : ms * 1'000'000};
    }
    bool isReadOnly(const FileRef &) const override { return false; }
    Fehler setReadOnly(const FileRef &, bool) override { return {}; }
    Fehler makeFolder(const QString &) override { return {}; }
    Fehler remove(const FileRef &f) override
    {
        files.remove(f.path);
        return {};
    }
    Fehler removeListed(const FileRef &f, const FileStamp &) override { return remove(f); }
    bool mediumGone(const FileRef &, quint64) const override { return false; }
    Fehler copyFile(const FileRef &, const QString &, bool) override { return {}; }
    CopyResult copyBytes(const CopyOrder &, ByteProgress *) const override { return {}; }
    Fehler placeCopy(const QString &, const QString &) const override { return {}; }
    void dropCopy(const QString &) const override {}
    void noteCopy(const QString &) override {}
    QStringList takeUnflushed() override { return {}; }
    std::optional<FileStamp> hostStamp(const QByteArray &) const override { return std::nullopt; }
    Fehler flush(const QStringList &) const override { return {}; }
    ReadBack readBack(const QString &, ByteProgress *) const override { return {}; }
    std::optional<QByteArray> readAll(const FileRef &f) const override
    {
        ++const_cast<StampedFiles *>(this)->reads;
        if (!files.contains(f.path))
            return std::nullopt;
        return files.value(f.path).data;
    }
    Fehler writeAtomic(const QString &p, const QByteArray &data, bool) override
    {
        files.insert(p, File{data, nextStamp, ++lastInode});
        return {};
    }
    quint64 lastInode = 100;
    Fehler append(const QString &, const QByteArray &) override { return {}; }
    DiskSpace space(const QString &) const override { return {}; }
    QString volumeLabel(const QString &) const override { return {}; }
};

const QString kFile = QStringLiteral("C:\\Brenlo.ini");
const QString kSection = QStringLiteral("Allgemein");

QDateTime hourAgo()
{
    return QDateTime::currentDateTime().addSecs(-3600);
}

QString readX(PosixProfileFiles &profiles)
{
    return profiles.read(kFile, kSection, QStringLiteral("x"), QStringLiteral("-"));
}

TEST(PosixProfileFilesCache, UnchangedOldFileIsReadOnce)
{
    StampedFiles fs;
    fs.files.insert(kFile, {"[Allgemein]\r\nx=1\r\n", hourAgo()});
    PosixProfileFiles profiles(fs);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(readX(profiles), QStringLiteral("1"));
    EXPECT_EQ(fs.reads, 1);
}

TEST(PosixProfileFilesCache, ManyKeysAndSpellingsOfOneFileReadItOnce)
{
    StampedFiles fs;
    fs.files.insert(kFile, {"[Allgemein]\r\nx=1\r\ny=2\r\n", hourAgo()});
    PosixProfileFiles profiles(fs);
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(readX(profiles), QStringLiteral("1"));
        ASSERT_EQ(profiles.read(kFile, QStringLiteral("ALLGEMEIN"), QStringLiteral("Y"), {}),
                  QStringLiteral("2"));
        ASSERT_EQ(profiles.read(kFile, kSection, QStringLiteral("z"), QStringLiteral("f")),
                  QStringLiteral("f"));
    }
    EXPECT_EQ(fs.reads, 1);
}

TEST(PosixProfileFilesCache, ChangedSizeOrStampIsReadAgain)
{
    StampedFiles fs;
    const QDateTime old = hourAgo();
    fs.files.insert(kFile, {"[Allgemein]\r\nx=1\r\n", old});
    PosixProfileFiles profiles(fs);
    ASSERT_EQ(readX(profiles), QStringLiteral("1"));

    fs.files[kFile].data = "[Allgemein]\r\nx=22\r\n"; // same stamp, other size
    EXPECT_EQ(readX(profiles), QStringLiteral("22"));

    fs.files[kFile] = {"[Allgemein]\r\nx=33\r\n", old.addSecs(1)}; // same size, other stamp
    EXPECT_EQ(readX(profiles), QStringLiteral("33"));
    EXPECT_EQ(fs.reads, 3);
}

TEST(PosixProfileFilesCache, YoungStampIsNotTrusted)
{
    StampedFiles fs;
    // A whole-second stamp of just now: a change of the same size in the same
    // second keeps size and stamp.
    QDateTime now = QDateTime::currentDateTime();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    fs.files.insert(kFile, {"[Allgemein]\r\nx=1\r\n", now});
    PosixProfileFiles profiles(fs);
    ASSERT_EQ(readX(profiles), QStringLiteral("1"));
    fs.files[kFile].data = "[Allgemein]\r\nx=2\r\n";
    EXPECT_EQ(readX(profiles), QStringLiteral("2"));
}

TEST(PosixProfileFilesCache, OwnWriteIsKeptAndForeignChangeAfterItSeen)
{
    StampedFiles fs;
    fs.nextStamp = QDateTime::currentDateTime();
    if (fs.nextStamp.time().msec() == 0)
        fs.nextStamp = fs.nextStamp.addMSecs(1);
    PosixProfileFiles profiles(fs);
    ASSERT_TRUE(profiles.write(kFile, kSection, QStringLiteral("x"), QStringLiteral("1")));
    EXPECT_EQ(readX(profiles), QStringLiteral("1"));
    EXPECT_EQ(readX(profiles), QStringLiteral("1"));
    EXPECT_EQ(fs.reads, 0);

    fs.files[kFile] = {"[Allgemein]\r\nx=2\r\n", fs.nextStamp.addMSecs(5)};
    EXPECT_EQ(readX(profiles), QStringLiteral("2"));
}

TEST(PosixProfileFilesCache, WholeSecondStampOfOwnWriteIsNotTrusted)
{
    StampedFiles fs;
    fs.nextStamp = QDateTime::currentDateTime();
    fs.nextStamp.setTime(QTime(fs.nextStamp.time().hour(), fs.nextStamp.time().minute(),
                               fs.nextStamp.time().second()));
    PosixProfileFiles profiles(fs);
    ASSERT_TRUE(profiles.write(kFile, kSection, QStringLiteral("x"), QStringLiteral("1")));
    fs.files[kFile].data = "[Allgemein]\r\nx=2\r\n";
    EXPECT_EQ(readX(profiles), QStringLiteral("2"));
}

TEST(PosixProfileFilesCache, SameSizeAndTimeButAnotherFileOrChangeIsReadAgain)
{
    const struct
    {
        const char *fall;
        quint64 inode;
        qint64 changedNs;
    } faelle[] = {
        {"replaced by another file", 8, 0},
        {"changed within the same tick", 7, 1},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.fall);
        StampedFiles fs;
        const QDateTime old = hourAgo();
        fs.files.insert(kFile, {"[Allgemein]\r\nx=1\r\n", old, 7});
        PosixProfileFiles profiles(fs);
        ASSERT_EQ(readX(profiles), QStringLiteral("1"));
        const qint64 changed = fall.changedNs ? old.toMSecsSinceEpoch() * 1'000'000 + fall.changedNs : 0;
        fs.files[kFile] = {"[Allgemein]\r\nx=2\r\n", old, fall.inode, changed};
        EXPECT_EQ(readX(profiles), QStringLiteral("2"));
    }
}

TEST(PosixProfileFilesCache, ContentTakenSoonAfterItsStampStaysUntrustedLater)
{
    StampedFiles fs;
    // Read within the settling time of its stamp; by the next read that time
    // is over, but a change of the same size may have kept the stamp.
    fs.files.insert(kFile, {"[Allgemein]\r\nx=1\r\n", QDateTime::currentDateTime().addMSecs(-2900)});
    PosixProfileFiles profiles(fs);
    ASSERT_EQ(readX(profiles), QStringLiteral("1"));
    fs.files[kFile].data = "[Allgemein]\r\nx=2\r\n";
    QThread::msleep(200);
    EXPECT_EQ(readX(profiles), QStringLiteral("2"));
}

class PosixProfileFilesTest : public ::testing::Test
{
protected:
    test::TestUmgebung env;
    PosixProfileFiles &profiles = *env.profiles;
};

TEST_F(PosixProfileFilesTest, MissingFileGivesFallbackAndCreatesNothing)
{
    const QString file = QStringLiteral("C:\\Prg\\Mirbelon.ini");
    EXPECT_EQ(profiles.read(file, QStringLiteral("Mirbelon"), QStringLiteral("01"),
                            QStringLiteral("x")),
              QStringLiteral("x"));
    EXPECT_EQ(profiles.read(file, QStringLiteral("Mirbelon"), QStringLiteral("01"),
                            QStringLiteral("a b  ")),
              QStringLiteral("a b"));
    EXPECT_FALSE(QFileInfo::exists(env.host(file)));
}

TEST_F(PosixProfileFilesTest, MissingKeyGivesFallbackEmptyValueGivesEmpty)
{
    const QString file = QStringLiteral("C:\\Prg\\Mirbelon.ini");
    env.datei(file, "[Mirbelon]\r\nleer=\r\n");
    EXPECT_EQ(profiles.read(file, QStringLiteral("Mirbelon"), QStringLiteral("fehlt"),
                            QStringLiteral("x")),
              QStringLiteral("x"));
    EXPECT_EQ(profiles.read(file, QStringLiteral("Mirbelon"), QStringLiteral("leer"),
                            QStringLiteral("x")),
              QString());
}

TEST_F(PosixProfileFilesTest, LongValueAndLongFallbackAreCut)
{
    const QString file = QStringLiteral("C:\\Prg\\Mirbelon.ini");
    const QByteArray value(1200, 'v');
    env.datei(file, "[Mirbelon]\r\nlang=" + value + "\r\n");
    EXPECT_EQ(profiles.read(file, QStringLiteral("Mirbelon"), QStringLiteral("lang"), {}),
              QString(998, QLatin1Char('v')));
    EXPECT_EQ(profiles.read(file, QStringLiteral("Mirbelon"), QStringLiteral("fehlt"),
                            QString(1200, QLatin1Char('f'))),
              QString(998, QLatin1Char('f')));
}

TEST_F(PosixProfileFilesTest, WriteCreatesFileInWindows1252WithCrlf)
{
    const QString file = QStringLiteral("C:\\Prg\\Mirbelon.ini");
    ASSERT_TRUE(profiles.write(file, QStringLiteral("Kameras"), QStringLiteral("Größe"),
                               QStringLiteral("\u201CÄ\u201C")));
    ASSERT_TRUE(profiles.write(file, QStringLiteral("Kameras"), QStringLiteral("Nr"),
                               QStringLiteral("5")));
    EXPECT_EQ(env.inhalt(file), QByteArray("[Kameras]\r\nGr\xF6\xDF" "e=\x93\xC4\x93\r\nNr=5\r\n"));
    EXPECT_EQ(profiles.read(file, QStringLiteral("kameras"), QStringLiteral("größe"), {}),
              QStringLiteral("\u201CÄ\u201C"));
}

TEST_F(PosixProfileFilesTest, ForeignLfFileKeepsItsLinesAndBecomesCrlf)
{
    const QString file = QStringLiteral("C:\\Brenlo\\Brenlo.ini");
    env.datei(file, "; von Hand\n[Pfade]\nDirFotos = \"E:\\Bilder\"\n\nunsinn\n[Fehler]\nNr=5\n");
    EXPECT_EQ(profiles.read(file, QStringLiteral("pfade"), QStringLiteral("dirfotos"), {}),
              QStringLiteral("E:\\Bilder"));
    ASSERT_TRUE(profiles.write(file, QStringLiteral("Pfade"), QStringLiteral("DirFotosNr"),
                               QStringLiteral("7")));
    EXPECT_EQ(env.inhalt(file),
              QByteArray("; von Hand\r\n[Pfade]\r\nDirFotos = \"E:\\Bilder\"\r\nDirFotosNr=7\r\n"
                         "\r\nunsinn\r\n[Fehler]\r\nNr=5\r\n"));
}

TEST_F(PosixProfileFilesTest, ForeignWriteBetweenReadsIsSeen)
{
    const QString file = QStringLiteral("C:\\Brenlo\\Brenlo.ini");
    env.datei(file, "[Allgemein]\r\nx=1\r\n", hourAgo());
    EXPECT_EQ(profiles.read(file, kSection, QStringLiteral("x"), {}), QStringLiteral("1"));

    // Same size, written by another program with a plain file write.
    QFile other(env.host(file));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly | QIODevice::Truncate));
    other.write("[Allgemein]\r\nx=2\r\n");
    other.close();
    EXPECT_EQ(profiles.read(file, kSection, QStringLiteral("x"), {}), QStringLiteral("2"));

    // And right after a write of our own.
    ASSERT_TRUE(profiles.write(file, kSection, QStringLiteral("x"), QStringLiteral("3")));
    EXPECT_EQ(profiles.read(file, kSection, QStringLiteral("x"), {}), QStringLiteral("3"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly | QIODevice::Truncate));
    other.write("[Allgemein]\r\nx=44\r\n");
    other.close();
    EXPECT_EQ(profiles.read(file, kSection, QStringLiteral("x"), {}), QStringLiteral("44"));
}

TEST_F(PosixProfileFilesTest, ReadOnlyFileStaysUnchanged)
{
    const QString file = QStringLiteral("C:\\Prg\\Mirbelon.ini");
    const QByteArray before = "[Mirbelon]\r\nx=1\r\n";
    env.datei(file, before);
    ASSERT_TRUE(QFile::setPermissions(env.host(file), QFile::ReadOwner | QFile::ReadUser));
    EXPECT_FALSE(profiles.write(file, QStringLiteral("Mirbelon"), QStringLiteral("x"),
                                QStringLiteral("2")));
    EXPECT_EQ(env.inhalt(file), before);
    EXPECT_EQ(profiles.read(file, QStringLiteral("Mirbelon"), QStringLiteral("x"), {}),
              QStringLiteral("1"));
    QFile::setPermissions(env.host(file), QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(PosixProfileFilesTest, BatchWritesOnceAtItsEndAndReadsSeeItsWritesAtOnce)
{
    const QString file = QStringLiteral("C:\\Prg\\Mirbelon.ini");
    const QString sektion = QStringLiteral("Mirbelon");
    const QByteArray before = "; von Hand\r\n[Mirbelon]\r\nx=1\r\n";
    env.datei(file, before);
    {
        ProfileBatch aussen(profiles);
        EXPECT_TRUE(profiles.write(file, sektion, QStringLiteral("x"), QStringLiteral("2")));
        {
            ProfileBatch innen(profiles);
            profiles.write(file, QStringLiteral("Statistik_Summe"), QStringLiteral("Anzahl Sum"),
                           QStringLiteral("7"));
        }
        EXPECT_EQ(env.inhalt(file), before) << "nested batches write at the outer end";
        EXPECT_EQ(profiles.read(file, sektion, QStringLiteral("X"), {}), QStringLiteral("2"));
        EXPECT_EQ(profiles.read(file, QStringLiteral("statistik_summe"), QStringLiteral("anzahl sum"), {}),
                  QStringLiteral("7"));
        EXPECT_EQ(profiles.read(file, sektion, QStringLiteral("y"), QStringLiteral("f")),
                  QStringLiteral("f"));
    }
    EXPECT_EQ(env.inhalt(file),
              "; von Hand\r\n[Mirbelon]\r\nx=2\r\n[Statistik_Summe]\r\nAnzahl Sum=7\r\n");

    // A file that refuses writes refuses them in a batch too, and stays as it was.
    ASSERT_TRUE(QFile::setPermissions(env.host(file), QFile::ReadOwner | QFile::ReadUser));
    const QByteArray written = env.inhalt(file);
    {
        ProfileBatch batch(profiles);
        EXPECT_FALSE(profiles.write(file, sektion, QStringLiteral("x"), QStringLiteral("3")));
    }
    EXPECT_EQ(env.inhalt(file), written);
    QFile::setPermissions(env.host(file), QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(PosixProfileFilesTest, UnreadableFileIsNeverReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const QString file = QStringLiteral("C:\\Prg\\Fremd.ini");
    const QByteArray before = "[A]\r\nx=1\r\n";
    env.datei(file, before);
    ASSERT_TRUE(QFile::setPermissions(env.host(file), QFile::WriteOwner));
    EXPECT_EQ(profiles.read(file, QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("-")),
              QStringLiteral("-"));
    EXPECT_FALSE(profiles.write(file, QStringLiteral("A"), QStringLiteral("y"),
                                QStringLiteral("2")));
    QFile::setPermissions(env.host(file), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(env.inhalt(file), before);
}

TEST_F(PosixProfileFilesTest, FolderOfTheNameIsNoFile)
{
    env.ordner(QStringLiteral("C:\\Prg\\Ordner.ini"));
    EXPECT_EQ(profiles.read(QStringLiteral("C:\\Prg\\Ordner.ini"), QStringLiteral("A"),
                            QStringLiteral("x"), QStringLiteral("-")),
              QStringLiteral("-"));
    EXPECT_FALSE(profiles.write(QStringLiteral("C:\\Prg\\Ordner.ini"), QStringLiteral("A"),
                                QStringLiteral("x"), QStringLiteral("1")));
    EXPECT_TRUE(QFileInfo(env.host(QStringLiteral("C:\\Prg\\Ordner.ini"))).isDir());
}

TEST_F(PosixProfileFilesTest, WriteIntoMissingFolderFailsAndCreatesNothing)
{
    const QString file = QStringLiteral("C:\\Fehlt\\Mirbelon.ini");
    EXPECT_FALSE(profiles.write(file, QStringLiteral("Mirbelon"), QStringLiteral("x"),
                                QStringLiteral("1")));
    EXPECT_FALSE(QFileInfo::exists(env.host(QStringLiteral("C:\\Fehlt"))));
}

TEST_F(PosixProfileFilesTest, WriteAtDriveRootWorks)
{
    ASSERT_TRUE(profiles.write(QStringLiteral("E:\\Autorun.inf"), QStringLiteral("autorun"),
                               QStringLiteral("label"), QStringLiteral("Karte")));
    EXPECT_EQ(env.inhalt(QStringLiteral("E:\\Autorun.inf")),
              QByteArray("[autorun]\r\nlabel=Karte\r\n"));
}

TEST_F(PosixProfileFilesTest, FilesWithAByteOrderMarkAreReadAndKeepTheirEncoding)
{
    const QString file = QStringLiteral("C:\\Prg\\Foto.ini");
    const QString vorher = QStringLiteral("[Infos]\r\nKamera=Jürgen€\r\n");
    const QString nachher = QStringLiteral("[Infos]\r\nKamera=Jürgen€\r\nPostRun=Ω\r\n");
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    const struct
    {
        const char *fall;
        QByteArray bom;
        std::function<QByteArray(const QString &)> kodieren;
    } faelle[] = {
        {"UTF-16LE", QByteArray("\xFF\xFE", 2), [&](const QString &t) { return QByteArray(utf16(t)); }},
        {"UTF-8", QByteArray("\xEF\xBB\xBF"), [](const QString &t) { return t.toUtf8(); }},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.fall);
        env.datei(file, fall.bom + fall.kodieren(vorher), hourAgo());
        EXPECT_EQ(profiles.read(file, QStringLiteral("infos"), QStringLiteral("kamera"), {}),
                  QStringLiteral("Jürgen€"));
        ASSERT_TRUE(profiles.write(file, QStringLiteral("Infos"), QStringLiteral("PostRun"),
                                   QStringLiteral("Ω")));
        EXPECT_EQ(env.inhalt(file), fall.bom + fall.kodieren(nachher));
    }
}

TEST_F(PosixProfileFilesTest, BatchKeepsWhatAnotherProgramWroteMeanwhile)
{
    const QString file = QStringLiteral("C:\\Prg\\Mirbelon.ini");
    const QString sektion = QStringLiteral("Mirbelon");
    env.datei(file, "[Mirbelon]\r\nNr3=5\r\n", hourAgo());
    {
        ProfileBatch batch(profiles);
        profiles.update(file, sektion, QStringLiteral("Nr3"), [](const std::optional<QString> &alt) {
            return QString::number(alt.value_or(QString()).toInt() + 1);
        });
        env.datei(file, "[Mirbelon]\r\nNr3=7\r\nFremd=1\r\n");
    }
    EXPECT_EQ(env.inhalt(file), QByteArray("[Mirbelon]\r\nNr3=8\r\nFremd=1\r\n"));
}

TEST_F(PosixProfileFilesTest, FifoIsNeverOpened)
{
    const QString file = QStringLiteral("C:\\Prg\\Foto.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(env.host(file)).constData(), 0600), 0);
    EXPECT_EQ(profiles.read(file, QStringLiteral("Infos"), QStringLiteral("Kamera"),
                            QStringLiteral("-")),
              QStringLiteral("-"));
    EXPECT_FALSE(profiles.write(file, QStringLiteral("Infos"), QStringLiteral("Kamera"),
                                QStringLiteral("x")));
    EXPECT_FALSE(env.files->readAll(file));
    EXPECT_TRUE(QFileInfo(env.host(file)).exists());
    EXPECT_FALSE(QFileInfo(env.host(file)).isFile());
}

// The file found under another spelling is the one read, locked around and
// replaced; no second spelling appears beside it, and counting goes on in it.
TEST_F(PosixProfileFilesTest, FileOfAnotherSpellingIsTheOneReplaced)
{
    const QString ordner = env.laufwerk(QLatin1Char('C')) + QStringLiteral("/KARTEN");
    ASSERT_TRUE(QDir().mkpath(ordner));
    QFile f(ordner + QStringLiteral("/FOTO.INI"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Statistik]\r\nAnzahl=41\r\n");
    f.close();
    const QString file = QStringLiteral("C:\\Karten\\Foto.ini");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(profiles.update(file, QStringLiteral("Statistik"), QStringLiteral("Anzahl"),
            [](const std::optional<QString> &alt) {
                return QString::number(alt.value_or(QStringLiteral("0")).toInt() + 1);
            }));
    }
    EXPECT_EQ(QDir(ordner).entryList(QDir::Files | QDir::Hidden),
        QStringList { QStringLiteral("FOTO.INI") });
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[Statistik]\r\nAnzahl=44\r\n"));
    EXPECT_EQ(profiles.read(file, QStringLiteral("statistik"), QStringLiteral("anzahl"), {}),
        QStringLiteral("44"));
}

} // namespace
} // namespace mirbelon
