#include "text/Zahlen.h"

#include "tests/text/QStringAusgabe.h"

#include <gtest/gtest.h>

#include <cmath>

namespace mirbelon {
namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(Runden, HalvesAwayFromZeroOrToEven)
{
    const struct
    {
        double x;
        double kaufmaennisch;
        double gerade;
    } faelle[] = {
        { 0.5, 1, 0 },
        { 1.5, 2, 2 },
        { 2.5, 3, 2 },
        { -0.5, -1, -0 },
        { -2.5, -3, -2 },
        { 2.4, 2, 2 },
        { 2.6, 3, 3 },
        { -2.6, -3, -3 },
        { 7, 7, 7 },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.x);
        EXPECT_EQ(RundeKaufmaennisch(fall.x), fall.kaufmaennisch);
        EXPECT_EQ(RundeGerade(fall.x), fall.gerade);
    }
}

TEST(ZahlWert, ReadsTheLeadingNumberLikeVal)
{
    const struct
    {
        const char *name;
        const char *text;
        double erwartet;
    } faelle[] = {
        { "whole", "42", 42 },
        { "empty", "", 0 },
        { "letters", "abc", 0 },
        { "leading blanks", "   7", 7 },
        { "blanks inside", " 1 2 3", 123 },
        { "tab and line feed skipped", "\t1\n2", 12 },
        { "carriage return ends", "1\r2", 1 },
        { "minus", "-5", -5 },
        { "plus", "+5", 5 },
        { "blank after sign", "- 5", -5 },
        { "two signs", "--5", 0 },
        { "decimal point", "3.25", 3.25 },
        { "comma ends", "3,25", 3 },
        { "second point ends", "1.2.3", 1.2 },
        { "leading point", ".5", 0.5 },
        { "negative leading point", "-.5", -0.5 },
        { "point alone", ".", 0 },
        { "trailing text", "12abc", 12 },
        { "exponent", "1.5e3", 1500 },
        { "exponent upper case with sign", "2E-2", 0.02 },
        { "exponent with blanks", "1 e 2", 100 },
        { "exponent without digits", "12e", 12 },
        { "exponent sign without digits", "12e+x", 12 },
        { "exponent needs a mantissa", "e5", 0 },
        { "too large", "1e999", 0 },
        { "tiny", "1e-999", 0 },
        { "non-ASCII digit ends", "1\xd9\xa3", 1 },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_DOUBLE_EQ(ZahlWert(S(fall.text)), fall.erwartet);
    }
}

TEST(FormatZahl, WritesTheNumberFormatsWithGermanSeparators)
{
    const struct
    {
        const char *name;
        double wert;
        const char *format;
        const char *erwartet;
    } faelle[] = {
        { "whole", 42, "0", "42" },
        { "whole rounds half up", 2.5, "0", "3" },
        { "whole rounds negative half away", -2.5, "0", "-3" },
        { "zero", 0, "0", "0" },
        { "padded", 7, "00", "07" },
        { "wider than the pattern", 123, "00", "123" },
        { "eight digits", 1234, "00000000", "00001234" },
        { "padding after rounding", 9.5, "00", "10" },
        { "one decimal", 1.25, "0.0", "1,3" },
        { "decimal as written", 0.15, "0.0", "0,2" },
        { "two decimals", 3, "0.00", "3,00" },
        { "four decimals", 0.5, "0.0000", "0,5000" },
        { "carry into whole", 9.96, "0.0", "10,0" },
        { "hash of zero", 0, "#", "" },
        { "hash rounds to zero", 0.4, "#", "" },
        { "hash", 8.1, "#", "8" },
        { "hash one decimal below one", 0.5, "#.0", ",5" },
        { "hash one decimal", 2, "#.0", "2,0" },
        { "groups", 1234567, "#,##0", "1.234.567" },
        { "groups small", 999, "#,##0", "999" },
        { "groups thousand", 1000, "#,##0", "1.000" },
        { "groups zero", 0, "#,##0", "0" },
        { "groups negative", -1234, "#,##0", "-1.234" },
        { "groups with decimal", 1234.56, "#,##0.0", "1.234,6" },
        { "negative decimal", -0.25, "0.0", "-0,3" },
        { "negative that rounds to zero", -0.4, "0", "0" },
        { "large", 1e20, "0", "100000000000000000000" },
        { "huge", 1e300, "#,##0", nullptr },
        { "tiny", 5e-324, "0.0000", "0,0000" },
        { "empty format shortest", 2.5, "", "2,5" },
        { "empty format whole", 100, "", "100" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        const QString text = FormatZahl(fall.wert, S(fall.format));
        if (fall.erwartet)
            EXPECT_EQ(text, S(fall.erwartet));
        else // written in full: 301 digits in groups of three
            EXPECT_TRUE(text.startsWith(S("1.000.000")) && text.size() == 301 + 100) << text.size();
    }
}

TEST(FormatZahl, SeparatorsFollowTheLocale)
{
    const QLocale englisch(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(FormatZahl(1234.5, S("#,##0.0"), englisch), S("1,234.5"));
    EXPECT_EQ(FormatZahl(1234.5, S("#,##0.0")), S("1.234,5"));

    QString ziel = S("x=");
    FormatZahlAnhaengen(ziel, 1536, ZahlFormatLesen(S("#,##0")));
    EXPECT_EQ(ziel, S("x=1.536"));
}

TEST(FormatDatum, WritesTheDateCodes)
{
    // Thursday, 7 March 2024, 09:05:04.
    const QDateTime moment(QDate(2024, 3, 7), QTime(9, 5, 4));
    const struct
    {
        const char *name;
        const char *format;
        const char *erwartet;
    } faelle[] = {
        { "date", "dd.mm.yyyy", "07.03.2024" },
        { "short date", "d.m.yyyy", "7.3.2024" },
        { "time", "hh:nn:ss", "09:05:04" },
        { "short time", "h:n:s", "9:5:4" },
        { "log stamp", "yy-mm-dd hh:nn:ss", "24-03-07 09:05:04" },
        { "file stamp", "yyyymmdd_", "20240307_" },
        { "quarter", "q", "1" },
        { "month name", "mmmm", "März" },
        { "short month name", "mmm", "Mär" },
        { "weekday", "dddd", "Donnerstag" },
        { "short weekday", "ddd", "Do" },
        { "short weekday capitalised", "Ddd", "Do" },
        { "upper case codes", "DD.MM.YYYY", "07.03.2024" },
        { "other characters copied", "x/ab", "x/ab" },
        { "single y copied", "y", "y" },
        { "long run of d", "ddddd", "Donnerstag7" },
        { "empty", "", "" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(FormatDatum(moment, S(fall.format)), S(fall.erwartet));
    }
}

TEST(FormatDatum, QuartersAndMidnight)
{
    EXPECT_EQ(FormatDatum(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)), S("q hh")), S("4 23"));
    EXPECT_EQ(FormatDatum(QDateTime(QDate(2024, 4, 1), QTime(0, 0)), S("q h:nn")), S("2 0:00"));
    EXPECT_EQ(FormatDatum(QDateTime(QDate(2024, 9, 30), QTime(0, 0)), S("q")), S("3"));
    EXPECT_EQ(FormatDatum(QDateTime(), S("dd.mm.yyyy hh:nn")), S("30.12.1899 00:00"));
}

} // namespace
} // namespace mirbelon
