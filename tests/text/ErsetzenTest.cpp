#include "text/Ersetzen.h"

#include "tests/text/QStringAusgabe.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

TEST(Ersetzen, ReplacesIgnoringCaseWithoutReplacingInsertedText)
{
    const struct
    {
        const char *name;
        const char *text;
        const char *suche;
        const char *ersatz;
        const char *erwartet;
    } faelle[] = {
        { "search lower, text upper", "C:\\Tools", "c:", "h:", "h:\\Tools" },
        { "search upper, text lower", "c:\\tools", "TOOLS", "Bin", "c:\\Bin" },
        { "replacement holds the search", "aaa", "a", "ab", "ababab" },
        { "untouched characters keep case", "Foto UND Bild und", "und", "&", "Foto & Bild &" },
        { "empty text", "", "a", "b", "" },
        { "empty text, empty search", "", "", "X", "" },
        { "empty search inserts once per character", "ab", "", "X", "XXab" },
        { "empty search, one character", "a", "", "XY", "XYa" },
        { "no hit", "abc", "x", "y", "abc" },
        { "empty replacement removes", "a-b-c", "-", "", "abc" },
        { "hits do not overlap", "aaaa", "aa", "b", "bb" },
        { "umlaut ignores case", "ÄPFEL äpfel", "äpfel", "Birnen", "Birnen Birnen" },
        { "whole text", "Abc", "ABC", "x", "x" },
        { "search longer than text", "ab", "abc", "x", "ab" },
        { "hit at the end", "Bild.JPG", ".jpg", ".png", "Bild.png" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(Ersetzen(QString::fromUtf8(fall.text), QString::fromUtf8(fall.suche),
                      QString::fromUtf8(fall.ersatz)),
            QString::fromUtf8(fall.erwartet));
    }
}

TEST(Ersetzen, LengthChangingLowerCaseDoesNotShiftPositions)
{
    // "İ" lower-cases to two characters as a whole text; the positions found
    // must still match the input.
    const QString text = QString::fromUtf8("İx-y");
    EXPECT_EQ(Ersetzen(text, QStringLiteral("-"), QStringLiteral("+")), QString::fromUtf8("İx+y"));
    EXPECT_EQ(KleinBuchstaben(text).size(), text.size());
}

} // namespace
} // namespace mirbelon
