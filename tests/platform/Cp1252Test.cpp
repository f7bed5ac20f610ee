#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

TEST(Cp1252, UmlautsAndQuotationMarkRoundTrip)
{
    const QString text = QStringLiteral("Größe äöü ÄÖÜ ß \u201CFoto\u201D 5 \u20AC");
    const QByteArray bytes = toCp1252(text);
    EXPECT_EQ(bytes, QByteArray("Gr\xF6\xDF" "e \xE4\xF6\xFC \xC4\xD6\xDC \xDF \x93" "Foto\x94 5 \x80"));
    EXPECT_EQ(fromCp1252(bytes), text);
}

TEST(Cp1252, SpecialRangeMatchesWindowsTable)
{
    struct Row { unsigned char byte; char16_t unicode; };
    const Row rows[] = {
        {0x80, 0x20AC}, {0x82, 0x201A}, {0x84, 0x201E}, {0x85, 0x2026}, {0x8A, 0x0160},
        {0x8C, 0x0152}, {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C},
        {0x94, 0x201D}, {0x96, 0x2013}, {0x97, 0x2014}, {0x99, 0x2122}, {0x9F, 0x0178},
        // Undefined in the code page: kept as the C1 control, as Windows does.
        {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D},
        {0xA0, 0x00A0}, {0xFF, 0x00FF}, {0x7F, 0x007F}, {0x00, 0x0000},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.byte);
        const QByteArray one(1, static_cast<char>(row.byte));
        EXPECT_EQ(fromCp1252(one), QString(QChar(row.unicode)));
        EXPECT_EQ(cp1252Code(QChar(row.unicode)), row.byte);
        EXPECT_EQ(toCp1252(QString(QChar(row.unicode))), one);
    }
}

TEST(Cp1252, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(Cp1252, CharactersOutsideBecomeQuestionMark)
{
    struct Row { const char *name; QString text; QByteArray bytes; };
    const Row rows[] = {
        {"cyrillic", QStringLiteral("\u0416"), "?"},
        {"c1 control that 0x80 does not hold", QString(QChar(0x0080)), "?"},
        {"c1 control that 0x9E does not hold", QString(QChar(0x009E)), "?"},
        {"ideograph among letters", QStringLiteral("a\u65E5b"), "a?b"},
        {"emoji is one character", QStringLiteral("x\U0001F600y"), "x?y"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toCp1252(row.text), row.bytes);
    }
    EXPECT_EQ(cp1252Code(QChar(0x0416)), '?');
}

} // namespace
} // namespace mirbelon
