#include "tests/source/QuelleTest.h"

#include "source/Karte.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace mirbelon::test {

namespace {

using KarteTest = QuelleTest;

QStringList Zeilen(const QByteArray &inhalt)
{
    QStringList zeilen = QString::fromLatin1(inhalt).split(QLatin1Char('\n'));
    for (QString &z : zeilen)
        z = z.trimmed();
    zeilen.removeAll(QString());
    return zeilen;
}

TEST_F(KarteTest, DriveSearchScansEveryCardAndTheLastOneWins)
{
    env.datei(QStringLiteral("C:\\Foto.ini"), "[Infos]\r\nKamera=Alt\r\n");
    env.datei(QStringLiteral("C:\\Bild.jpg"));
    env.datei(QStringLiteral("E:\\Foto.ini"), "[Infos]\r\n");
    env.datei(QStringLiteral("E:\\DCIM\\IMG_0001.JPG"));
    fenster.quelleOhneReaktion(QStringLiteral("D:\\Vorher"));

    LaufwerkSuchen(ctx(), fenster);

    EXPECT_EQ(gescannt, (QStringList { QStringLiteral("C:\\"), QStringLiteral("E:\\") }));
    EXPECT_EQ(fenster.quelle(), QStringLiteral("E:\\"));
    EXPECT_EQ(liste.pfade(), QStringList { QStringLiteral("E:\\Dcim\\Img_0001.jpg") });
    EXPECT_EQ(fenster.kamera(), QStringLiteral("Alt"));
    ASSERT_EQ(fenster.statusVerlauf.size(), 27);
    EXPECT_EQ(fenster.statusVerlauf.first(), QStringLiteral("Suche Quell-Laufwerk auf A:"));
    EXPECT_EQ(fenster.statusVerlauf.at(4), QStringLiteral("Suche Quell-Laufwerk auf E:"));
    EXPECT_EQ(fenster.statusVerlauf.at(25), QStringLiteral("Suche Quell-Laufwerk auf Z:"));
    EXPECT_EQ(fenster.statusVerlauf.last(), QStringLiteral("Bereit"));
    EXPECT_EQ(fenster.neuGezeichnet, 27);
    EXPECT_EQ(fenster.fokus, QStringLiteral("txtQ"));
    EXPECT_EQ(env.dialogs.busy(), 0);
}

TEST_F(KarteTest, DriveSearchWithoutCardsKeepsTheSource)
{
    fenster.quelleOhneReaktion(QStringLiteral("E:\\DCIM"));
    LaufwerkSuchen(ctx(), fenster);
    EXPECT_TRUE(gescannt.isEmpty());
    EXPECT_EQ(fenster.quelle(), QStringLiteral("E:\\DCIM"));
    EXPECT_EQ(fenster.panel(QStringLiteral("Status")), QStringLiteral("Bereit"));
}

// Cards without a Foto.ini are found by their DCIM folder, and a card
// swapped under the source's letter is read, not the one before.
TEST_F(KarteTest, DriveSearchFindsACameraCardByItsDcimFolder)
{
    struct Fall
    {
        const char *name;
        QStringList dateien;
        QString vorher;
        QString quelle;
        QStringList liste;
    };
    const QList<Fall> faelle{
        {"the last card with DCIM", {"C:\\DCIM\\A.jpg", "E:\\DCIM\\B.jpg"}, "C:\\Prg", "E:\\",
         {"E:\\Dcim\\B.jpg"}},
        {"a Foto.ini wins over a later DCIM", {"C:\\Foto.ini", "C:\\C.jpg", "E:\\DCIM\\B.jpg"},
         "E:\\", "C:\\", {"C:\\C.jpg"}},
        {"another card under the same letter", {"E:\\DCIM\\K2_0001.JPG"}, "E:\\", "E:\\",
         {"E:\\Dcim\\K2_0001.jpg"}},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        QDir(env.host(QStringLiteral("C:\\DCIM"))).removeRecursively();
        QDir(env.host(QStringLiteral("E:\\DCIM"))).removeRecursively();
        QFile::remove(env.host(QStringLiteral("C:\\Foto.ini")));
        // The list of the card that was in E: before.
        liste.setPfade({QStringLiteral("E:\\Dcim\\K1_0001.jpg")});
        for (const QString &d : f.dateien)
            env.datei(d);
        fenster.quelleOhneReaktion(f.vorher);
        LaufwerkSuchen(ctx(), fenster);
        EXPECT_EQ(fenster.quelle(), f.quelle);
        EXPECT_EQ(liste.pfade(), f.liste);
    }
}

TEST_F(KarteTest, CameraNameGoesToTheDriveRootAndMakesTheCardFindable)
{
    env.datei(QStringLiteral("E:\\DCIM\\Foto.ini"), "[Infos]\r\nKamera=Ordner\r\n");
    fenster.quelleOhneReaktion(QStringLiteral("E:\\DCIM"));
    fenster.kameraOhneReaktion(QStringLiteral("EOS 300D"));
    KameraBezSpeichern(ctx(), fenster);

    EXPECT_EQ(Zeilen(env.inhalt(QStringLiteral("E:\\Foto.ini"))),
        (QStringList { QStringLiteral("[Infos]"), QStringLiteral("Kamera=EOS 300D") }));
    // The folder's own file keeps precedence at the next scan.
    QuelleScannen(ctx(), liste, fenster);
    EXPECT_EQ(fenster.kamera(), QStringLiteral("Ordner"));

    fenster.quelleOhneReaktion(QStringLiteral("C:\\"));
    LaufwerkSuchen(ctx(), fenster);
    EXPECT_EQ(fenster.quelle(), QStringLiteral("E:\\"));
}

TEST_F(KarteTest, EmptyCameraNameIsWrittenEmpty)
{
    fenster.quelleOhneReaktion(QStringLiteral("E:\\"));
    KameraBezSpeichern(ctx(), fenster);
    EXPECT_EQ(Zeilen(env.inhalt(QStringLiteral("E:\\Foto.ini"))),
        (QStringList { QStringLiteral("[Infos]"), QStringLiteral("Kamera=") }));
}

TEST_F(KarteTest, AutorunStartsThisProgramWithTheSource)
{
    // Settings elsewhere, as for an installed program: the executable is named.
    ctx().ordner.prg = QStringLiteral("C:\\Daten\\Mirbelon");
    env.system->programmDatei = QStringLiteral("C:\\Programme\\Foto\\fotoimport");
    fenster.quelleOhneReaktion(QStringLiteral("E:\\DCIM"));
    AutoStartSpeichern(ctx(), fenster);
    EXPECT_EQ(Zeilen(env.inhalt(QStringLiteral("E:\\Autorun.inf"))),
        (QStringList { QStringLiteral("[autorun]"),
            QStringLiteral("open=C:\\Programme\\Foto\\fotoimport Quelle=E:\\DCIM"),
            QStringLiteral("icon=C:\\Programme\\Foto\\fotoimport") }));

    // Written again: the keys are overwritten in place, other content stays.
    env.datei(
        QStringLiteral("E:\\Autorun.inf"), "[autorun]\r\nlabel=Karte\r\nopen=alt\r\nicon=alt\r\n");
    AutoStartSpeichern(ctx(), fenster);
    EXPECT_EQ(Zeilen(env.inhalt(QStringLiteral("E:\\Autorun.inf"))),
        (QStringList { QStringLiteral("[autorun]"), QStringLiteral("label=Karte"),
            QStringLiteral("open=C:\\Programme\\Foto\\fotoimport Quelle=E:\\DCIM"),
            QStringLiteral("icon=C:\\Programme\\Foto\\fotoimport") }));
}

TEST_F(KarteTest, ALinkOnTheCardReachesNoFileOutsideIt)
{
    const QByteArray profil = "export PATH=/bin\n";
    env.datei(QStringLiteral("C:\\Home\\.profile"), profil);
    env.datei(QStringLiteral("E:\\Ablage\\Foto.ini"), "[Infos]\r\nKamera=Alt\r\n");
    const auto verweis = [&](const QString &ziel, const QString &name) {
        ASSERT_EQ(::symlink(QFile::encodeName(ziel).constData(),
                      QFile::encodeName(env.host(name)).constData()), 0);
    };
    verweis(env.host(QStringLiteral("C:\\Home\\.profile")), QStringLiteral("E:\\Autorun.inf"));
    verweis(QStringLiteral("Ablage/Foto.ini"), QStringLiteral("E:\\Foto.ini"));
    fenster.quelleOhneReaktion(QStringLiteral("E:\\DCIM"));
    fenster.kameraOhneReaktion(QStringLiteral("Canon"));

    AutoStartSpeichern(ctx(), fenster);
    KameraBezSpeichern(ctx(), fenster);

    EXPECT_EQ(env.inhalt(QStringLiteral("C:\\Home\\.profile")), profil);
    EXPECT_TRUE(QFileInfo(env.host(QStringLiteral("E:\\Autorun.inf"))).isSymLink());
    // A link that stays on the card is followed as before.
    EXPECT_EQ(Zeilen(env.inhalt(QStringLiteral("E:\\Ablage\\Foto.ini"))),
        (QStringList { QStringLiteral("[Infos]"), QStringLiteral("Kamera=Canon") }));
}

TEST_F(KarteTest, NothingIsWrittenWithoutASourceDrive)
{
    fenster.kameraOhneReaktion(QStringLiteral("Canon"));
    KameraBezSpeichern(ctx(), fenster);
    AutoStartSpeichern(ctx(), fenster);
    EXPECT_TRUE(env.inhalt(QStringLiteral("C:\\Foto.ini")).isEmpty());
    EXPECT_TRUE(env.inhalt(QStringLiteral("C:\\Autorun.inf")).isEmpty());
}

} // namespace

} // namespace mirbelon::test
