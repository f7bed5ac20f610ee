#include "frame/ProgrammOrdner.h"

#include "frame/IniStore.h"
#include "text/Parameter.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

using test::TestUmgebung;

const QString kFamilie = QStringLiteral("C:\\AppData\\Brenlo");
const QString kFamilienDatei = QStringLiteral("C:\\AppData\\Brenlo\\Brenlo.ini");

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

// A context as at program start: no folder resolved, no temp variables set,
// the user's data folder inside the test drive.
class ProgrammOrdnerTest : public ::testing::Test
{
protected:
    ProgrammOrdnerTest() : u(QStringLiteral("CDEH"))
    {
        u.ctx->ordner = {};
        u.system->umgebung.insert(S("TMP"), std::nullopt);
        u.system->umgebung.insert(S("TEMP"), std::nullopt);
        u.system->umgebung.insert(S("XDG_DATA_HOME"), u.laufwerk(QLatin1Char('C')) + S("/xdg"));
    }

    QString familienWert(const char *schluessel)
    {
        return IniLesen(*u.ctx, kFamilienDatei, S("Mirbelon"), S(schluessel), S("<fehlt>"));
    }

    TestUmgebung u;
};

TEST_F(ProgrammOrdnerTest, FirstStartCopiesTheFamilyFilesOnce)
{
    u.datei(S("C:\\Windows\\Brenlo.ini"), "[Allgemein]\r\nDebugMode=0\r\n");
    u.datei(S("C:\\Windows\\Brenlo_Prn.ini"), "[Drucker]\r\nA=1\r\n");

    OrdnerErmitteln(*u.ctx);
    EXPECT_EQ(u.ctx->ordner.brenlo, kFamilie);
    EXPECT_TRUE(u.inhalt(kFamilienDatei).startsWith("[Allgemein]\r\nDebugMode=0\r\n"));
    EXPECT_EQ(u.inhalt(S("C:\\AppData\\Brenlo\\Brenlo_Prn.ini")), QByteArray("[Drucker]\r\nA=1\r\n"));

    // The next start finds the family files and copies nothing again.
    u.datei(S("C:\\Windows\\Brenlo_Prn.ini"), "[Drucker]\r\nA=2\r\n");
    u.ctx->ordner = {};
    OrdnerErmitteln(*u.ctx);
    EXPECT_EQ(u.inhalt(S("C:\\AppData\\Brenlo\\Brenlo_Prn.ini")), QByteArray("[Drucker]\r\nA=1\r\n"));
}

TEST_F(ProgrammOrdnerTest, FamilyFolderWithoutOrdinaryFilesGetsThemAgain)
{
    u.datei(S("C:\\Windows\\Brenlo_Prn.ini"), "neu");
    u.datei(S("C:\\AppData\\Brenlo\\.versteckt"), "h");
    u.ordner(S("C:\\AppData\\Brenlo\\Unterordner"));
    OrdnerErmitteln(*u.ctx);
    EXPECT_EQ(u.inhalt(S("C:\\AppData\\Brenlo\\Brenlo_Prn.ini")), QByteArray("neu"));
}

TEST_F(ProgrammOrdnerTest, OrdinaryFileInTheFamilyFolderStopsTheCopy)
{
    u.datei(S("C:\\Windows\\Brenlo_Prn.ini"), "neu");
    u.datei(S("C:\\AppData\\Brenlo\\Andere.txt"), "a");
    OrdnerErmitteln(*u.ctx);
    EXPECT_FALSE(u.files->exists(S("C:\\AppData\\Brenlo\\Brenlo_Prn.ini")));
}

TEST_F(ProgrammOrdnerTest, TempFolderFromSettingThenEnvironmentThenFixed)
{
    const QString hostTemp = u.laufwerk(QLatin1Char('D')) + S("/HostTemp");
    const struct
    {
        const char *fall;
        const char *tmpSrv;
        std::optional<QString> tmp;
        std::optional<QString> temp;
        const char *ergebnis;
    } faelle[] = {
        {"setting wins", "D:\\Srv\\Tmp\\", S("E:\\T"), S("E:\\U"), "D:\\Srv\\Tmp"},
        {"Tmp", "", S("E:\\T"), S("E:\\U"), "E:\\T"},
        {"Temp with trailing backslash", "", std::nullopt, S("C:\\Users\\x\\Temp\\"),
         "C:\\Users\\x\\Temp"},
        {"host path", "", hostTemp, std::nullopt, "D:\\HostTemp"},
        {"nothing set", "", std::nullopt, std::nullopt, "C:\\Temp"},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.fall);
        u.datei(kFamilienDatei,
                QByteArray("[Verkn\xFCpfung]\r\nTmpSrv=") + fall.tmpSrv + QByteArray("\r\n"));
        u.system->umgebung.insert(S("TMP"), fall.tmp);
        u.system->umgebung.insert(S("TEMP"), fall.temp);
        u.ctx->ordner = {};
        OrdnerErmitteln(*u.ctx);
        EXPECT_EQ(u.ctx->ordner.tmp, S(fall.ergebnis));
    }
}

