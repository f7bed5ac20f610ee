#include "archive/ZielStatus.h"

#include "source/Statusleiste.h"
#include "text/Formatierung.h"
#include "tests/archive/ArchivTest.h"
#include "tests/support/Einhaengung.h"

namespace mirbelon::test {
namespace {

class ZielStatusTest : public ArchivTest
{
protected:
    QString freiZeile(const QString &laufwerk)
    {
        return "Freier Speicherplatz: " + GroesseText(PlatzFrei(ctx(), laufwerk)) + "B\n";
    }
};

TEST_F(ZielStatusTest, CountsVisibleFilesWithThousandsSeparator)
{
    for (int i = 0; i < 1234; ++i)
        env.datei(QString("C:\\Archiv\\Bild_%1.jpg").arg(i));
    env.datei("C:\\Archiv\\OhnePunkt");
    env.datei("C:\\Archiv\\.versteckt");
    env.datei("C:\\Archiv\\Unter\\Bild.jpg");
    befZUpdate(ctx(), fenster);
    EXPECT_EQ(fenster.zielStatus, freiZeile("C:") + "Vorhanden Dateien im Ordner: 1.235\n");
    EXPECT_NE(PlatzFrei(ctx(), "C:"), 0);
    EXPECT_EQ(env.dialogs.busy(), 0);
}

TEST_F(ZielStatusTest, MissingFolderSaysItWillBeMade)
{
    env.datei("C:\\Archiv\\Bild.jpg");
    befZUpdate(ctx(), fenster);
    fenster.zielOhneReaktion("C:\\Archiv\\Neu");
    befZUpdate(ctx(), fenster);
    EXPECT_EQ(fenster.zielStatus,
              freiZeile("C:") + "Vorhanden Dateien im Ordner: keine (wird beim Kopieren angelegt)\n");
}

TEST_F(ZielStatusTest, PlaceholdersExpandForTheCountAndTheFreeSpace)
{
    env.system->umgebung["ARCHIVNAME"] = QString("Archiv");
    env.datei("C:\\Archiv\\Bild.jpg");
    fenster.zielOhneReaktion("C:\\%ArchivName%");
    befZUpdate(ctx(), fenster);
    EXPECT_EQ(fenster.zielStatus, freiZeile("C:\\Archiv") + "Vorhanden Dateien im Ordner: 1\n");
}

TEST_F(ZielStatusTest, FreeSpaceIsThatOfTheTargetFoldersOwnDisk)
{
    env.ordner("C:\\Archiv");
    Einhaengung einhaengung;
    if (!einhaengung.tmpfs(env.host("C:\\Archiv"), "2m"))
        GTEST_SKIP() << "no tmpfs: needs root and a host that allows mounting";
    // The folder itself, and one still to be made below it.
    for (const QString ziel : {"C:\\Archiv", "C:\\Archiv\\Neu\\Tiefer"}) {
        SCOPED_TRACE(ziel.toStdString());
        fenster.zielOhneReaktion(ziel);
        befZUpdate(ctx(), fenster);
        EXPECT_TRUE(fenster.zielStatus.startsWith("Freier Speicherplatz: 2,0 MiB\n"))
            << fenster.zielStatus.toStdString();
    }
}

TEST_F(ZielStatusTest, NetworkPathHasNoFreeSpace)
{
    fenster.zielOhneReaktion("\\\\server\\fotos");
    befZUpdate(ctx(), fenster);
    EXPECT_TRUE(fenster.zielStatus.startsWith("Freier Speicherplatz: 0 B\n"))
        << fenster.zielStatus.toStdString();
}

TEST_F(ZielStatusTest, FolderDialogTakesTheFolderOfThePickedFile)
{
    int refreshs = 0;
    fenster.beiZiel = [&] { ++refreshs; };
    befZSuche(ctx(), fenster); // cancelled
    EXPECT_EQ(fenster.ziel(), "C:\\Archiv");
    EXPECT_EQ(refreshs, 0);
    const auto &g = env.dialogs.gezeigt.first();
    EXPECT_EQ(g.titel, "Wähle eine Datei im gewünschten Ziel-Ordner");
    EXPECT_EQ(g.text, "Alles|*.*");
    EXPECT_EQ(g.preset, "C:\\Archiv");

    env.dialogs.antworteDatei(QString("C:\\Fotos\\2024\\Bild.jpg"));
    befZSuche(ctx(), fenster);
    EXPECT_EQ(fenster.ziel(), "C:\\Fotos\\2024");
    EXPECT_EQ(fenster.fokus, "txtZ");
    EXPECT_EQ(refreshs, 1);
}

TEST_F(ZielStatusTest, StatisticsPanelShowsCopiedAndSeenOfTheCamera)
{
    setzeIni("Statistik_Canon", "Anzahl Cpy", "1234");
    setzeIni("Statistik_Canon", "Anzahl Sum", "1500");
    TimerInfoTick(ctx(), fenster);
    EXPECT_EQ(fenster.panel("Statistik"), " 1.234 (1.500 Bilder) ");
    EXPECT_EQ(fenster.tipps.value("Statistik"), "Canon: kopiert (fotografiert)");

    fenster.kameraOhneReaktion("");
    setzeIni("Statistik_", "Anzahl Cpy", "7");
    TimerInfoTick(ctx(), fenster);
    EXPECT_EQ(fenster.panel("Statistik"), " 7 (0 Bilder) ");
    EXPECT_EQ(fenster.tipps.value("Statistik"), ": kopiert (fotografiert)");
}

} // namespace
} // namespace mirbelon::test
