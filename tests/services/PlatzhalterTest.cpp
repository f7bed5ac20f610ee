#include "services/Platzhalter.h"

#include "frame/IniStore.h"
#include "services/VarioKontext.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

class PlatzhalterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        env.system->jetzt = QDateTime(QDate(2004, 1, 15), QTime(9, 5, 7));
        env.system->aktuellerOrdner = QStringLiteral("E:\\Bilder");
    }

    QString vario(const char *text) { return Vario(*env.ctx, QString::fromUtf8(text)); }
    QString variable(const char *schluessel)
    {
        return IniLesen(*env.ctx, {}, QStringLiteral("Variablen"), QString::fromLatin1(schluessel),
            QStringLiteral("(fehlt)"));
    }

    test::TestUmgebung env;
};

TEST_F(PlatzhalterTest, CounterPersistsInTheFamilyFile)
{
    EXPECT_EQ(variable("VarioCount7"), QStringLiteral("(fehlt)"));
    EXPECT_EQ(vario("Nr{Counter7}"), QStringLiteral("Nr1"));
    EXPECT_EQ(vario("Nr{Counter7}"), QStringLiteral("Nr2"));
    EXPECT_EQ(vario("Nr{Counter7}"), QStringLiteral("Nr3"));
    EXPECT_EQ(variable("VarioCount7"), QStringLiteral("3"));
    EXPECT_TRUE(env.inhalt(QStringLiteral("C:\\Brenlo\\Brenlo.ini")).contains("VarioCount7=3"));
}

TEST_F(PlatzhalterTest, IndexPersistsInTheFamilyFile)
{
    for (const char *erwartet : { "1", "2", "1" })
        EXPECT_EQ(vario("{index:Bild,1,2}"), QLatin1String(erwartet));
    EXPECT_EQ(variable("VarioIndex_Bild"), QStringLiteral("1"));
}

TEST_F(PlatzhalterTest, UserNameComesFromTheFamilyFile)
{
    env.datei(QStringLiteral("C:\\Brenlo\\Brenlo.ini"),
        "[Allgemein]\r\nUser=Anna Schmidt\r\n[Variablen]\r\nZiel=D:\\Fotos ; alt\r\n");
    EXPECT_EQ(vario("{username}: {variable:Ziel}"), QStringLiteral("Anna Schmidt: D:\\Fotos"));
}

TEST_F(PlatzhalterTest, PinnedTimeAndFoldersOfTheContext)
{
    env.system->windows = QStringLiteral("C:\\Windows");
    EXPECT_EQ(vario("{jjjj-mm-tt} {hh:mm}"), QStringLiteral("2004-01-15 09:05"));
    EXPECT_EQ(vario("{laufwerk}|{pfad}|{ordner_prg}|{ordner_win}|{brenlo.ini}"),
        QStringLiteral("E:|E:\\Bilder|C:\\Prg|C:\\Windows|C:\\Brenlo\\Brenlo.ini"));
    // A drive without a label of its own gives an empty label.
    EXPECT_EQ(vario("<{label}>"), QStringLiteral("<>"));
}

TEST_F(PlatzhalterTest, FilePatternsListOnlyMatchingFiles)
{
    env.datei(QStringLiteral("E:\\Bilder\\a.jpg"));
    env.datei(QStringLiteral("E:\\Bilder\\B.JPG"));
    env.datei(QStringLiteral("E:\\Bilder\\c.txt"));
    env.ordner(QStringLiteral("E:\\Bilder\\x.jpg"));
    EXPECT_EQ(vario("{&E:\\Bilder\\*.jpg}"), QStringLiteral("a.jpg B.JPG"));
    EXPECT_EQ(vario("{$E:\\Bilder\\*.txt}"), QStringLiteral("c.txt"));
    EXPECT_EQ(vario("{&*.TXT}"), QStringLiteral("c.txt"));
    EXPECT_EQ(vario("{$E:\\Leer\\*.xyz}"), QStringLiteral("KeinName.Txt"));
    const QString zufaellig = vario("{$E:\\Bilder\\?.jpg}");
    EXPECT_TRUE(zufaellig == QLatin1String("a.jpg") || zufaellig == QLatin1String("B.JPG"))
        << zufaellig.toStdString();
}

TEST_F(PlatzhalterTest, EnvironmentOfTheHost)
{
    env.system->umgebung.insert(QStringLiteral("MIRBELON_TEST"), QStringLiteral("wert"));
    EXPECT_EQ(vario("%mirbelon_test%\\%ERRORLEVEL%"), QStringLiteral("wert\\%ERRORLEVEL%"));
}

TEST(NamePasst, WildcardsIgnoringCase)
{
    const struct
    {
        const char *name;
        const char *muster;
        bool passt;
    } faelle[] = {
        { "IMG_0001.JPG", "*.jpg", true },
        { "a.jpeg", "*.jpg", false },
        { "readme", "*.*", true },
        { "a.b", "?.b", true },
        { "ab.b", "?.b", false },
        { "abc", "a**c", true },
        { "abc", "a*b", false },
        { "", "*", true },
        { "x", "", false },
        { "Müller.txt", "mÜLLER.*", true },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(std::string(fall.name) + " ~ " + fall.muster);
        EXPECT_EQ(
            NamePasst(QString::fromUtf8(fall.name), QString::fromUtf8(fall.muster)), fall.passt);
    }
}

} // namespace
} // namespace mirbelon
