#include "archive/ZielName.h"

#include "tests/archive/ArchivTest.h"

namespace mirbelon::test {
namespace {

const QDateTime kDatum(QDate(2024, 3, 14), QTime(9, 5, 30)); // a Thursday

TEST(ZielNameAusMuster, ReplacesEveryPlaceholderIgnoringCase)
{
    struct Fall
    {
        const char *name;
        QString muster;
        qint64 nummer;
        QString endung;
        QString erwartet;
    };
    const QList<Fall> faelle = {
        {"default pattern", "{jjjj}_{mm}{tt}-{hh}{nn}{ss}", 0, "JPG", "2024_0314-090530.jpg"},
        {"running number", "X-{######}", 120, "JPG", "X-000120.jpg"},
        {"english year and day", "{yyyy}{yy}{jj}-{dd}", 0, "jpg", "20242424-14.jpg"},
        {"quarter", "Q{q}", 0, "jpg", "Q1.jpg"},
        {"weekday both spellings", "{ttt}|{ddd}", 0, "jpg", "Do|Do.jpg"},
        {"mixed case", "{TT}.{Ss}.{JJJJ}.{MM}", 0, "jpg", "14.30.2024.03.jpg"},
        {"all counter widths", "{##}/{###}/{####}/{#####}/{######}/{#######}", 5, "jpg",
         "05/005/0005/00005/000005/0000005.jpg"},
        {"wider number kept whole", "{####}", 12345678, "jpg", "12345678.jpg"},
        {"one or eight # stay", "{#}{########}", 7, "jpg", "{#}{########}.jpg"},
        {"braces of no placeholder stay", "{x}{jjjj", 0, "jpg", "{x}{jjjj.jpg"},
        {"extension in lower case", "a", 0, "Jpeg", "a.jpeg"},
        {"no extension gives a bare dot", "a", 0, "", "a."},
        {"empty pattern", "", 0, "jpg", ".jpg"},
        {"sub-folders pass through", "{jjjj}\\{mm}\\{tt}", 0, "jpg", "2024\\03\\14.jpg"},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(ZielNameAusMuster(f.muster, kDatum, f.nummer, f.endung), f.erwartet);
    }
}

TEST(NummerierterName, NumbersBeforeTheExtensionInTheNamesFolder)
{
    EXPECT_EQ(NummerierterName("2024_0314-090530.jpg", 1), "2024_0314-090530-01.jpg");
    EXPECT_EQ(NummerierterName("base.jpg", 100), "base-100.jpg");
    EXPECT_EQ(NummerierterName("2024\\03\\base.jpg", 2), "2024\\03\\base-02.jpg");
    EXPECT_EQ(NummerierterName("base.", 1), "base-01.");
}

class ZielNameTest : public ArchivTest
{
};

TEST_F(ZielNameTest, UsesCurrentEntryStoredNumberPlusOffsetAndTimeStamp)
{
    karte({{"E:\\Dcim\\Img_0042.JPG", kDatum}}, {1});
    liste.setAktuell(0);
    setzeIni("Mirbelon", "Nr3", "117");
    fenster.muster = "X-{######}_{jjjj}{mm}{tt}{hh}{nn}{ss}";
    EXPECT_EQ(ZielName(ctx(), liste, fenster, 3), "X-000120_20240314090530.jpg");
    EXPECT_EQ(ini("Mirbelon", "Nr3"), "117");
}

TEST_F(ZielNameTest, MissingNumberCountsAsZeroAndIsWrittenBack)
{
    karte({{"E:\\Img_0001.jpg", kDatum}}, {1});
    liste.setAktuell(0);
    fenster.muster = "{###}";
    EXPECT_EQ(ZielName(ctx(), liste, fenster, 0), "000.jpg");
    EXPECT_EQ(ini("Mirbelon", "Nr3"), "0");
}

TEST_F(ZielNameTest, DateCorrectionMovesTheName)
{
    karte({{"E:\\Img_0001.jpg", QDateTime(QDate(2005, 1, 1), QTime(1, 30))}}, {1});
    liste.setAktuell(0);
    ctx().datumKorrektur = -120;
    EXPECT_EQ(ZielName(ctx(), liste, fenster, 0), "2004_1231-233000.jpg");
}

TEST_F(ZielNameTest, UnreadableDateIsPassedOver)
{
    karte({{"E:\\Img_0001.jpg", kDatum}}, {1});
    liste.setAktuell(0);
    QFile::remove(env.host("E:\\Img_0001.jpg"));
    EXPECT_EQ(ZielName(ctx(), liste, fenster, 0), "1899_1230-000000.jpg");
}

} // namespace
} // namespace mirbelon::test
