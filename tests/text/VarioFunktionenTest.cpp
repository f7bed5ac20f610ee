#include "text/Vario.h"

#include "text/DatumAusText.h"
#include "tests/text/VarioUmgebung.h"

#include <gtest/gtest.h>

#include <map>

using namespace mirbelon;
using namespace mirbelon::test;

TEST(PlatzhalterErsetzen, InsertedTextIsNotSearchedAgain)
{
    QString text = QStringLiteral("{x}-{X}");
    PlatzhalterErsetzen(text, QStringLiteral("{x}"), QStringLiteral("a{x}"));
    EXPECT_EQ(text, QStringLiteral("a{x}-a{x}"));
    text = QStringLiteral("abc");
    PlatzhalterErsetzen(text, QString(), QStringLiteral("x"));
    EXPECT_EQ(text, QStringLiteral("abc"));
}

TEST(Vario, UserNameGuidAndFamilyFile)
{
    SpeicherUmgebung u;
    Pruefen(u, { { "{UserName}", "Anna Berg" }, { "{brenlo.ini}", "C:\\Brenlo\\Brenlo.ini" } });
    EXPECT_EQ(Vario(u, QStringLiteral("{guid}/{GUID}")), u.guid + QLatin1Char('/') + u.guid);
    EXPECT_EQ(u.guids, 1);
}

TEST(Vario, IdCountsSecondsSince1901PlusTicks)
{
    SpeicherUmgebung u;
    u.zufallswerte = { 0.0 };
    const QDateTime anfang(QDate(1901, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime bezug(u.moment.date(), u.moment.time(), Qt::UTC);
    EXPECT_EQ(Vario(u, QStringLiteral("{id}")), Zahl(anfang.secsTo(bezug) + 123456));
    u.zufallswerte = { 0.999 };
    EXPECT_EQ(Vario(u, QStringLiteral("{id}")), Zahl(anfang.secsTo(bezug) + 123456 + 99));
}

TEST(Vario, WorkdaysSkipSundays)
{
    SpeicherUmgebung u;
    u.moment = QDateTime(QDate(2004, 1, 16), QTime(18, 0)); // a Friday
    Pruefen(u,
        { { "{wt+0}", "16.01.2004" }, { "{wt+1}", "17.01.2004" }, { "{wt+2}", "19.01.2004" },
            { "{WT+6}", "23.01.2004" }, { "{wt+x}", "16.01.2004" } });
    // Only the first kind is handled, with its identical copies.
    EXPECT_EQ(Vario(u, QStringLiteral("{wt+1} {wt+2} {wt+1}")),
        QStringLiteral("17.01.2004 {wt+2} 17.01.2004"));
}

TEST(Vario, WeekdayOfAWrittenDate)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{wochentag24.12.2008}", "Mittwoch" }, { "{Wochentag1.1.2000}", "Samstag" },
            { "{wochentagkein}", "{wochentagkein}" }, { "{wochentag}", "Donnerstag" } });
}

TEST(Vario, RandomChoiceGivesTheLastItemHalfAsOften)
{
    SpeicherUmgebung u;
    constexpr int kZuege = 1000;
    for (int i = 0; i < kZuege; ++i)
        u.zufallswerte.append((i + 0.5) / kZuege);
    std::map<QString, int> anzahl;
    for (int i = 0; i < kZuege; ++i)
        ++anzahl[Vario(u, QStringLiteral("{zufall$A,b,c}"))];
    EXPECT_EQ(anzahl.size(), 3u);
    EXPECT_EQ(anzahl[QStringLiteral("a")], 400);
    EXPECT_EQ(anzahl[QStringLiteral("b")], 400);
    EXPECT_EQ(anzahl[QStringLiteral("c")], 200);
}

TEST(Vario, RandomChoiceItems)
{
    SpeicherUmgebung u;
    u.zufallswerte = { 0.0 };
    Pruefen(u,
        { { "{zufall$Rot,Grün}", "rot" }, { "{zufall$,,x,,}", "x" }, { "<{zufall$}>", "<>" },
            { "{zufall$a,b} {zufall$c,d}", "a {zufall$c,d}" } });
    // From the tenth item on every further item takes the tenth slot.
    u.zufallswerte = { 0.99 };
    EXPECT_EQ(
        Vario(u, QStringLiteral("{zufall$1,2,3,4,5,6,7,8,9,10,11,12}")), QStringLiteral("12"));
}

