#include "text/Formatierung.h"

#include "tests/text/QStringAusgabe.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(KalenderName, NamesByStyleWithTheLastEntryOutsideTheRange)
{
    const struct
    {
        const char *name;
        int nummer;
        const char *stil;
        const char *erwartet;
    } faelle[] = {
        { "style ignores case", 1, "WT", "Sonntag" },
        { "Saturday", 7, "wt", "Samstag" },
        { "weekday zero", 0, "wt", "Tag???" },
        { "weekday eight", 8, "wt", "Tag???" },
        { "short weekday", 2, "wt2", "Mo" },
        { "short weekday outside", -1, "Wt2", "??" },
        { "month", 3, "mo", "März" },
        { "December", 12, "mo", "Dezember" },
        { "month 13", 13, "mo", "Monat???" },
        { "short month", 3, "mo3", "Mär" },
        { "short month outside", 0, "MO3", "???" },
        { "unknown style", 3, "xx", "" },
        { "empty style", 3, "", "" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(KalenderName(fall.nummer, S(fall.stil)), S(fall.erwartet));
    }
}

TEST(VersionAktuell, LabelsTheDateByMode)
{
    const QDate heute(2024, 3, 7);
    const struct
    {
        const char *name;
        int modus;
        QDate datum;
        const char *erwartet;
    } faelle[] = {
        { "year", 1, heute, "2024" },
        { "month", 2, heute, "03" },
        { "fixed", 3, heute, "0000" },
        { "with day", 10, heute, "2024.03.07" },
        { "default", 0, heute, "2024.03" },
        { "other mode", 7, heute, "2024.03" },
        { "year before 2000", 1, QDate(1999, 11, 2), "99" },
        { "label before 2000", 0, QDate(1905, 11, 2), "05.11" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(VersionAktuell(fall.modus, fall.datum), S(fall.erwartet));
    }
}

TEST(DauerText, ChoosesTheUnitByThreshold)
{
    const struct
    {
        const char *name;
        double sekunden;
        int kurz;
        const char *erwartet;
    } faelle[] = {
        { "one second", 1, 0, "1 Sekunde" },
        { "zero", 0, 0, "0 Sekunden" },
        { "half rounds to even", 0.5, 0, "0 Sekunden" },
        { "one and a half rounds to even", 1.5, 0, "2 Sekunden" },
        { "one, short", 1, 1, "1 Sek" },
        { "below two minutes", 119, 1, "119 Sek" },
        { "two minutes", 120, 1, "2,0 Min" },
        { "minutes long", 150, 0, "2,5 Minuten" },
        { "negative hours", -7200, 0, "2,0 Stunden" },
        { "one hour", 3600, 1, "1,0 Std" },
        { "36 hours", 129600, 0, "1,5 Tage" },
        { "below 36 hours", 129599, 0, "36,0 Stunden" },
        { "whole days", 700000, 0, "8 Tage" },
        { "whole days short", 604800, 1, "7 Tg" },
        { "one year short", 31557600, 1, "1,0 J" },
        { "years long", 47336400, 0, "1,5 Jahre" },
        { "other flag is long", 5, 2, "5 Sekunden" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(DauerText(fall.sekunden, fall.kurz), S(fall.erwartet));
    }
}

TEST(ZahlKurz, UsesDecimalPrefixes)
{
    const struct
    {
        const char *name;
        double wert;
        int modus;
        const char *erwartet;
    } faelle[] = {
        { "thousands letter", 1500, 0, "1,5 k" },
        { "thousands word", 1500, 1, "1,5 Tsd" },
        { "over a hundred", 250000, 0, "250 k" },
        { "exactly a hundred keeps decimal", 100000, 0, "100,0 k" },
        { "words stop at billions", 5e12, 1, "5.000 Mrd" },
        { "letters go on", 5e12, 0, "5,0 T" },
        { "zetta", 2e21, 0, "2,0 Zetta" },
        { "yotta", 3e27, 0, "3.000 Yotta" },
        { "negative", -2e6, 1, "2,0 Mio" },
        { "plain", 42, 0, "42 " },
        { "plain rounds", 999.5, 0, "1000 " },
        { "below one", 0.5, 0, "0,5 " },
        { "below a tenth", 0.05, 0, "0,05 " },
        { "below a hundredth", 0.005, 0, "0,005 " },
        { "milli", 0.0005, 0, "0,5000 m" },
        { "milli boundary", 0.001, 0, "1,0000 m" },
        { "micro", 5e-7, 0, "0,5000 µ" },
        { "milli until the next step", 2e-6, 0, "0,0020 m" },
        { "pico", 3e-13, 0, "0,3000 p" },
        { "zero", 0, 0, "0 " },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(ZahlKurz(fall.wert, fall.modus), S(fall.erwartet));
    }
}

TEST(GroesseText, UsesBinaryPrefixes)
{
    const struct
    {
        const char *name;
        double bytes;
        const char *erwartet;
    } faelle[] = {
        { "bytes", 512, "512 " },
        { "just below a kibibyte", 1023, "1023 " },
        { "one kibibyte", 1024, "1,0 Ki" },
        { "one and a half", 1536, "1,5 Ki" },
        { "over a hundred", 250 * 1024.0, "250 Ki" },
        { "grouped", 1000 * 1024.0, "1.000 Ki" },
        { "mebibytes", 1048576, "1,0 Mi" },
        { "exactly a hundred", 100 * 1024.0, "100,0 Ki" },
        { "gibibytes", 3.25 * 1073741824.0, "3,3 Gi" },
        { "yobibytes are the last", 2048 * 1208925819614629174706176.0, "2.048 Yi" },
        { "zero", 0, "0 " },
        { "negative bytes keep the sign", -5, "-5 " },
        { "negative prefix loses it", -1536, "1,5 Ki" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(GroesseText(fall.bytes), S(fall.erwartet));
    }
}

TEST(GrossKleinMitAusnahmen, CapitalisesWordsAndKeepsListedOnesSmall)
{
    const QString liste = GrossKleinFesteAusnahmen();
    const struct
    {
        const char *name;
        const char *text;
        QString ausnahmen;
        const char *erwartet;
    } faelle[] = {
        { "words and exceptions", "fotos und bilder von anna", liste, "Fotos und Bilder von Anna" },
        { "first word keeps capital", "und fotos", liste, "Und Fotos" },
        { "last word keeps capital", "fotos und", liste, "Fotos Und" },
        { "exception next to a hyphen", "anna-und-otto", liste, "Anna-Und-Otto" },
        { "shared blank", "a und und b", liste, "A und Und B" },
        { "upper input", "FOTOS UND BILDER", liste, "Fotos und Bilder" },
        { "dot does not start a word", "foto.JPG", liste, "Foto.jpg" },
        { "path", "c:\\bilder\\urlaub", liste, "C:\\Bilder\\Urlaub" },
        { "separators", "a,b;c!d?e°f_g(h)i[j]k{l}m=n~o<p>q«r»s/t*u+v&w:x\"y", liste,
            "A,B;C!D?E°F_G(H)I[J]K{L}M=N~O<P>Q«R»S/T*U+V&W:X\"Y" },
        { "control character starts a word", "a\tb\nc", liste, "A\tB\nC" },
        { "apostrophe entry", "heft der c't nr", liste, "Heft der c't Nr" },
        { "apostrophe does not start a word", "heft der c't", liste, "Heft der C't" },
        { "umlaut entry", "bilder für anna", liste, "Bilder für Anna" },
        { "umlauts lower case", "ÄPFEL ÖL", liste, "Äpfel Öl" },
        { "user entries trimmed and lowered", "anna MIT otto zum see", S(" MIT ,Zum,,") + liste,
            "Anna mit Otto zum See" },
        { "entry of two words", "bilder van der berg", S("Van Der") + liste,
            "Bilder van der Berg" },
        { "entry beside an entry", "anna und von otto", liste, "Anna und von Otto" },
        { "no list", "fotos und bilder", QString(), "Fotos Und Bilder" },
        { "one character", "x", liste, "X" },
        { "one sharp s", "ß", liste, "ß" },
        { "empty", "", liste, "" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(GrossKleinMitAusnahmen(S(fall.text), fall.ausnahmen), S(fall.erwartet));
    }
}

TEST(GrossKleinFesteAusnahmen, IsTheFamilyList)
{
    EXPECT_EQ(GrossKleinFesteAusnahmen(),
        S(",und,oder,von,med,am,an,im,in,der,die,das,dem,den,für,bei,auf,unter,c't,b.,u.,"));
}

} // namespace
} // namespace mirbelon
