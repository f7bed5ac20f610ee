#include "text/DateiVorhanden.h"

#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

using test::TestUmgebung;

TEST(DateiVorhanden, TrueOnlyForReadableFiles)
{
    TestUmgebung u;
    u.datei(QStringLiteral("C:\\Fotos\\foto.jpg"));
    u.datei(QStringLiteral("C:\\leer.txt"), QByteArray());
    // Host file names that really hold the wildcards: refused all the same.
    u.datei(QStringLiteral("C:\\*.jpg"));
    u.datei(QStringLiteral("C:\\a?.jpg"));
    ASSERT_TRUE(u.files->canRead(QStringLiteral("C:\\a?.jpg")));

    const struct
    {
        const char *name;
        const char *pfad;
        bool erwartet;
    } faelle[] = {
        { "existing file", "C:\\Fotos\\foto.jpg", true },
        { "empty file", "C:\\leer.txt", true },
        { "name in other case", "C:\\FOTOS\\Foto.JPG", true },
        { "missing file", "C:\\Fotos\\fehlt.jpg", false },
        { "missing folder", "C:\\Nichts\\foto.jpg", false },
        { "folder", "C:\\Fotos", false },
        { "empty path", "", false },
        { "star", "C:\\*.jpg", false },
        { "question mark", "C:\\a?.jpg", false },
        { "unknown drive", "Q:\\foto.jpg", false },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(DateiVorhanden(*u.files, QString::fromUtf8(fall.pfad)), fall.erwartet);
    }
}

} // namespace
} // namespace mirbelon