TEST_F(ProgrammOrdnerTest, ProgramFolderWithItsFallbacks)
{
    const struct
    {
        const char *fall;
        const char *programm;
        const char *aktuell;
        const char *schluessel;
        const char *ergebnis;
    } faelle[] = {
        {"executable's folder", "C:\\Prg\\Mirbelon", "C:\\Cur", "", "C:\\Prg"},
        {"root of C: is the folder C:", "C:\\Mirbelon", "C:\\Cur", "", "C:"},
        {"then Dir", "", "", "Dir=C:\\Dir\\", "C:\\Dir"},
        {"then OrdnerPrg", "", "C:", "OrdnerPrg=C:\\Alt", "C:\\Alt"},
        {"root of a drive from the key", "", "", "Dir=C:\\", "C:"},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.fall);
        u.datei(kFamilienDatei, QByteArray("[Mirbelon]\r\n") + fall.schluessel + "\r\n");
        u.system->programmDatei = S(fall.programm);
        u.system->aktuellerOrdner = S(fall.aktuell);
        u.ctx->ordner = {};
        OrdnerErmitteln(*u.ctx);
        EXPECT_EQ(u.ctx->ordner.prg, S(fall.ergebnis));
        EXPECT_EQ(familienWert("OrdnerPrg"), S(fall.ergebnis));
    }
}

TEST_F(ProgrammOrdnerTest, UnwritableExecutableFolderGivesTheUsersDataFolder)
{
    u.system->programmDatei = S("Q:\\Programme\\Mirbelon");
    OrdnerErmitteln(*u.ctx);
    EXPECT_EQ(u.ctx->ordner.prg, S("C:\\xdg\\Mirbelon"));
    EXPECT_TRUE(u.files->isFolder(S("C:\\xdg\\Mirbelon")));
}

TEST_F(ProgrammOrdnerTest, WritableExecutableFolderKeepsNoProbeFile)
{
    OrdnerErmitteln(*u.ctx);
    EXPECT_EQ(u.ctx->ordner.prg, S("C:\\Prg"));
    const auto eintraege = u.files->list(S("C:\\Prg"));
    ASSERT_TRUE(eintraege.has_value());
    EXPECT_TRUE(eintraege->isEmpty());
    EXPECT_FALSE(u.files->exists(S("C:\\xdg")));
}

TEST_F(ProgrammOrdnerTest, CommandLineDataFolderWinsOverTheSetting)
{
    const struct
    {
        const char *kommandozeile;
        const char *ordner;
    } faelle[] = {
        {"Quelle=E:\\ /OrdnerDat=D:\\Fotodaten", "D:\\Fotodaten"},
        {"/OrdnerDat=\"D:\\Foto daten\"", "D:\\Foto daten"},
        // One argument with a blank, as bash passes it without the quotes.
        {nullptr, "C:\\Foto daten"},
    };
    for (const auto &fall : faelle) {
        u.datei(kFamilienDatei, "[Mirbelon]\r\nOrdnerDat=C:\\Anders\r\n");
        u.ctx->ordner = {};
        u.ctx->kommandozeile = fall.kommandozeile
            ? S(fall.kommandozeile)
            : Kommandozeile(QStringList{S("/OrdnerDat=C:\\Foto daten")});
        SCOPED_TRACE(u.ctx->kommandozeile.toStdString());
        OrdnerErmitteln(*u.ctx);
        EXPECT_EQ(u.ctx->ordner.dat, S(fall.ordner));
        EXPECT_EQ(u.ctx->ordner.debugDatei, S(fall.ordner) + S("\\Debug.txt"));
        EXPECT_EQ(familienWert("OrdnerDat#"), S(fall.ordner));
        EXPECT_EQ(familienWert("OrdnerDat"), S("C:\\Anders"));
        // The data folder is used as named, not created.
        EXPECT_FALSE(u.files->exists(S(fall.ordner)));
    }
}

