#include "platform/ProfileFormat.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

struct ReadRow
{
    const char *name;
    QString content;
    QString section;
    QString key;
    std::optional<QString> expected;
};

TEST(ProfileFormat, ReadsAsTheWindowsProfileFunctions)
{
    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    const ReadRow rows[] = {
        {"crlf lines", s("[A]\r\nx=1\r\ny=2\r\n"), s("A"), s("y"), s("2")},
        {"lf-only file of another program", s("[A]\nx=1\ny=2\n"), s("A"), s("y"), s("2")},
        {"last line without end", s("[A]\nx=1"), s("A"), s("x"), s("1")},
        {"blank lines", s("\r\n\r\n[A]\r\n\r\n\r\nx=1\r\n\r\n"), s("A"), s("x"), s("1")},
        {"section name without regard to case", s("[Quellen]\nx=1\n"), s("QUELLEN"), s("x"),
         s("1")},
        {"key without regard to case", s("[A]\nDirFotos=1\n"), s("A"), s("dirfotos"), s("1")},
        {"umlaut case", s("[Übersicht]\nÄnderung=1\n"), s("übersicht"), s("ÄNDERUNG"), s("1")},
        {"blanks around the section name", s("[  A \t]\nx=1\n"), s("A"), s("x"), s("1")},
        {"blanks before the bracket", s("  [A]\nx=1\n"), s("A"), s("x"), s("1")},
        {"blanks around the key", s("[A]\n  x \t= 1\n"), s("A"), s("x"), s("1")},
        {"blanks around the asked names", s("[A]\nx=1\n"), s(" A "), s(" x "), s("1")},
        {"value trimmed", s("[A]\nx=   a b  \t\r\n"), s("A"), s("x"), s("a b")},
        {"value with equals sign", s("[A]\nx=a=b=c\n"), s("A"), s("x"), s("a=b=c")},
        {"empty value", s("[A]\nx=\n"), s("A"), s("x"), s("")},
        {"double quotes stripped", s("[A]\nx=\"a b\"\n"), s("A"), s("x"), s("a b")},
        {"single quotes stripped", s("[A]\nx='a b'\n"), s("A"), s("x"), s("a b")},
        {"blanks inside quotes kept", s("[A]\nx=\" a \"\n"), s("A"), s("x"), s(" a ")},
        {"unmatched quotes kept", s("[A]\nx=\"a'\n"), s("A"), s("x"), s("\"a'")},
        {"quote only at start kept", s("[A]\nx=\"a\n"), s("A"), s("x"), s("\"a")},
        {"lone quote kept", s("[A]\nx=\"\n"), s("A"), s("x"), s("\"")},
        {"pair of quotes is empty", s("[A]\nx=\"\"\n"), s("A"), s("x"), s("")},
        {"left double quotation mark is no quote", s("[A]\nx=\u201Ca\u201C\n"), s("A"), s("x"),
         s("\u201Ca\u201C")},
        {"first key wins", s("[A]\nx=1\nX=2\n"), s("A"), s("x"), s("1")},
        {"first section wins", s("[A]\nx=1\n[a]\nx=2\n"), s("a"), s("x"), s("1")},
        {"second section of the name is not searched", s("[A]\ny=1\n[a]\nx=2\n"), s("A"),
         s("x"), std::nullopt},
        {"key of another section", s("[A]\nx=1\n[B]\ny=2\n"), s("A"), s("y"), std::nullopt},
        {"key before any section", s("x=0\n[A]\nx=1\n"), s("B"), s("x"), std::nullopt},
        {"key before any section with empty name", s("x=0\n"), s(""), s("x"), std::nullopt},
        {"missing section", s("[A]\nx=1\n"), s("B"), s("x"), std::nullopt},
        {"empty file", s(""), s("A"), s("x"), std::nullopt},
        {"line without equals skipped", s("[A]\nx\nx=1\n"), s("A"), s("x"), s("1")},
        {"line without equals is no key", s("[A]\nx\n"), s("A"), s("x"), std::nullopt},
        {"comment is never a key", s("[A]\n;x=1\n  ; x=2\nx=3\n"), s("A"), s("x"), s("3")},
        {"comment key not found", s("[A]\n;x=1\n"), s("A"), s(";x"), std::nullopt},
        {"bracket without close is a line", s("[A]\n[B\nx=1\n"), s("A"), s("x"), s("1")},
        {"last bracket closes the name", s("[a]b]\nx=1\n"), s("a]b"), s("x"), s("1")},
        {"empty key asks for nothing", s("[A]\n=1\n"), s("A"), s(""), std::nullopt},
        {"no-break space is part of the value", s("[A]\nx=\u00A0a\u00A0\n"), s("A"), s("x"),
         s("\u00A0a\u00A0")},
    };
    for (const ReadRow &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(profile::read(row.content, row.section, row.key), row.expected);
    }
}

struct WriteRow
{
    const char *name;
    QString content;
    QString section;
    QString key;
    QString value;
    QString expected;
};

