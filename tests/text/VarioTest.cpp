#include "text/Vario.h"

#include "tests/text/VarioUmgebung.h"

#include <gtest/gtest.h>

using namespace mirbelon;
using namespace mirbelon::test;

TEST(Vario, TextWithoutBraceOrPercentComesBackUnchanged)
{
    SpeicherUmgebung u;
    Pruefen(u, { { "", "" }, { "C:\\Bilder\\2004", "C:\\Bilder\\2004" }, { "jjjj}", "jjjj}" } });
    EXPECT_EQ(u.jetztAbfragen, 0);
}

TEST(Vario, EnvironmentReferenceIsReplacedWithoutBrace)
{
    SpeicherUmgebung u;
    u.env.insert(QStringLiteral("TEMP"), QStringLiteral("C:\\Tmp"));
    Pruefen(u,
        { { "%TEMP%\\x", "C:\\Tmp\\x" }, { "%temp%\\{jjjj}", "C:\\Tmp\\2004" },
            { "%Unbekannt%!", "!" } });
}

TEST(Vario, ReferenceMomentIsReadOncePerExpansion)
{
    SpeicherUmgebung u;
    Vario(u, QStringLiteral("{jjjj}{hh}{tag}{alter:01.01.2000}{wt+1}"));
    EXPECT_EQ(u.jetztAbfragen, 1);
}

TEST(Vario, KeyNamesBecomeControlCharacters)
{
    SpeicherUmgebung u;
    EXPECT_EQ(Vario(u, QStringLiteral("a{Tab}b{crlf}c{CR}{LF}{None}{NICHTS}{back}")),
        QStringLiteral("a\tb\r\nc\r\n\b"));
}

TEST(Vario, FixedPlaceholdersOfAThursdayInJanuary)
{
    SpeicherUmgebung u;
    u.labels.insert(QStringLiteral("C:"), QStringLiteral("urlaub 2004   "));
    Pruefen(u,
        {
            { "{K07}", "02" },
            { "{K10}", "01" },
            { "{datum}", "15.1.2004" },
            { "{datum0}", "15.01.2004" },
            { "{kw}", "03" },
            { "{versionakt0}", "2004.01" },
            { "{kwj}", "03" },
            { "{kwj2}", "04" },
            { "{kwj3}", "03" },
            { "{kwj4}", "04" },
            { "{kwj5}", "05" },
            { "{kw2}", "02" },
            { "{kw3}", "01" },
            { "{kw4}", "01" },
            { "{kw5}", "01" },
            { "{q}", "1" },
            { "{qr}", "I" },
            { "{jjjjq-1m}", "2003-4" },
            { "{jjqr}", "04-I" },
            { "{jjjjqr}", "2004-I" },
            { "{hh}", "09" },
            { "{hh-mm}", "09-05" },
            { "{hh-mm-ss}", "09-05-07" },
            { "{hh:mm}", "09:05" },
            { "{hh:mm:ss}", "09:05:07" },
            { "{SysTime}", "123456" },
            { "{jahr1}", "4" },
            { "{jahr2}", "04" },
            { "{jahr4}", "2004" },
            { "{jahrzent}", "0" },
            { "{jahrzent0}", "00" },
            { "{jahrhundert}", "20" },
            { "{jahrhundert+1}", "21" },
            { "{jahrtausend}", "2" },
            { "{jahrtausend+1}", "3" },
            { "{j}", "4" },
            { "{jj}", "04" },
            { "{yy}", "04" },
            { "{jj-1}", "03" },
            { "{jj-2}", "02" },
            { "{jj+1}", "05" },
            { "{jjjj}", "2004" },
            { "{yyyy}", "2004" },
            { "{jjjj-1}", "2003" },
            { "{jjjj-2}", "2002" },
            { "{jjjj+1}", "2005" },
            { "{jj-mm-tt}", "04-01-15" },
            { "{jjjj-mm-tt}", "2004-01-15" },
            { "{jjjj-mm}", "2004-01" },
            { "{jjjj-mm-1}", "2003-12" },
            { "{jjjj-mm-2}", "2003-11" },
            { "{jjmmtt}", "040115" },
            { "{jjjjmmtt}", "20040115" },
            { "{jetzt}", "Donnerstag, 15. Januar 2004 um 09:05 Uhr" },
            { "{laufwerk}", "C:" },
            { "{mm}", "01" },
            { "{mm-1}", "12" },
            { "{mm-2}", "11" },
            { "{monat}", "Januar" },
            { "{m}", "1" },
            { "{monat0}", "01" },
            { "{monatsname}", "Januar" },
            { "{monatsname3}", "Jan" },
            { "{mmmm}", "Januar" },
            { "{mmm}", "Jan" },
            { "{label}", "[urlaub 2004]" },
            { "{pfad}", "C:\\Arbeit" },
            { "{ordner_app}", "C:\\Prg" },
            { "{ordner_prg}", "C:\\Prg" },
            { "{ordner_dat}", "C:\\Dat" },
            { "{ordner_win}", "C:\\Windows" },
            { "{ordner_sys}", "C:\\Windows\\System32" },
            { "{ordner_cur}", "C:\\Arbeit" },
            { "{PrgTitel}", "Mirbelon" },
            { "{PrgName}", "Mirbelon" },
            { "{s}", "7" },
            { "{ss}", "07" },
            { "{sekunde}", "7" },
            { "{sekunde0}", "07" },
            { "{n}", "5" },
            { "{nn}", "05" },
            { "{minute}", "5" },
            { "{minute0}", "05" },
            { "{stunde}", "9" },
            { "{stunde0}", "09" },
            { "{h}", "9" },
            { "{tag}", "15" },
            { "{tag0}", "15" },
            { "{t}", "15" },
            { "{tt}", "15" },
            { "{dd}", "15" },
            { "{tt-mm-jj}", "15-01-04" },
            { "{tt-mm-jjjj}", "15-01-2004" },
            { "{tt.mm.jj}", "15.01.04" },
            { "{tt.mm.jjjj}", "15.01.2004" },
            { "{uhrzeit}", "9:5" },
            { "{uhrzeit0}", "09:05" },
            { "{wochentag}", "Donnerstag" },
            { "{wochentag2}", "Do" },
            { "{wwww}", "Donnerstag" },
            { "{ww}", "Do" },
        });
}