TEST(Vario, CounterRisesOnEveryExpansion)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "Nr{Counter7}", "Nr1" }, { "Nr{counter7}", "Nr2" },
            { "{COUNTER7}/{counter7}", "3/3" } });
    EXPECT_EQ(u.ini.value(SpeicherUmgebung::iniName(
                  {}, QStringLiteral("Variablen"), QStringLiteral("VarioCount7"))),
        QStringLiteral("3"));
}

TEST(Vario, IndexCyclesBetweenMinAndMax)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{index:bild,1,3}", "1" }, { "{index:bild,1,3}", "2" }, { "{index:bild,1,3}", "3" },
            { "{index:bild,1,3}", "1" }, { "{index:bild,1,3}", "2" }, { "{index:bild}", "0" },
            { "{index:bild}", "0" } });
    EXPECT_EQ(u.ini.value(SpeicherUmgebung::iniName(
                  {}, QStringLiteral("Variablen"), QStringLiteral("VarioIndex_bild"))),
        QStringLiteral("0"));
    Pruefen(u, { { "{index:b2,5,9}", "5" }, { "{index:b2,5,9}", "6" } });
}

TEST(Vario, IniValuesAndVariables)
{
    SpeicherUmgebung u;
    u.iniSchreiben(QStringLiteral("Test.ini"), QStringLiteral("S"), QStringLiteral("K"),
        QStringLiteral("Wert"));
    u.iniSchreiben({}, QStringLiteral("Variablen"), QStringLiteral("Ziel"),
        QStringLiteral(" D:\\Fotos ; Kommentar"));
    Pruefen(u,
        { { "{iniread,Test.ini,S,K,vorgabe}", "Wert" },
            { "{iniread,Test.ini,S,X,vorgabe}", "vorgabe" }, { "{iniread,Test.ini,S,X}", "" },
            { "{variable:Ziel}", "D:\\Fotos" }, { "{variable:Unbekannt}", "Unbekannt" } });
}

TEST(Vario, PlainAndUpperCaseArguments)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{a7b:Müller & Söhne!}", "mueller soehne" },
            { "{a7b:Straße ÄÖÜ 12}", "strasse aeoeue 12" }, { "{aig: müller }", "MÜLLER" } });
}

TEST(Vario, RandomFileFromAPattern)
{
    SpeicherUmgebung u;
    const QString muster = QStringLiteral("C:\\Bilder\\*.jpg");
    u.dateien.insert(muster,
        { QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("c.jpg"),
            QStringLiteral("d.jpg") });
    const struct
    {
        double r;
        const char *erwartet;
    } faelle[] = { { 0.0, "a.jpg" }, { 0.125, "a.jpg" }, { 0.2, "a.jpg" }, { 0.375, "b.jpg" },
        { 0.5, "b.jpg" }, { 0.7, "c.jpg" }, { 0.99, "d.jpg" } };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.r);
        u.zufallswerte = { fall.r };
        u.zufallsZeiger = 0;
        EXPECT_EQ(Vario(u, QStringLiteral("{$C:\\Bilder\\*.jpg}")), QLatin1String(fall.erwartet));
    }
    EXPECT_EQ(u.saaten, 7);
    EXPECT_EQ(Vario(u, QStringLiteral("{$C:\\Leer\\*.xyz}")), QStringLiteral("KeinName.Txt"));
}

TEST(Vario, FilePatternEndsAtTheBraceAfterItsPrefix)
{
    SpeicherUmgebung u;
    u.dateien.insert(QStringLiteral("C:\\Bilder\\*.jpg"), { QStringLiteral("x.jpg") });
    EXPECT_EQ(
        Vario(u, QStringLiteral("{guid}-{$C:\\Bilder\\*.jpg}")), u.guid + QStringLiteral("-x.jpg"));
    EXPECT_EQ(u.gesuchteMuster, QStringList { QStringLiteral("C:\\Bilder\\*.jpg") });
}

TEST(Vario, AllFilesOfAPattern)
{
    SpeicherUmgebung u;
    u.dateien.insert(
        QStringLiteral("C:\\B\\*.*"), { QStringLiteral("a.jpg"), QStringLiteral("b.txt") });
    Pruefen(u, { { "{&C:\\B\\*.*}", "a.jpg b.txt" }, { "{&C:\\Leer\\*.xyz}", "KeinName.Txt" } });
}

