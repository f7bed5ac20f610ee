#include "archive/Kopierlauf.h"
#include "archive/Loeschen.h"

#include "tests/archive/ArchivTest.h"
#include "tests/support/Einhaengung.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <functional>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon::test {
namespace {

// The deletion keeps to the very files that were listed and copied, keeps
// its records, and never waits on odd files.
class LoeschTreueTest : public ArchivTest
{
protected:
    QString bild(int n) const { return QString("E:\\Dcim\\Bild_%1.jpg").arg(n); }
    // Marked photos Bild_1.jpg ... copied by a run whose delete question was
    // answered Cancel.
    void kopierteKarte(int anzahl)
    {
        QList<std::pair<QString, QDateTime>> fotos;
        for (int n = 1; n <= anzahl; ++n)
            fotos.append({bild(n), zeit(14, 9, 0, 2 * n)});
        karte(fotos, std::vector<char>(fotos.size(), 1));
        env.dialogs.antworte(Answer::Cancel);
        mnuKopieren(ctx(), liste, fenster);
        env.dialogs.gezeigt.clear();
    }
    // A report box of the first photo: its archive copy reads back wrong.
    void archivVonBild1Kippen()
    {
        QFile f(env.host("C:\\Archiv\\2024_0314-090002.jpg"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(100);
        f.write("X");
    }
    // Runs `aenderung` once, at the first report box, when the work ahead is done.
    void beimErstenFehler(std::function<void()> aenderung)
    {
        env.dialogs.beimZeigen = [this, aenderung] {
            if (env.dialogs.gezeigt.last().titel != kFehlerTitel || gezeigt(kFehlerTitel) != 1)
                return;
            QThread::msleep(300);
            aenderung();
        };
    }
    int berichteUeber(const QString &text) const
    {
        int n = 0;
        for (const auto &g : env.dialogs.gezeigt)
            n += g.text.contains(text) ? 1 : 0;
        return n;
    }
    static void umbenennen(const QString &von, const QString &nach)
    {
        ASSERT_EQ(::rename(QFile::encodeName(von).constData(), QFile::encodeName(nach).constData()), 0);
    }
};

TEST_F(LoeschTreueTest, PhotoReplacedOrRewrittenAfterItsCopyIsKeptAndNamed)
{
    kopierteKarte(4);
    archivVonBild1Kippen();
    beimErstenFehler([this] {
        // Other bytes of the same size and time: a new file renamed over it,
        // and one written in place.
        const QString zwei = env.host(bild(2));
        const QDateTime alt = QFileInfo(zwei).lastModified();
        QFile neu(zwei + ".neu");
        ASSERT_TRUE(neu.open(QIODevice::WriteOnly));
        neu.write(QByteArray(int(QFileInfo(zwei).size()), 'N'));
        neu.setFileTime(alt, QFileDevice::FileModificationTime);
        neu.close();
        umbenennen(zwei + ".neu", zwei);
        QFile drei(env.host(bild(3)));
        ASSERT_TRUE(drei.open(QIODevice::ReadWrite));
        drei.write("NEU!!");
        drei.setFileTime(alt.addSecs(2), QFileDevice::FileModificationTime);
    });
    env.dialogs.antworte(Answer::No); // the copied ones
    mnuLoeschenAlle(ctx(), liste, fenster);
    env.dialogs.beimZeigen = {};

    EXPECT_TRUE(gibt(bild(1)));
    EXPECT_TRUE(env.inhalt(bild(2)).startsWith("NNNN"));
    EXPECT_TRUE(env.inhalt(bild(3)).startsWith("NEU!!"));
    EXPECT_FALSE(gibt(bild(4)));
    for (int n : {2, 3})
        EXPECT_EQ(berichteUeber("Die Datei »" + bild(n) + "« hat sich auf der Karte geändert"), 1) << n;
    EXPECT_EQ(gezeigt(kFehlerTitel), 3);
}

// The folder of the photos swapped for a link to one outside the card, or
// the card swapped for another with the same names, or pulled out: nothing
// but the listed files is deleted, each kept one is named, and a card that
// is gone is one report.
TEST_F(LoeschTreueTest, OnlyTheListedFilesAreDeletedAndAGoneCardIsOneReport)
{
    enum class Art { Verknuepfung, AndereKarte, Herausgezogen };
    for (const Art art : {Art::Verknuepfung, Art::AndereKarte, Art::Herausgezogen}) {
        SCOPED_TRACE(int(art));
        Einhaengung karteOrdner;
        const QString dcim = env.host("E:\\Dcim");
        QDir().mkpath(dcim);
        if (art != Art::Verknuepfung && !karteOrdner.tmpfs(dcim, "4m"))
            GTEST_SKIP() << "no mounts here";
        ctx().kopien.clear();
        QDir(env.host("C:\\Archiv")).removeRecursively();
        kopierteKarte(4);
        archivVonBild1Kippen();
        const QString aussen = env.host("C:\\Aussen");
        Einhaengung andere;
        bool gleichesGeraet = false;
        beimErstenFehler([&] {
            if (art == Art::Verknuepfung) {
                umbenennen(dcim, aussen);
                ASSERT_EQ(::symlink(QFile::encodeName(aussen).constData(), QFile::encodeName(dcim).constData()), 0);
                return;
            }
            struct stat vorher {};
            ::stat(QFile::encodeName(dcim).constData(), &vorher);
            ASSERT_EQ(::umount2(QFile::encodeName(dcim).constData(), MNT_DETACH), 0);
            if (art == Art::AndereKarte) {
                ASSERT_TRUE(andere.tmpfs(dcim, "4m"));
                struct stat nachher {};
                ::stat(QFile::encodeName(dcim).constData(), &nachher);
                gleichesGeraet = nachher.st_dev == vorher.st_dev;
                for (int n = 1; n <= 4; ++n)
                    env.datei(bild(n), "andere Karte");
            }
        });
        env.dialogs.antworte(Answer::No); // unanswered reports go on
        mnuLoeschenAlle(ctx(), liste, fenster);
        env.dialogs.beimZeigen = {};

        if (art == Art::Verknuepfung) {
            for (int n = 2; n <= 4; ++n) {
                EXPECT_TRUE(QFile::exists(aussen + QString("/Bild_%1.jpg").arg(n))) << n;
                EXPECT_EQ(berichteUeber("Bild_" + QString::number(n) + ".jpg« ist nicht mehr die"), 1) << n;
            }
            QFile::remove(dcim);
            umbenennen(aussen, dcim);
        } else if (art == Art::AndereKarte) {
            // Under the same device number each photo is another file; under
            // another one the card is gone. Which one the kernel gives varies.
            if (gleichesGeraet) {
                for (int n = 2; n <= 4; ++n)
                    EXPECT_EQ(berichteUeber("Die Datei »" + bild(n) + "« hat sich auf der Karte geändert"), 1) << n;
            } else {
                EXPECT_EQ(berichteUeber("Die Karte »E:« ist nicht mehr da oder wurde gewechselt"), 1);
            }
            for (int n = 1; n <= 4; ++n)
                EXPECT_EQ(env.inhalt(bild(n)), "andere Karte") << n;
        } else {
            EXPECT_EQ(gezeigt(kFehlerTitel), 1);
            EXPECT_EQ(berichteUeber("Die Karte »E:« ist nicht mehr da oder wurde gewechselt"), 1);
        }
        andere.loesen();
        env.dialogs.gezeigt.clear();
    }
}

// "Nein" after copying: a marked photo without an archive copy stays, and
// the question says beforehand what each answer deletes.
TEST_F(LoeschTreueTest, NoKeepsMarkedPhotosThatWereNotCopied)
{
    kopierteKarte(3);
    env.datei("E:\\Dcim\\Roh.cr2", "RAW", zeit(14, 9, 0, 9));
    QStringList pfade = liste.pfade();
    liste.setPfade(pfade << "E:\\Dcim\\Roh.cr2");
    liste.setMarken({1, 1, 1, 0});
    ctx().kopien.remove(env.files->hostFile(FileRef(bild(2)))); // its copy failed
    env.dialogs.antworte(Answer::No);
    mnuLoeschenAlle(ctx(), liste, fenster, true);

    ASSERT_GE(env.dialogs.gezeigt.size(), 2);
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.endsWith(
        "(abbrechen)\r\n\r\nJa: 4 Fotos, davon 2 nicht kopiert (*.jpg, *.cr2). Nein: 2 kopierte Fotos."))
        << env.dialogs.gezeigt.first().text.toStdString();
    EXPECT_FALSE(gibt(bild(1)) || gibt(bild(3)));
    EXPECT_TRUE(gibt(bild(2)) && gibt("E:\\Dcim\\Roh.cr2"));
    EXPECT_EQ(env.dialogs.gezeigt.last().text,
              "1 markiertes Foto bleibt auf der Karte: es wurde nicht ins Archiv kopiert.");
    EXPECT_EQ(env.dialogs.gezeigt.size(), 2);
}

// The menu deletes a recorded safety copy only by its exact name and while
// it is the file that was recorded.
TEST_F(LoeschTreueTest, MenuMatchesRecordsExactlyAndByTheirFiles)
{
    karte({{bild(1), zeit(14, 9, 0, 2)}, {bild(2), zeit(14, 9, 0, 4)}}, {1, 1});
    env.dialogs.antworte(Answer::No);
    mnuLoeschenAlle(ctx(), liste, fenster);
    ASSERT_TRUE(gibt("C:\\Tmp\\Bild_1.jpg") && gibt("C:\\Tmp\\Bild_2.jpg"));
    env.datei("C:\\Tmp\\BILD_1.JPG", "ein anderes Programm");
    // Our name, another file now.
    QFile::remove(env.host("C:\\Tmp\\Bild_2.jpg"));
    env.datei("C:\\Tmp\\Bild_2.jpg", "ersetzt");

    env.dialogs.gezeigt.clear();
    env.dialogs.antworte(Answer::Yes);
    mnuLoeschenTmp(ctx(), true);
    ASSERT_FALSE(env.dialogs.gezeigt.isEmpty());
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains("liegen 1 Sicherheitskopien"))
        << env.dialogs.gezeigt.first().text.toStdString();
    EXPECT_FALSE(gibt("C:\\Tmp\\Bild_1.jpg"));
    EXPECT_EQ(env.inhalt("C:\\Tmp\\BILD_1.JPG"), "ein anderes Programm");
    EXPECT_EQ(env.inhalt("C:\\Tmp\\Bild_2.jpg"), "ersetzt");
}

// Records that cannot be written stop the deletion before a photo goes;
// a start removes what a killed deletion was writing.
TEST_F(LoeschTreueTest, SafetyCopiesAreRecordedBeforeTheirPhotosGo)
{
    // A part file of a writer that has ended.
    env.datei("C:\\Tmp\\.Bild_3.jpg.abcdef.p999999.mirbelon-part", "halb");
    mnuLoeschenTmp(ctx(), false);
    EXPECT_FALSE(gibt("C:\\Tmp\\.Bild_3.jpg.abcdef.p999999.mirbelon-part"));

    karte({{bild(1), zeit(14, 9, 0, 2)}, {bild(2), zeit(14, 9, 0, 4)}}, {1, 1});
    env.datei("C:\\Tmp\\BrenloTemp.ini", "[Sicherheitskopien]\r\n");
    ASSERT_FALSE(env.files->setReadOnly("C:\\Tmp\\BrenloTemp.ini", true));
    env.dialogs.antworte(Answer::Yes);
    mnuLoeschenAlle(ctx(), liste, fenster);
    EXPECT_TRUE(gibt(bild(1)) && gibt(bild(2)));
    ASSERT_EQ(gezeigt(kFehlerTitel), 1);
    EXPECT_EQ(berichteUeber("lässt sich nicht in »C:\\Tmp\\BrenloTemp.ini« eintragen"), 1);

    // Writable again: the records name each copy and what tells it apart.
    ASSERT_FALSE(env.files->setReadOnly("C:\\Tmp\\BrenloTemp.ini", false));
    env.dialogs.antworte(Answer::Yes);
    mnuLoeschenAlle(ctx(), liste, fenster);
    const QString records = QString::fromUtf8(env.inhalt("C:\\Tmp\\BrenloTemp.ini"));
    EXPECT_TRUE(records.contains("Bild_1.jpg|") && records.contains("Bild_2.jpg|"))
        << records.toStdString();
    EXPECT_FALSE(gibt(bild(1)) || gibt(bild(2)));
}

// A FIFO named like a photo: the copy and the deletion go on past it, with
// one report each.
TEST_F(LoeschTreueTest, FifoNamedLikeAPhotoIsReportedOnceAndSkipped)
{
    karte({{bild(1), zeit(14, 9, 0, 2)}}, {1});
    ASSERT_EQ(::mkfifo(QFile::encodeName(env.host("E:\\Dcim\\Bild_0.jpg")).constData(), 0644), 0);
    liste.setPfade({"E:\\Dcim\\Bild_0.jpg", bild(1)});
    liste.setMarken({1, 1});
    env.dialogs.antworte(Answer::No);     // report: go on
    env.dialogs.antworte(Answer::Cancel); // no deletion after the copy
    mnuKopieren(ctx(), liste, fenster);
    EXPECT_EQ(berichteUeber("Bild_0.jpg« ist keine gewöhnliche Datei"), 1);
    EXPECT_TRUE(gibt("C:\\Archiv\\2024_0314-090002.jpg"));

    env.dialogs.gezeigt.clear();
    env.dialogs.antworte(Answer::Yes);
    mnuLoeschenAlle(ctx(), liste, fenster);
    EXPECT_EQ(berichteUeber("Bild_0.jpg« ist keine gewöhnliche Datei"), 1);
    EXPECT_FALSE(gibt(bild(1)));
}

// A read-only photo in a folder whose entries cannot change: the delete
// fails, and the photo is read-only again.
TEST_F(LoeschTreueTest, ReadOnlyPhotoWhoseDeleteFailsStaysReadOnly)
{
    karte({{bild(1), zeit(14, 9, 0, 2)}}, {1});
    ASSERT_FALSE(env.files->setReadOnly(bild(1), true));
    const QString ordner = env.host("E:\\Dcim");
    const auto chattr = [&](const char *wie) {
        return QProcess::execute("chattr", {wie, ordner}) == 0;
    };
    if (!chattr("+i"))
        GTEST_SKIP() << "no immutable folders here";
    env.dialogs.antworte(Answer::Yes);
    env.dialogs.antworte(Answer::Ok); // delete it all the same
    mnuLoeschenAlle(ctx(), liste, fenster);
    chattr("-i");
    EXPECT_TRUE(gibt(bild(1)));
    EXPECT_EQ(gezeigt(kFehlerTitel), 1);
    EXPECT_TRUE(env.files->isReadOnly(bild(1)));
}

} // namespace
} // namespace mirbelon::test