TEST_F(ProgrammOrdnerTest, AppDirInTheSettingNamesAFolderBelowTheProgram)
{
    u.ordner(S("C:\\Prog"));
    u.system->programmDatei = S("C:\\Prog\\Mirbelon");
    u.datei(kFamilienDatei, "[Mirbelon]\r\nOrdnerDat={appdir}\\Daten\r\n");
    OrdnerErmitteln(*u.ctx);
    EXPECT_EQ(u.ctx->ordner.dat, S("C:\\Prog\\Daten"));
    EXPECT_EQ(u.ctx->ordner.debugDatei, S("C:\\Prog\\Daten\\Debug.txt"));
    EXPECT_EQ(familienWert("OrdnerDat#"), S("C:\\Prog\\Daten"));
}

TEST_F(ProgrammOrdnerTest, NoDataFolderGivenWritesTheEmptyKeyAndUsesTheProgramFolder)
{
    OrdnerErmitteln(*u.ctx);
    EXPECT_EQ(u.ctx->ordner.dat, S("C:\\Prg"));
    EXPECT_EQ(u.ctx->ordner.debugDatei, S("C:\\Prg\\Debug.txt"));
    EXPECT_TRUE(u.inhalt(kFamilienDatei).contains("\r\nOrdnerDat=\r\n"));
    EXPECT_EQ(familienWert("OrdnerDat#"), S("C:\\Prg"));
}

TEST(ProgrammName, TheExecutablesNameWithoutExtension)
{
    const struct
    {
        const char *datei;
        const char *name;
    } faelle[] = {
        {"C:\\Prg\\fotoimport", "fotoimport"},
        {"C:\\Prg\\FotoImport.bin", "FotoImport"},
        {"Z:\\usr\\bin\\mirbelon", "Mirbelon"},
        {"C:\\Mirbelon.exe", "Mirbelon"},
        {"", "Mirbelon"},
    };
    for (const auto &fall : faelle)
        EXPECT_EQ(ProgrammName(S(fall.datei)), S(fall.name)) << fall.datei;
}

TEST(ProgrammDateiSuchen, TakesTheFirstPlaceInTheFixedOrder)
{
    TestUmgebung u(QStringLiteral("CH"));
    u.ctx->ordner.dat = S("C:\\Dat");
    u.system->aktuellerOrdner = S("C:\\Cur");
    // Installed: the executable's folder is not the program folder.
    u.system->programmDatei = S("C:\\Bin\\mirbelon");
    const char *orte[] = {"C:\\Dat",     "C:\\Prg",   "C:\\Bin", "C:\\Brenlo", "C:\\Cur",
                          "C:\\Windows", "C:\\Windows\\System32",
                          "C:\\_Ostrel\\Tools\\Tools.Win"};
    // Each file lies in its place and in every later one.
    for (int i = 0; i < int(std::size(orte)); ++i) {
        for (int j = i; j < int(std::size(orte)); ++j)
            u.datei(S(orte[j]) + S("\\f") + QString::number(i) + S(".cmd"));
        u.datei(S("H:\\_Ostrel\\Tools\\Tools.Win\\f") + QString::number(i) + S(".cmd"));
    }
    u.datei(S("H:\\_Ostrel\\Tools\\Tools.Win\\nurH.cmd"));
    for (int i = 0; i < int(std::size(orte)); ++i) {
        SCOPED_TRACE(orte[i]);
        const QString name = S("f") + QString::number(i) + S(".cmd");
        EXPECT_EQ(ProgrammDateiSuchen(*u.ctx, name), S(orte[i]) + S("\\") + name);
    }
    EXPECT_EQ(ProgrammDateiSuchen(*u.ctx, S("nurH.cmd")),
              S("h:\\_Ostrel\\Tools\\Tools.Win\\nurH.cmd"));
    EXPECT_EQ(ProgrammDateiSuchen(*u.ctx, S("fehlt.cmd")), QString());
    EXPECT_EQ(ProgrammDateiSuchen(*u.ctx, S("f*.cmd")), QString());
    EXPECT_EQ(ProgrammDateiSuchen(*u.ctx, S("f?.cmd")), QString());
    // A folder of that name is no companion file.
    u.ordner(S("C:\\Dat\\Ordner"));
    EXPECT_EQ(ProgrammDateiSuchen(*u.ctx, S("Ordner")), QString());
}

} // namespace
} // namespace mirbelon