TEST(Vario, AgeOfADate)
{
    SpeicherUmgebung u;
    // 15.01.2004 09:05:07 is 127472707 seconds after 01.01.2000, about 4.04 years.
    Pruefen(u,
        { { "Alter: {alter:01.01.2000", "Alter: 4,0 J" }, { "{alter:01.01.2000}", "4,0 J" },
            { "{alter:15.01.2004 09:05}", "7 Sek" }, { "{alter:16.01.2004 09:05:07}", "24,0 Std" },
            { "{alter:kein Datum}", "kein Datum???" } });
    Pruefen(u,
        { { "{alterd:14.01.2004}", "1,4" }, { "{alterd:16.01.2004 09:05:07}", "-1,0" },
            { "{alterd:2004-01-05", "10,4" }, { "{alterd:x}", "x???" } });
}

TEST(Vario, ErrorlevelStaysAndLaterReferencesWithIt)
{
    SpeicherUmgebung u;
    u.env.insert(QStringLiteral("TEMP"), QStringLiteral("C:\\Tmp"));
    Pruefen(u,
        { { "%ERRORLEVEL%", "%ERRORLEVEL%" },
            { "if %errorlevel% %TEMP%", "if %ERRORLEVEL% %TEMP%" },
            { "%TEMP% %ERRORLEVEL%", "C:\\Tmp %ERRORLEVEL%" }, { "50%%", "50" },
            { "% temp %", "% temp %" }, { "% temp % %TEMP%", "% temp % C:\\Tmp" },
            { "nur 50%", "nur 50%" } });
}

TEST(UmgebungErsetzen, AtMostEightPasses)
{
    SpeicherUmgebung u;
    u.env.insert(QStringLiteral("A"), QStringLiteral("%A%"));
    u.env.insert(QStringLiteral("B"), QStringLiteral("x"));
    // A value that holds a reference is met again; each pass starts anew.
    EXPECT_EQ(UmgebungErsetzen(u, QStringLiteral("%a% %b%")), QStringLiteral("%A% %b%"));
    QString kette;
    for (int i = 1; i <= 9; ++i) {
        u.env.insert(QStringLiteral("V%1").arg(i), QString());
        kette += QStringLiteral("%V%1%").arg(i);
    }
    EXPECT_EQ(UmgebungErsetzen(u, kette), QStringLiteral("%V9%"));
}

TEST(PlatzhalterTeil, WholePlaceholderAndArgument)
{
    const struct
    {
        const char *text;
        const char *praefix;
        int teil;
        const char *erwartet;
    } faelle[] = {
        { "x{Counter12}y", "Counter", 1, "{counter12}" },
        { "x{Counter12}y", "Counter", 2, "12" },
        { "x{Counter12}y", " {COUNTER ", 2, "12" },
        { "{counter12", "counter", 1, "" },
        { "{counter12", "counter", 2, "" },
        { "{a}", "{", 1, "" },
        { "{a}", "", 2, "" },
        { "{a}", "b", 1, "" },
        { "{Index:Bild,1}", "index:", 2, "bild,1" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(std::string(fall.text) + " / " + fall.praefix);
        EXPECT_EQ(PlatzhalterTeil(
                      QString::fromUtf8(fall.text), QString::fromUtf8(fall.praefix), fall.teil),
            QString::fromUtf8(fall.erwartet));
    }
}

TEST(DatumAusText, WrittenDates)
{
    const struct
    {
        const char *text;
        QDateTime erwartet;
    } faelle[] = {
        { "01.01.2000", QDateTime(QDate(2000, 1, 1), QTime(0, 0)) },
        { " 1.2.04 ", QDateTime(QDate(2004, 2, 1), QTime(0, 0)) },
        { "1.2.75", QDateTime(QDate(1975, 2, 1), QTime(0, 0)) },
        { "2004-01-05", QDateTime(QDate(2004, 1, 5), QTime(0, 0)) },
        { "24/12/2008 18:30", QDateTime(QDate(2008, 12, 24), QTime(18, 30)) },
        { "24.12.2008 18:30:15", QDateTime(QDate(2008, 12, 24), QTime(18, 30, 15)) },
        { "31.02.2004", QDateTime() },
        { "24.12.2008 25:00", QDateTime() },
        { "kein", QDateTime() },
        { "24.12-2008", QDateTime() },
        { "", QDateTime() },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.text);
        const std::optional<QDateTime> datum = DatumAusText(QString::fromUtf8(fall.text));
        EXPECT_EQ(datum.value_or(QDateTime()), fall.erwartet);
    }
}