TEST(Vario, PlaceholdersMatchWithoutRegardToCase)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{JJJJ}", "2004" }, { "{jjjj}", "2004" }, { "{JjJj}-{MM}", "2004-01" },
            { "{systime}", "123456" } });
}

TEST(Vario, EveryOccurrenceIsReplaced)
{
    SpeicherUmgebung u;
    Pruefen(u, { { "{hh}/{HH}/{hh}", "09/09/09" }, { "{jjjj}{jjjj}", "20042004" } });
}

TEST(Vario, UnknownPlaceholderStaysAsWritten)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{unbekannt}", "{unbekannt}" }, { "{Counter}", "{Counter}" },
            { "{CounterX}", "{CounterX}" }, { "{jjjj", "{jjjj" } });
}

TEST(Vario, ValueHoldingALaterPlaceholderIsExpandedFurther)
{
    SpeicherUmgebung u;
    u.prg = QStringLiteral("C:\\Prg\\{tag}-{jjjj}");
    // "{tag}" comes after "{ordner_prg}" in the order, "{jjjj}" before it.
    EXPECT_EQ(Vario(u, QStringLiteral("{ordner_prg}")), QStringLiteral("C:\\Prg\\15-{jjjj}"));
    u.labels.insert(QStringLiteral("C:"), QStringLiteral("{hh}"));
    EXPECT_EQ(Vario(u, QStringLiteral("{label}")), QStringLiteral("[09]"));
}

TEST(Vario, WeekOfLateDecemberCountsAsFiftyTwoForTheYear)
{
    SpeicherUmgebung u;
    u.moment = QDateTime(QDate(2008, 12, 31), QTime(12, 0));
    Pruefen(u,
        { { "{kw}", "01" }, { "{kwj}", "52" }, { "{kwj2}", "52" }, { "{kwj5}", "50" },
            { "{kw2}", "01" }, { "{q}", "4" }, { "{qr}", "IV" }, { "{jjjjq-1m}", "2008-4" },
            { "{mm-1}", "11" }, { "{K07}", "52" }, { "{K10}", "37" } });
}

TEST(Vario, MonthArithmeticAroundTheYearEnd)
{
    SpeicherUmgebung u;
    u.moment = QDateTime(QDate(2004, 2, 29), QTime(0, 0));
    Pruefen(u,
        { { "{mm-1}", "01" }, { "{mm-2}", "12" }, { "{jjjj-mm-1}", "2004-01" },
            { "{jjjj-mm-2}", "2003-12" }, { "{jjjjq-1m}", "2004-1" } });
    u.moment = QDateTime(QDate(2004, 4, 30), QTime(0, 0));
    Pruefen(u, { { "{jjjjq-1m}", "2004-1" }, { "{jjqr}", "04-II" } });
}

TEST(Vario, TwoDigitYearArithmeticKeepsItsQuirks)
{
    SpeicherUmgebung u;
    u.moment = QDateTime(QDate(2000, 6, 1), QTime(0, 0));
    Pruefen(u, { { "{jj-1}", "-01" }, { "{jj-2}", "-02" }, { "{jjjj-1}", "1999" } });
    u.moment = QDateTime(QDate(2099, 6, 1), QTime(0, 0));
    Pruefen(u, { { "{jj+1}", "100" }, { "{jahrhundert+1}", "21" } });
    u.moment = QDateTime(QDate(2015, 6, 1), QTime(0, 0));
    Pruefen(u, { { "{jahrzent}", "1" }, { "{jahrzent0}", "10" }, { "{jahrtausend+1}", "3" } });
}

TEST(Vario, SystemTimeIsSigned)
{
    SpeicherUmgebung u;
    u.tick = 0xFFFFFFFFu;
    EXPECT_EQ(Vario(u, QStringLiteral("{SysTime}")), QStringLiteral("-1"));
}

TEST(Vario, RandomNumbersHaveTheirDigitCount)
{
    SpeicherUmgebung u;
    u.zufallswerte = { 0.123456789 };
    Pruefen(u, { { "{zufall1}", "1" }, { "{zufall3}", "123" }, { "{zufall8}", "12345679" } });
    u.zufallswerte = { 0.99999 };
    // Rounding can reach 10 to the power k, one digit longer.
    Pruefen(u, { { "{zufall1}", "10" }, { "{zufall2}", "100" } });
    u.zufallswerte = { 0.0 };
    Pruefen(u, { { "{zufall4}", "0000" } });
}

TEST(Vario, OccurrenceBeyondSixteenBitPositionsStays)
{
    SpeicherUmgebung u;
    const QString vorne(32766, QLatin1Char('a'));
    EXPECT_EQ(Vario(u, vorne + QStringLiteral("{jjjj}")), vorne + QStringLiteral("2004"));
    const QString weiter(32767, QLatin1Char('a'));
    EXPECT_EQ(Vario(u, weiter + QStringLiteral("{jjjj}")), weiter + QStringLiteral("{jjjj}"));
    EXPECT_EQ(Vario(u, QStringLiteral("{jjjj}") + weiter + QStringLiteral("{jjjj}")),
        QStringLiteral("2004") + weiter + QStringLiteral("{jjjj}"));
}
