#include "archive/KartenBefehle.h"

#include "archive/Kopierlauf.h"
#include "tests/archive/ArchivTest.h"

namespace mirbelon::test {
namespace {

TEST(PfadEinsetzen, QuotesThePathForTheShell)
{
    struct Fall
    {
        const char *name;
        QString befehl;
        QString erwartet;
    };
    const QString pfad = "/a b/it's.jpg";
    const QString wort = "'/a b/it'\\''s.jpg'";
    for (const Fall &f : {Fall{"bare", "cp {DateiZiel} /x", "cp " + wort + " /x"},
                          Fall{"lower case", "cp {dateiziel}.txt", "cp " + wort + ".txt"},
                          Fall{"already in double quotes", "cp \"{DateiZiel}\" /x", "cp " + wort + " /x"},
                          Fall{"twice", "{DateiZiel} {DATEIZIEL}", wort + " " + wort},
                          Fall{"none", "echo", "echo"}}) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(PfadEinsetzen(f.befehl, "{DateiZiel}", pfad), f.erwartet);
    }
}

class KartenBefehleTest : public ArchivTest
{
protected:
    void karteMitJob(const QString &job)
    {
        env.datei("E:\\Foto.ini", ("[AfterCopyFile]\r\nJob01=" + job + "\r\n").toUtf8());
        karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}}, {1});
    }
    void nochmal()
    {
        karte({{"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {1});
        mnuKopieren(ctx(), liste, fenster);
    }
};

TEST_F(KartenBefehleTest, AllowedJobRunsWithTheHostPathOfTheCopy)
{
    env.processes.ausfuehren = true;
    karteMitJob("echo kopiert > {DateiZiel}.txt");
    env.dialogs.antworte(Answer::Yes);

    mnuKopieren(ctx(), liste, fenster);

    ASSERT_EQ(gezeigt(kBefehlsFrage), 1);
    const auto &frage = env.dialogs.gezeigt.first();
    EXPECT_EQ(frage.icon, Icon::Question);
    EXPECT_EQ(frage.buttons, Buttons::YesNo);
    EXPECT_TRUE(frage.text.contains("echo kopiert > {DateiZiel}.txt"));
    const QString ziel = "C:\\Archiv\\2024_0314-090530.jpg";
    ASSERT_EQ(env.processes.gestartet.size(), 1);
    EXPECT_EQ(env.processes.gestartet.first().stil, WindowStyle::NormalNoFocus);
    EXPECT_EQ(env.inhalt(ziel + ".txt"), "kopiert\n");

    // Remembered: the same commands run again without a question.
    nochmal();
    EXPECT_EQ(gezeigt(kBefehlsFrage), 1);
    EXPECT_EQ(env.processes.gestartet.size(), 2);
    EXPECT_TRUE(gibt("C:\\Archiv\\2024_0314-090531.jpg.txt"));
}

TEST_F(KartenBefehleTest, RefusedJobIsSkippedAndCopyingGoesOn)
{
    karteMitJob("rm -rf {DateiZiel}");
    env.dialogs.antworte(Answer::No);

    mnuKopieren(ctx(), liste, fenster);

    EXPECT_EQ(gezeigt(kBefehlsFrage), 1);
    EXPECT_TRUE(env.processes.gestartet.isEmpty());
    EXPECT_TRUE(gibt("C:\\Archiv\\2024_0314-090530.jpg"));

    nochmal();
    EXPECT_EQ(gezeigt(kBefehlsFrage), 1);
    EXPECT_TRUE(env.processes.gestartet.isEmpty());
    EXPECT_TRUE(gibt("C:\\Archiv\\2024_0314-090531.jpg"));
}

TEST_F(KartenBefehleTest, AnswerHoldsForTheSessionWhenTheSettingsFileIsReadOnly)
{
    karteMitJob("echo eins");
    ASSERT_FALSE(env.files->writeAtomic(ctx().einstellungsDatei, "[Mirbelon]\r\n"));
    ASSERT_FALSE(env.files->setReadOnly(ctx().einstellungsDatei, true));
    env.dialogs.antworte(Answer::Yes);
    mnuKopieren(ctx(), liste, fenster);
    nochmal();
    EXPECT_EQ(gezeigt(kBefehlsFrage), 1);
    EXPECT_EQ(env.processes.gestartet.size(), 2);
    EXPECT_EQ(env.inhalt(ctx().einstellungsDatei), "[Mirbelon]\r\n");
}

TEST_F(KartenBefehleTest, ChangedCommandsAreAskedAgain)
{
    karteMitJob("echo eins");
    env.dialogs.antworte(Answer::Yes);
    mnuKopieren(ctx(), liste, fenster);
    env.datei("E:\\Foto.ini", "[AfterCopyFile]\r\nJob01=echo eins\r\nJob05=echo zwei\r\n");
    nochmal(); // unanswered: No is the default
    EXPECT_EQ(gezeigt(kBefehlsFrage), 2);
    EXPECT_EQ(env.processes.gestartet.size(), 1);
}

TEST_F(KartenBefehleTest, JobsComeFromTheFolderFilePostRunFromTheDriveRoot)
{
    env.datei("E:\\Dcim\\Foto.ini", "[AfterCopyFile]\r\nJob00=echo ordner\r\n");
    env.datei("E:\\Foto.ini", "[AfterCopyFile]\r\nJob00=echo wurzel\r\n[Infos]\r\nPostRun=ls "
                              "{$Mirbelon:Ziel}\r\n");
    EXPECT_EQ(KopierJobs(ctx(), "E:\\Dcim\\"), QStringList{"echo ordner"});
    EXPECT_EQ(KopierJobs(ctx(), "E:\\Dcim"), QStringList{"echo wurzel"});
    EXPECT_EQ(PostRunBefehl(ctx(), "E:\\Dcim\\"), "ls {$Mirbelon:Ziel}");

    fenster.quelleOhneReaktion("E:\\Dcim\\");
    karte({{"E:\\Dcim\\A.jpg", zeit(14, 9, 5, 30)}}, {1});
    env.dialogs.antworte(Answer::Yes);    // jobs
    env.dialogs.antworte(Answer::Cancel); // delete question
    env.dialogs.antworte(Answer::Yes);    // post-run
    mnuKopieren(ctx(), liste, fenster);
    ASSERT_EQ(env.processes.gestartet.size(), 2);
    EXPECT_EQ(env.processes.gestartet.at(0).kommando, "echo ordner");
    EXPECT_EQ(env.processes.gestartet.at(1).kommando, "ls '" + env.host("C:\\Archiv") + "'");
    EXPECT_EQ(env.processes.gestartet.at(1).stil, WindowStyle::Normal);
}

} // namespace
} // namespace mirbelon::test
