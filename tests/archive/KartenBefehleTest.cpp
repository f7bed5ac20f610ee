#include "archive/KartenBefehle.h"

#include "archive/Kopierlauf.h"
#include "tests/archive/ArchivTest.h"

#include <QProcess>

namespace mirbelon::test {
namespace {

// What a script prints when /bin/sh runs it, waited for (bounded).
QString Ausgabe(const ShellSkript &skript)
{
    QProcess sh;
    sh.start("/bin/sh", skript.shArgumente());
    if (!sh.waitForFinished(10000))
        return "(hängt)";
    return QString::fromUtf8(sh.readAllStandardOutput());
}

TEST_F(ArchivTest, CardCommandValuesStayValuesWhereverThePlaceholderStands)
{
    struct Fall
    {
        const char *name;
        QString befehl;
        QString erwartet;
    };
    const QString pfad = "/a b/it's $(touch PWN) `touch PWN` \\\"; x\n.jpg";
    for (const Fall &f : {Fall{"bare", "printf '%s|' {DateiZiel}", pfad + "|"},
                          Fall{"lower case", "printf '%s|' {dateiziel}.txt", pfad + ".txt|"},
                          Fall{"double quotes", "printf '%s|' \"x={DateiZiel}\"", "x=" + pfad + "|"},
                          Fall{"single quotes", "printf '%s|' 'x={DateiZiel}y'", "x=" + pfad + "y|"},
                          Fall{"after a backslash", "printf '%s|' \\{DateiZiel}", pfad + "|"},
                          Fall{"twice", "printf '%s|' {DateiZiel} \"{DATEIZIEL}\"", pfad + "|" + pfad + "|"},
                          Fall{"quote in a comment", "true # don't\nprintf '%s|' {DateiZiel}", pfad + "|"}}) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(Ausgabe(KartenSkript(ctx(), f.befehl, "{DateiZiel}", pfad, false)), f.erwartet);
    }
    EXPECT_FALSE(QFile::exists("PWN"));
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
    env.dialogs.antworte(Answer::Yes);    // jobs and post-run
    env.dialogs.antworte(Answer::Cancel); // delete question
    mnuKopieren(ctx(), liste, fenster);
    ASSERT_EQ(env.processes.gestartet.size(), 2);
    EXPECT_EQ(env.processes.gestartet.at(0).argumente.mid(0, 2), QStringList({"-c", "echo ordner"}));
    EXPECT_EQ(env.processes.gestartet.at(1).argumente,
              QStringList({"-c", "ls \"${1}\"", "mirbelon", env.host("C:\\Archiv")}));
    EXPECT_EQ(env.processes.gestartet.at(1).stil, WindowStyle::Normal);
}

TEST_F(KartenBefehleTest, OneQuestionBeforeTheFirstPhotoShowsEveryCommand)
{
    env.datei("E:\\Foto.ini", "[AfterCopyFile]\r\nJob03=echo job\r\n[Infos]\r\nPostRun=echo danach\r\n");
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {1, 1});
    bool schonKopiert = true;
    env.dialogs.beimZeigen = [&] {
        if (env.dialogs.gezeigt.size() == 1)
            schonKopiert = gibt("C:\\Archiv\\2024_0314-090530.jpg");
    };
    env.dialogs.antworte(Answer::Yes);
    env.dialogs.antworte(Answer::Cancel); // delete question
    mnuKopieren(ctx(), liste, fenster);

    ASSERT_EQ(gezeigt(kBefehlsFrage), 1);
    EXPECT_EQ(env.dialogs.gezeigt.first().titel, kBefehlsFrage);
    EXPECT_FALSE(schonKopiert);
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains("echo job"));
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains("echo danach"));
    EXPECT_EQ(env.processes.gestartet.size(), 3);
}

TEST_F(KartenBefehleTest, PostRunNeverRunsWhatTheCardWritesAfterTheYes)
{
    env.processes.ausfuehren = true;
    env.datei("E:\\x;touch PWN;.txt");
    env.datei("E:\\cmd.ini", "[a]\r\nb=$(touch PWN2)\r\n");
    env.datei("E:\\Foto.ini", "[Infos]\r\nPostRun=cd {$Mirbelon:Ziel}; "
                               "echo {iniread,E:\\cmd.ini,a,b,} {&E:\\*.txt}; touch fertig\r\n");
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}}, {1});
    env.dialogs.antworte(Answer::Yes);
    env.dialogs.antworte(Answer::Cancel); // delete question
    mnuKopieren(ctx(), liste, fenster);

    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains("{iniread,E:\\cmd.ini,a,b,} {&E:\\*.txt}"));
    ASSERT_TRUE(gibt("C:\\Archiv\\fertig"));
    EXPECT_FALSE(gibt("C:\\Archiv\\PWN"));
    EXPECT_FALSE(gibt("C:\\Archiv\\PWN2"));
}

TEST_F(KartenBefehleTest, RefusalCanBeChangedFromTheMenu)
{
    karteMitJob("echo eins");
    env.dialogs.antworte(Answer::No);
    mnuKopieren(ctx(), liste, fenster);
    EXPECT_TRUE(env.processes.gestartet.isEmpty());

    env.dialogs.antworte(Answer::Yes);
    mnuKartenBefehle(ctx(), "E:\\");
    EXPECT_EQ(gezeigt(kBefehlsFrage), 2);
    nochmal();
    EXPECT_EQ(gezeigt(kBefehlsFrage), 2);
    EXPECT_EQ(env.processes.gestartet.size(), 1);
}

TEST_F(KartenBefehleTest, ExitScriptFromAForeignPlaceRunsOnlyAfterConsent)
{
    env.processes.ausfuehren = true;
    const QString skript = "E:\\Mirbelon_Exit.cmd";
    env.datei(skript, ("touch " + env.host("C:\\lief") + "\n").toUtf8());
    env.system->aktuellerOrdner = "E:\\"; // started on the card
    env.dialogs.antworte(Answer::No);
    ExitSkriptStarten(ctx());
    ExitSkriptStarten(ctx()); // the answer is kept
    EXPECT_EQ(gezeigt(kBefehlsFrage), 1);
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains("touch "));
    EXPECT_FALSE(gibt("C:\\lief"));

    env.dialogs.antworte(Answer::Yes);
    mnuKartenBefehle(ctx(), "E:\\");
    ExitSkriptStarten(ctx());
    EXPECT_EQ(gezeigt(kBefehlsFrage), 2);
    EXPECT_TRUE(gibt("C:\\lief"));

    // Beside the executable it is the program's own.
    env.dialogs.gezeigt.clear();
    env.system->programmDatei = "C:\\Bin\\mirbelon";
    env.datei("C:\\Bin\\Mirbelon_Exit.cmd", "exit 0\n");
    ExitSkriptStarten(ctx());
    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
    EXPECT_EQ(env.processes.gestartet.last().argumente, QStringList{env.host("C:\\Bin\\Mirbelon_Exit.cmd")});
}

} // namespace
} // namespace mirbelon::test