TEST(ProfileFormat, WritesAsTheWindowsProfileFunctions)
{
    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    const WriteRow rows[] = {
        {"new file", s(""), s("Mirbelon"), s("01"), s("a:\\"), s("[Mirbelon]\r\n01=a:\\\r\n")},
        {"replace in place", s("[A]\r\nx=1\r\ny=2\r\nz=3\r\n"), s("A"), s("y"), s("9"),
         s("[A]\r\nx=1\r\ny=9\r\nz=3\r\n")},
        {"replace writes the given key", s("[A]\r\n  Key = old \r\n"), s("a"), s("KEY"),
         s("new"), s("[A]\r\nKEY=new\r\n")},
        {"replace only the first key", s("[A]\r\nx=1\r\nx=2\r\n"), s("A"), s("x"), s("9"),
         s("[A]\r\nx=9\r\nx=2\r\n")},
        {"replace in the first section only", s("[A]\r\nx=1\r\n[a]\r\nx=2\r\n"), s("a"), s("x"),
         s("9"), s("[A]\r\nx=9\r\n[a]\r\nx=2\r\n")},
        {"append after the last key of the section",
         s("[A]\r\nx=1\r\n\r\n; about B\r\n[B]\r\ny=2\r\n"), s("A"), s("z"), s("3"),
         s("[A]\r\nx=1\r\nz=3\r\n\r\n; about B\r\n[B]\r\ny=2\r\n")},
        {"append at the end of the last section", s("[A]\r\nx=1\r\n\r\n"), s("A"), s("z"),
         s("3"), s("[A]\r\nx=1\r\nz=3\r\n\r\n")},
        {"append into a section without keys", s("[A]\r\n\r\n[B]\r\n"), s("A"), s("z"), s("3"),
         s("[A]\r\nz=3\r\n\r\n[B]\r\n")},
        {"append past foreign lines and comments inside the section",
         s("[A]\r\n;c\r\nx=1\r\nfoo\r\n"), s("A"), s("z"), s("3"),
         s("[A]\r\n;c\r\nx=1\r\nz=3\r\nfoo\r\n")},
        {"commented key is not replaced", s("[A]\r\n;x=1\r\n"), s("A"), s("x"), s("2"),
         s("[A]\r\nx=2\r\n;x=1\r\n")},
        {"new section at the end", s("[A]\r\nx=1\r\n"), s("B"), s("y"), s("2"),
         s("[A]\r\nx=1\r\n[B]\r\ny=2\r\n")},
        {"new section after a last line without end", s("[A]\r\nx=1"), s("B"), s("y"), s("2"),
         s("[A]\r\nx=1\r\n[B]\r\ny=2\r\n")},
        {"keys before any section are not a section", s("x=0\r\n"), s(""), s("x"), s("1"),
         s("x=0\r\n[]\r\nx=1\r\n")},
        {"lf-only file comes back in crlf", s("; mine\n[A]\nx=1\n\nfoo bar\n"), s("A"), s("x"),
         s("2"), s("; mine\r\n[A]\r\nx=2\r\n\r\nfoo bar\r\n")},
        {"line breaks in the value are dropped", s("[A]\r\nx=1\r\ny=2\r\n"), s("A"), s("x"),
         s("a\r\nb\nc\rd"), s("[A]\r\nx=abcd\r\ny=2\r\n")},
        {"line breaks in names are dropped", s(""), s("A\r\n"), s("x\n"), s("1"),
         s("[A]\r\nx=1\r\n")},
        {"umlauts and empty value", s("[A]\r\n"), s("A"), s("Größe"), s(""),
         s("[A]\r\nGröße=\r\n")},
    };
    for (const WriteRow &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(profile::write(row.content, row.section, row.key, row.value), row.expected);
    }
}

TEST(ProfileFormat, WrittenValueReadsBack)
{
    QString content;
    content = profile::write(content, QStringLiteral("Statistik"), QStringLiteral("Nr3"),
                             QStringLiteral("17"));
    content = profile::write(content, QStringLiteral("Quellen"), QStringLiteral("01"),
                             QStringLiteral("E:\\Dcim"));
    content = profile::write(content, QStringLiteral("STATISTIK"), QStringLiteral("nr3"),
                             QStringLiteral("18"));
    content = profile::write(content, QStringLiteral("Statistik"), QStringLiteral("Wert"),
                             QStringLiteral("a=b"));
    EXPECT_EQ(profile::read(content, QStringLiteral("statistik"), QStringLiteral("NR3")),
              QStringLiteral("18"));
    EXPECT_EQ(profile::read(content, QStringLiteral("Statistik"), QStringLiteral("Wert")),
              QStringLiteral("a=b"));
    EXPECT_EQ(profile::read(content, QStringLiteral("Quellen"), QStringLiteral("01")),
              QStringLiteral("E:\\Dcim"));
    EXPECT_EQ(content, QStringLiteral("[Statistik]\r\nnr3=18\r\nWert=a=b\r\n"
                                      "[Quellen]\r\n01=E:\\Dcim\r\n"));
}

TEST(ProfileFormat, NamesWithLineBreaksReadWhatWasWritten)
{
    const QString sektion = QStringLiteral("Statistik_Canon\r\nEOS");
    const QString schluessel = QStringLiteral("Anzahl\nSum");
    const QString content = profile::write({}, sektion, schluessel, QStringLiteral("1"));
    EXPECT_EQ(content, QStringLiteral("[Statistik_CanonEOS]\r\nAnzahlSum=1\r\n"));
    EXPECT_EQ(profile::read(content, sektion, schluessel), QStringLiteral("1"));
}

TEST(ProfileFormat, FallbackLosesTrailingBlanksOnly)
{
    EXPECT_EQ(profile::fallback(QStringLiteral("  a b \t ")), QStringLiteral("  a b"));
    EXPECT_EQ(profile::fallback(QStringLiteral("   ")), QString());
    EXPECT_EQ(profile::fallback(QString()), QString());
}

} // namespace
} // namespace mirbelon
