#include "platform/Fehler.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace mirbelon {
namespace {

TEST(FehlerNummerAusErrno, MapsHostErrorsToRunTimeNumbers)
{
    struct Fall
    {
        const char *name;
        int err;
        bool ordnerFehlt;
        int nummer;
    };
    const Fall faelle[] = {
        {"missing file", ENOENT, false, 53},
        {"missing folder", ENOENT, true, 76},
        {"not a folder", ENOTDIR, false, 76},
        {"no access", EACCES, false, 70},
        {"not permitted", EPERM, false, 70},
        {"read-only medium", EROFS, false, 70},
        {"disk full", ENOSPC, false, 61},
        {"quota", EDQUOT, false, 61},
        {"exists", EEXIST, false, 58},
        {"i/o", EIO, false, 57},
        {"no device", ENXIO, false, 71},
        {"no such device", ENODEV, false, 71},
        {"no medium", ENOMEDIUM, false, 71},
        {"is a folder", EISDIR, false, 75},
        {"anything else", EBUSY, false, 75},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(FehlerNummerAusErrno(f.err, f.ordnerFehlt), f.nummer);
    }
}

TEST(FehlerStandardText, GermanTextsAndEmptyForUnknownNumbers)
{
    EXPECT_EQ(FehlerStandardText(53), QStringLiteral("Datei nicht gefunden"));
    EXPECT_EQ(FehlerStandardText(57), QStringLiteral("Geräte-E/A-Fehler"));
    EXPECT_EQ(FehlerStandardText(75), QStringLiteral("Fehler beim Zugriff auf Pfad/Datei"));
    EXPECT_EQ(FehlerStandardText(5),
              QStringLiteral("Unzulässiger Prozeduraufruf oder ungültiges Argument"));
    EXPECT_EQ(FehlerStandardText(0), QString());
    EXPECT_EQ(FehlerStandardText(999), QString());
}

TEST(FehlerAusNummer, CarriesNumberTextAndSource)
{
    const Fehler f = FehlerAusNummer(61, QStringLiteral("Kopieren"));
    EXPECT_TRUE(bool(f));
    EXPECT_EQ(f.nummer, 61);
    EXPECT_EQ(f.beschreibung, QStringLiteral("Datenträger voll"));
    EXPECT_EQ(f.quelle, QStringLiteral("Kopieren"));
    EXPECT_FALSE(bool(Fehler{}));
}

} // namespace
} // namespace mirbelon
