#include "frame/DebugLog.h"

#include "frame/IniStore.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

using test::TestUmgebung;

const QString kLog = QStringLiteral("C:\\Prg\\Debug.txt");
const QByteArray kStempel = "26-12-07 14:03:59\t";

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

class DebugLogTest : public ::testing::Test
{
protected:
    DebugLogTest()
    {
        u.system->jetzt = QDateTime(QDate(2026, 12, 7), QTime(14, 3, 59));
        u.system->tick = 1234;
        u.ctx->debugModus = 1;
    }

    QList<QByteArray> zeilen() const
    {
        QList<QByteArray> z = u.inhalt(kLog).split('\n');
        z.removeLast();
        return z;
    }

    TestUmgebung u;
};

TEST_F(DebugLogTest, MissingSettingIsWrittenAsZeroAndTheLogStaysOff)
{
    u.ctx->debugModus = 0;
    DebugLog(*u.ctx, S("Hallo"));
    EXPECT_EQ(u.ctx->debugModus, -1);
    EXPECT_EQ(IniLesen(*u.ctx, QString(), S("Allgemein"), S("DebugMode"), S("fehlt")), S("0"));
    EXPECT_FALSE(u.files->exists(kLog));
}

TEST_F(DebugLogTest, SettingDecidesOnceForTheRun)
{
    const struct
    {
        const char *wert;
        int modus;
    } faelle[] = {{"1", 1}, {"2", 2}, {"0", -1}, {"-3", -1}, {"aus", -1}, {"0.6", 1}};
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.wert);
        IniSchreiben(*u.ctx, QString(), S("Allgemein"), S("DebugMode"), S(fall.wert));
        u.ctx->debugModus = 0;
        DebugLog(*u.ctx, S("x"));
        EXPECT_EQ(u.ctx->debugModus, fall.modus);
    }
    IniSchreiben(*u.ctx, QString(), S("Allgemein"), S("DebugMode"), S("0"));
    DebugLog(*u.ctx, S("x"));
    EXPECT_EQ(u.ctx->debugModus, 1);
}

TEST_F(DebugLogTest, LineCarriesStampTickTextAndElapsedTime)
{
    DebugLog(*u.ctx, S("Erste"));
    u.system->tick = 1484;
    DebugLog(*u.ctx, S("  Größe  "));
    u.system->tick = 99000;
    DebugLog(*u.ctx, S("Marke $T- bleibt"));
    EXPECT_EQ(u.inhalt(kLog), kStempel + "00001234\tErste\t\r\n"
                              + kStempel + "00001484\tGr\xF6\xDF" "e\t[250 ms]\r\n"
                              + kStempel + "00099000\tMarke $T- bleibt\t\r\n");
    EXPECT_EQ(u.ctx->debugLetzterTick, 99000u);
}

TEST_F(DebugLogTest, TickWrapStillGivesTheGap)
{
    u.system->tick = 0xFFFFFF00u;
    DebugLog(*u.ctx, S("a"));
    u.system->tick = 0x100u;
    DebugLog(*u.ctx, S("b"));
    EXPECT_TRUE(zeilen().at(1).endsWith("\tb\t[512 ms]\r"));
}

TEST_F(DebugLogTest, TextIsShapedIntoOneLine)
{
    const struct
    {
        const char *fall;
        QString text;
        QByteArray geschrieben;
    } faelle[] = {
        {"heading", S("[]  Kopieren "), "Kopieren " + QByteArray(71, '-')},
        {"long heading", S("[]") + QString(90, QLatin1Char('k')), QByteArray(80, 'k')},
        {"line breaks", S("a\r\nb\nc\fd\re"), "a~b~c~d~e"},
        {"trailing line break", S("a\r\n"), "a~"},
        {"2000 characters", QString(2000, QLatin1Char('x')), QByteArray(1497, 'x') + "..."},
        {"1500 characters", QString(1500, QLatin1Char('x')), QByteArray(1500, 'x')},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.fall);
        u.files->remove(kLog);
        u.ctx->debugLetzterTick = 0;
        DebugLog(*u.ctx, fall.text);
        EXPECT_EQ(u.inhalt(kLog), kStempel + "00001234\t" + fall.geschrieben + "\t\r\n");
    }
}

