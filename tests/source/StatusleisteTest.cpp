#include "tests/source/QuelleTest.h"

#include "source/KarteEntfernt.h"
#include "source/Statusleiste.h"
#include "tools/Musterbilder.h"

#include <QFile>

#include <QDir>

namespace mirbelon::test {

namespace {

class StatusleisteTest : public QuelleTest
{
protected:
    void tick()
    {
        HinweiseTick(ctx(), liste, fenster, [this](int index) {
            gefragt << index;
            return QStringLiteral("2024_0315-%1").arg(index);
        });
    }

    QList<int> gefragt;
};

TEST_F(StatusleisteTest, CountsMarkedAndAllPhotos)
{
    QStringList pfade;
    for (int i = 0; i < 10; ++i) {
        pfade << QStringLiteral("E:\\Img_%1.jpg").arg(i);
        env.datei(pfade.last());
    }
    liste.setPfade(pfade);
    liste.setMarken({ 1, 0, 1, 0, 0, 0, 1, 0, 0, 0 });
    fenster.quelleOhneReaktion(QStringLiteral("E:\\"));
    fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Kopiere: E:\\Img_0.jpg"));
    tick();

    EXPECT_EQ(fenster.panel(QStringLiteral("Status")), QStringLiteral("Bereit"));
    EXPECT_EQ(fenster.panel(QStringLiteral("Bilder")), QStringLiteral(" Bilder: 3 (10) "));
    EXPECT_EQ(fenster.panel(QStringLiteral("DateiInfos")), QStringLiteral(" Kein Foto gewählt "));
    EXPECT_TRUE(gefragt.isEmpty());
    // A real disk has room on it.
    EXPECT_NE(fenster.panel(QStringLiteral("Speicherkarte")),
        QStringLiteral(" Speicherkarte: 0 B (0 B) "));
    EXPECT_GT(PlatzGesamt(ctx(), QStringLiteral("E:\\")), 0);
    EXPECT_GE(PlatzGesamt(ctx(), QStringLiteral("E:\\")), PlatzFrei(ctx(), QStringLiteral("E:\\")));

    // A tick while a copy run waits for a large file leaves its text.
    ctx().lauf = Lauf::Kopieren;
    fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Kopiere: E:\\Img_0.jpg"));
    tick();
    EXPECT_EQ(fenster.panel(QStringLiteral("Status")), QStringLiteral("Kopiere: E:\\Img_0.jpg"));
    ctx().lauf = Lauf::Keiner;
}

// Once its preview has read the header, a film says how long it runs.
TEST_F(StatusleisteTest, FilmShowsItsRunningTimeBesideItsName)
{
    const QString film = QStringLiteral("E:\\Mvi_0001.mp4");
    const QString foto = QStringLiteral("E:\\Mvi_0002.jpg");
    const QString avchd = QStringLiteral("E:\\Mvi_0003.m2ts");
    env.ordner(QStringLiteral("E:\\"));
    ASSERT_TRUE(muster::FilmMitFfmpeg(QFile::encodeName(env.host(film)), muster::RotOberBlau(64, 48)));
    ASSERT_TRUE(muster::FilmMitFfmpeg(QFile::encodeName(env.host(avchd)), muster::RotOberBlau(64, 48)));
    env.datei(foto, bild(64, 48));
    fenster.vorschauOhneReaktion(true);
    liste.setPfade({ film, foto, avchd });
    const int vorher = fenster.timerHinweise;
    liste.setAktuell(0);
    bildAbwarten();
    EXPECT_GT(fenster.timerHinweise, vorher + 1);
    tick();
    EXPECT_EQ(fenster.panel(QStringLiteral("DateiInfos")), QStringLiteral(" 2024_0315-0 (Film, 1 Sek) "));
    liste.setAktuell(1);
    bildAbwarten();
    tick();
    EXPECT_EQ(fenster.panel(QStringLiteral("DateiInfos")), QStringLiteral(" 2024_0315-1 "));
    // MPEG-TS keeps no running time in a header: a film all the same.
    liste.setAktuell(2);
    bildAbwarten();
    tick();
    EXPECT_EQ(fenster.panel(QStringLiteral("DateiInfos")), QStringLiteral(" 2024_0315-2 (Film) "));
}

TEST_F(StatusleisteTest, EmptyListAndNoDisk)
{
    fenster.quelleOhneReaktion(QStringLiteral("Q:\\"));
    tick();
    EXPECT_EQ(fenster.panel(QStringLiteral("Bilder")), QStringLiteral(" Bilder: 0 (0) "));
    EXPECT_EQ(fenster.panel(QStringLiteral("Bytes")), QStringLiteral(" Bytes: 0 B (0 B) "));
    EXPECT_EQ(fenster.panel(QStringLiteral("Speicherkarte")),
        QStringLiteral(" Speicherkarte: 0 B (0 B) "));
    EXPECT_EQ(fenster.panel(QStringLiteral("DateiInfos")), QStringLiteral(" Kein Foto gewählt "));
    EXPECT_EQ(PlatzFrei(ctx(), QString()), 0);
}

TEST_F(StatusleisteTest, SizesLeaveMissingFilesOut)
{
    const QStringList pfade { QStringLiteral("E:\\A.jpg"), QStringLiteral("E:\\B.jpg"),
        QStringLiteral("E:\\C.jpg"), QStringLiteral("E:\\D.jpg"), QStringLiteral("E:\\Weg.jpg") };
    for (int i = 0; i < 4; ++i)
        env.datei(pfade.at(i), QByteArray(512, 'x'));
    liste.setPfade(pfade);
    liste.setMarken({ 1, 0, 1, 1, 1 });
    tick();
    EXPECT_EQ(fenster.panel(QStringLiteral("Bytes")), QStringLiteral(" Bytes: 1,5 KiB (2,0 KiB) "));
    EXPECT_EQ(fenster.panel(QStringLiteral("Bilder")), QStringLiteral(" Bilder: 4 (5) "));
}

TEST_F(StatusleisteTest, CurrentPhotoShowsItsArchiveNameOnlyWhenItIsThere)
{
    liste10({ 0, 0, 0, 0 });
    env.datei(liste.pfad(2));
    liste.setAktuell(2);
    tick();
    EXPECT_EQ(fenster.panel(QStringLiteral("DateiInfos")), QStringLiteral(" 2024_0315-2 "));
    EXPECT_EQ(gefragt, QList<int> { 2 });

    // A name from no date would be one of 30.12.1899.
    liste.setAktuell(3);
    tick();
    EXPECT_EQ(fenster.panel(QStringLiteral("DateiInfos")), QStringLiteral(" Foto nicht vorhanden "));
    EXPECT_EQ(gefragt, QList<int> { 2 });
}

// The source's folder goes while listed: the list empties and says why,
// and comes back with the folder. Runs keep their list.
TEST_F(StatusleisteTest, SourceThatWentEmptiesTheListUntilItIsBack)
{
    beispielKarte();
    fenster.setQuelle(QStringLiteral("E:\\DCIM"));
    ASSERT_EQ(liste.anzahl(), 3);
    liste.setAktuell(0);
    const auto nachsehen = [this] {
        QuelleNochDa(ctx(), liste, fenster);
        tick();
    };
    nachsehen();
    EXPECT_EQ(fenster.panel(QStringLiteral("Status")), QStringLiteral("Bereit"));

    ASSERT_TRUE(QDir(env.host(QStringLiteral("E:\\DCIM"))).removeRecursively());
    ctx().lauf = Lauf::Kopieren;
    QuelleNochDa(ctx(), liste, fenster);
    EXPECT_EQ(liste.anzahl(), 3) << "a run keeps its list";
    ctx().lauf = Lauf::Keiner;

    for (int mal = 0; mal < 2; ++mal) {
        nachsehen();
        EXPECT_EQ(liste.anzahl(), 0);
        EXPECT_EQ(fenster.panel(QStringLiteral("Status")), QStringLiteral("Karte entfernt"));
        EXPECT_EQ(fenster.panel(QStringLiteral("DateiInfos")), QStringLiteral(" Kein Foto gewählt "));
        EXPECT_EQ(fenster.panel(QStringLiteral("Bilder")), QStringLiteral(" Bilder: 0 (0) "));
    }
    EXPECT_FALSE(fenster.vorschauSichtbar);

    beispielKarte();
    nachsehen();
    EXPECT_EQ(liste.anzahl(), 3);
    EXPECT_EQ(fenster.panel(QStringLiteral("Status")), QStringLiteral("Bereit"));
}

TEST_F(StatusleisteTest, DateHintForPhotosOlderThanAYear)
{
    env.system->jetzt = QDateTime(QDate(2026, 5, 4), QTime(10, 0, 0));
    const QString pfad = QStringLiteral("E:\\Img.jpg");
    liste.setPfade({ pfad });
    struct Fall
    {
        const char *name;
        QDateTime stempel;
        int aktuell;
        float korrektur;
        bool erwartet;
    } faelle[] = {
        { "recent photo", QDateTime(QDate(2026, 5, 1), QTime(9, 0)), 0, 0, false },
        { "exactly 365 days", QDateTime(QDate(2025, 5, 4), QTime(9, 0)), 0, 0, false },
        { "366 days", QDateTime(QDate(2025, 5, 3), QTime(23, 59)), 0, 0, true },
        { "camera clock never set", QDateTime(QDate(2004, 1, 1), QTime(0, 0)), 0, 0, true },
        { "corrected into the last year", QDateTime(QDate(2025, 5, 3), QTime(23, 0)), 0, 120,
            false },
        { "no current photo", QDateTime(QDate(2004, 1, 1), QTime(0, 0)), -1, 0, false },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        datei(pfad, f.stempel);
        ctx().datumKorrektur = f.korrektur;
        liste.setAktuell(f.aktuell);
        fenster.datumHinweis = !f.erwartet;
        tick();
        EXPECT_EQ(fenster.datumHinweis, f.erwartet);
    }
}

TEST_F(StatusleisteTest, MissingCurrentPhotoHidesTheDateHint)
{
    liste10({ 1 });
    liste.setAktuell(0);
    fenster.datumHinweis = true;
    tick();
    EXPECT_FALSE(fenster.datumHinweis);
}

} // namespace

} // namespace mirbelon::test
