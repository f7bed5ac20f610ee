#include "text/Pfad.h"

#include "tests/text/QStringAusgabe.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

struct PfadFall
{
    const char *name;
    const char *pfad;
    int modus;
    const char *erwartet;
};

TEST(PfadTeil, SplitsPathsByMode)
{
    const PfadFall faelle[] = {
        { "full drive", "C:\\Bilder\\2004\\IMG_0012.JPG", -2, "C:" },
        { "full folder without backslash", "C:\\Bilder\\2004\\IMG_0012.JPG", -1,
            "C:\\Bilder\\2004" },
        { "full folder", "C:\\Bilder\\2004\\IMG_0012.JPG", 0, "C:\\Bilder\\2004\\" },
        { "full name", "C:\\Bilder\\2004\\IMG_0012.JPG", 1, "IMG_0012" },
        { "full extension", "C:\\Bilder\\2004\\IMG_0012.JPG", 2, "JPG" },
        { "full file name", "C:\\Bilder\\2004\\IMG_0012.JPG", 3, "IMG_0012.JPG" },
        { "unknown mode 4", "C:\\Bilder\\2004\\IMG_0012.JPG", 4, "" },
        { "unknown mode -3", "C:\\Bilder\\2004\\IMG_0012.JPG", -3, "" },
        { "bare name drive", "IMG_0012.JPG", -2, "" },
        { "bare name folder -1", "IMG_0012.JPG", -1, "" },
        { "bare name folder 0", "IMG_0012.JPG", 0, "" },
        { "bare name name", "IMG_0012.JPG", 1, "IMG_0012" },
        { "bare name extension", "IMG_0012.JPG", 2, "JPG" },
        { "bare name file", "IMG_0012.JPG", 3, "IMG_0012.JPG" },
        { "drive only -1 drops colon", "C:", -1, "C" },
        { "drive only 0", "C:", 0, "C:" },
        { "drive only file", "C:", 3, "" },
        { "root file -1", "C:\\x.jpg", -1, "C:" },
        { "root file 0", "C:\\x.jpg", 0, "C:\\" },
        { "share drive", "\\\\server\\share\\a\\b.txt", -2, "\\\\server\\share" },
        { "share folder", "\\\\server\\share\\a\\b.txt", 0, "\\\\server\\share\\a\\" },
        { "share folder -1", "\\\\server\\share\\a\\b.txt", -1, "\\\\server\\share\\a" },
        { "share file", "\\\\server\\share\\a\\b.txt", 3, "b.txt" },
        { "server alone drive", "\\\\server", -2, "\\\\server" },
        { "server alone file", "\\\\server", 3, "" },
        { "share without folder drive", "\\\\server\\share", -2, "\\\\server\\share" },
        { "share without folder file", "\\\\server\\share", 3, "" },
        { "backslash at position 3 not searched", "\\\\\\x\\y\\z.txt", -2, "\\\\\\x\\y" },
        { "dot file name", ".profile", 1, "" },
        { "dot file extension", ".profile", 2, "profile" },
        { "two dots name", "a.b.c", 1, "a.b" },
        { "two dots extension", "a.b.c", 2, "c" },
        { "trailing dot name", "name.", 1, "name" },
        { "trailing dot extension", "name.", 2, "" },
        { "dot in folder only", "C:\\a.b\\datei", 1, "datei" },
        { "dot in folder only extension", "C:\\a.b\\datei", 2, "" },
        { "switch cut keeps blank", "  C:\\a\\b.exe /s  ", 3, "b.exe " },
        { "switch cut extension", "  C:\\a\\b.exe /s  ", 2, "exe " },
        { "switch cut folder", "  C:\\a\\b.exe /s  ", 0, "C:\\a\\" },
        { "slash first gives nothing", "/x", 3, "" },
        { "colon elsewhere is no drive", "ab:c\\d.e", -2, "" },
        { "colon elsewhere stays in folder", "ab:c\\d.e", 0, "ab:c\\" },
        { "first colon decides", "xy:C:\\d", -2, "" },
        { "case kept", "c:\\Foto\\Bild.Jpg", 2, "Jpg" },
        { "tab is not trimmed", "\tC:\\a.b", -2, "" },
        { "empty", "", 0, "" },
        { "empty -1", "", -1, "" },
    };
    for (const PfadFall &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(
            PfadTeil(QString::fromUtf8(fall.pfad), fall.modus), QString::fromUtf8(fall.erwartet));
    }
}

TEST(RechtsKuerzen, RemovesTrailingCharactersOfTheSet)
{
    const struct
    {
        const char *name;
        const char *text;
        const char *zeichen;
        const char *erwartet;
    } faelle[] = {
        { "one backslash", "C:\\Fotos\\", "\\", "C:\\Fotos" },
        { "several backslashes", "C:\\Fotos\\\\\\", "\\", "C:\\Fotos" },
        { "only backslashes", "\\\\", "\\", "" },
        { "nothing to cut", "C:\\Fotos", "\\", "C:\\Fotos" },
        { "inner ones stay", "a\\b", "\\", "a\\b" },
        { "mixed set", "abc. ;. ", " .;", "abc" },
        { "empty text", "", "\\", "" },
        { "empty set", "abc\\", "", "abc\\" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(RechtsKuerzen(QString::fromUtf8(fall.text), QString::fromUtf8(fall.zeichen)),
            QString::fromUtf8(fall.erwartet));
    }
}

} // namespace
} // namespace mirbelon