TEST_F(DebugLogTest, BlankTextOrLogOffWritesNothing)
{
    DebugLog(*u.ctx, S("    "));
    DebugLog(*u.ctx, QString());
    EXPECT_EQ(u.ctx->debugLetzterTick, 0u);
    u.ctx->debugModus = -1;
    DebugLog(*u.ctx, S("Text"));
    EXPECT_FALSE(u.files->exists(kLog));
}

TEST_F(DebugLogTest, ClearEmptiesTheFileAndWritesTheHeader)
{
    u.datei(kLog, "alt\r\n");
    DebugLog(*u.ctx, S("clr"));
    const QList<QByteArray> z = zeilen();
    ASSERT_GT(z.size(), 17);
    EXPECT_EQ(z.at(0), QByteArray("\r"));
    EXPECT_EQ(z.at(1), QByteArray(1500, '=') + "\r");
    EXPECT_EQ(z.at(3), QByteArray("Das Debug-Logbuch enth\xE4lt Hinweise zum internen Ablauf des "
                                  "Programms.\r"));
    EXPECT_EQ(z.at(7), QByteArray("C:\\Prg\\Debug.txt\r"));
    EXPECT_EQ(z.at(8), QByteArray("als eMail-Anhang an support@mirbelon.example senden.\r"));
    EXPECT_EQ(z.at(10), QByteArray("Datei erstellt am 07.12.26 14:03:59\r")) << "no time zone";
    EXPECT_EQ(z.at(12), QByteArray(1500, '-') + "\r");
    EXPECT_TRUE(z.at(13).startsWith("Programm: Mirbelon"));
    EXPECT_EQ(z.at(z.size() - 4), QByteArray(1500, '-') + "\r");
    EXPECT_EQ(z.at(z.size() - 3), QByteArray("\r"));
    EXPECT_EQ(z.at(z.size() - 2), QByteArray("System-Datum/Zeit\tSys-Tick\tProzedur\r"));
    EXPECT_EQ(z.last(), kStempel + "00001234\t\t\r");
    EXPECT_FALSE(u.inhalt(kLog).contains("alt"));
}

TEST_F(DebugLogTest, InfoKeepsTheFileAndAppendsTheHeader)
{
    u.datei(kLog, "alt\r\n");
    DebugLog(*u.ctx, S(" inf "));
    const QList<QByteArray> z = zeilen();
    EXPECT_EQ(z.first(), QByteArray("alt\r"));
    EXPECT_EQ(z.at(2), QByteArray(1500, '=') + "\r");
    EXPECT_EQ(z.last(), kStempel + "00001234\t\t\r");
}

TEST_F(DebugLogTest, MissingDataFolderMakesTheWriteANoOp)
{
    u.ctx->ordner.debugDatei = S("C:\\Fehlt\\Debug.txt");
    DebugLog(*u.ctx, S("clr"));
    DebugLog(*u.ctx, S("Text"));
    EXPECT_FALSE(u.files->exists(S("C:\\Fehlt")));
}

TEST_F(DebugLogTest, UsageLineWithDateAndTwoBlanks)
{
    NutzungsLog(*u.ctx, S("  Mail an\r\nAnna  "));
    NutzungsLog(*u.ctx, S("   "));
    NutzungsLog(*u.ctx, QString(1200, QLatin1Char('y')), S("C:\\Tmp\\Eigene.use"));
    EXPECT_EQ(u.inhalt(S("C:\\Prg\\Mirbelon.use")),
              QByteArray("07.12.2026 14:03:59  Mail an Anna\r\n\r\n"));
    EXPECT_EQ(u.inhalt(S("C:\\Tmp\\Eigene.use")),
              "07.12.2026 14:03:59  " + QByteArray(999, 'y') + "\r\n");
}

TEST_F(DebugLogTest, SystemReportNamesTheFolders)
{
    const QString bericht = SystemBericht(*u.ctx);
    for (const char *zeile : {"Programm: Mirbelon", "Programmordner: C:\\Prg",
                              "Datenordner: C:\\Prg", "Familienordner: C:\\Brenlo",
                              "Temp-Ordner: C:\\Tmp", "Datum: 07.12.2026 14:03:59"}) {
        SCOPED_TRACE(zeile);
        EXPECT_TRUE(bericht.split(S("\r\n")).contains(S(zeile)));
    }
}

} // namespace
} // namespace mirbelon
