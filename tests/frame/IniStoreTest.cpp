#include "frame/IniStore.h"

#include "tests/support/TestUmgebung.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

using test::TestUmgebung;

const QString kDatei = QStringLiteral("C:\\Prg\\Test.ini");

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(IniDateiPfad, PlacesFileNamesByTheirRules)
{
    TestUmgebung u;
    const struct
    {
        const char *datei;
        const char *pfad;
    } faelle[] = {
        {"", "C:\\Brenlo\\Brenlo.ini"},
        {"   ", "C:\\Brenlo\\Brenlo.ini"},
        {"foto", "C:\\Windows\\foto.ini"},
        {"Foto.dat", "C:\\Windows\\Foto.dat"},
        {"  Foto  ", "C:\\Windows\\Foto.ini"},
        {"ab", "C:\\Windows\\ab.ini"},
        {"C:\\Daten\\Liste", "C:\\Daten\\Liste.ini"},
        {"E:\\Foto.ini", "E:\\Foto.ini"},
        {"BRENLO.INI", "C:\\Brenlo\\BRENLO.INI"},
        {"Brenlo", "C:\\Brenlo\\Brenlo.ini"},
        {"brenlo_prn.ini", "C:\\Brenlo\\brenlo_prn.ini"},
        {"C:\\x\\brenlo.ini", "C:\\x\\brenlo.ini"},
        {"system.ini", "C:\\Windows\\system.ini"},
        {"WIN", "C:\\Windows\\WIN.ini"},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.datei);
        EXPECT_EQ(IniDateiPfad(*u.ctx, S(fall.datei)), S(fall.pfad));
    }
}

TEST(IniDateiPfad, FirstUseResolvesTheFolders)
{
    TestUmgebung u;
    u.ctx->ordner = {};
    EXPECT_EQ(IniDateiPfad(*u.ctx, QString()), S("C:\\AppData\\Brenlo\\Brenlo.ini"));
    EXPECT_EQ(u.ctx->ordner.prg, S("C:\\Prg"));
}

TEST(IniLesen, MissingKeyGivesTheDefaultWithoutCreatingTheFile)
{
    TestUmgebung u;
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("k"), S("x")), S("x"));
    EXPECT_FALSE(u.files->exists(kDatei));
    // The default loses its trailing blanks and keeps its line breaks.
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("k"), S("  a\r\nb  ")), S("  a\r\nb"));
    EXPECT_FALSE(u.files->exists(kDatei));
}

TEST(IniLesen, ExistingEmptyValueIsEmptyNotTheDefault)
{
    TestUmgebung u;
    u.datei(kDatei, "[S]\r\nk=\r\n");
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("k"), S("x")), QString());
}

TEST(IniLesen, StoredMarkersBecomeLineBreaksAndQuotes)
{
    TestUmgebung u;
    u.datei(kDatei, "[S]\r\nzwei=a**b\r\ndrei=a***b\r\nvier=****\r\nzitat=\x93Hallo\x93\r\n");
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("zwei"), {}), S("a\r\nb"));
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("drei"), {}), S("a\r\n*b"));
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("vier"), {}), S("\r\n\r\n"));
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("zitat"), {}), S("\"Hallo\""));
}

TEST(IniLesen, LongValueIsCutTo998Characters)
{
    TestUmgebung u;
    const QByteArray lang(1200, 'x');
    u.datei(kDatei, "[S]\r\nk=" + lang + "\r\n");
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("k"), {}), QString(998, QLatin1Char('x')));
}

TEST(IniLesen, MissingFolderGivesTheDefault)
{
    TestUmgebung u;
    const QString datei = S("C:\\Fehlt\\Test.ini");
    EXPECT_EQ(IniLesen(*u.ctx, datei, S("S"), S("k"), S("x")), S("x"));
    IniSchreiben(*u.ctx, datei, S("S"), S("k"), S("v"));
    EXPECT_FALSE(u.files->exists(S("C:\\Fehlt")));
}

TEST(IniSchreiben, StoresTrimmedEncodedFormAndReturnsIt)
{
    TestUmgebung u;
    EXPECT_EQ(IniSchreiben(*u.ctx, kDatei, S("S"), S("zeilen"), S("Zeile 1\r\nZeile 2")),
              S("Zeile 1**Zeile 2"));
    EXPECT_EQ(IniSchreiben(*u.ctx, kDatei, S("S"), S("zitat"), S("Er sagte \"Hallo\"")),
              S("Er sagte \u201CHallo\u201C"));
    EXPECT_EQ(IniSchreiben(*u.ctx, kDatei, S("S"), S("  blank  "), S("  Wert  ")), S("Wert"));
    EXPECT_EQ(u.inhalt(kDatei), QByteArray("[S]\r\nzeilen=Zeile 1**Zeile 2\r\n"
                                           "zitat=Er sagte \x93Hallo\x93\r\nblank=Wert\r\n"));
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("zeilen"), {}), S("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("zitat"), {}), S("Er sagte \"Hallo\""));
}

TEST(IniSchreiben, EmptyKeyIsNoKeyAndEmptySectionTheProgramSection)
{
    TestUmgebung u;
    IniSchreiben(*u.ctx, kDatei, QString(), S("   "), S("v"));
    EXPECT_EQ(u.inhalt(kDatei), QByteArray("[Mirbelon]\r\nNoKey=v\r\n"));
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("Mirbelon"), S(""), {}), S("v"));
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, QString(), S("NoKey"), {}), S("v"));
}

TEST(IniSchreiben, FamilyFileByBareNameInAnyCase)
{
    TestUmgebung u;
    u.datei(S("C:\\Brenlo\\Brenlo.ini"), "[S]\r\n");
    IniSchreiben(*u.ctx, S("BRENLO.INI"), S("S"), S("k"), S("v"));
    EXPECT_EQ(u.inhalt(S("C:\\Brenlo\\Brenlo.ini")), QByteArray("[S]\r\nk=v\r\n"));
    EXPECT_EQ(IniLesen(*u.ctx, QString(), S("s"), S("K"), {}), S("v"));
}

TEST(IniSchreiben, ArbitraryTextSurvivesTheRoundTrip)
{
    TestUmgebung u;
    const char *texte[] = {
        "Grüße aus Köln, Ärger über Maße",
        "Er sagte \"ja\" und \"nein\"",
        "eins\r\nzwei\r\n\r\ndrei",
        "a=b=c",
        "[Sektion]",
        "x;y # kein Kommentar",
        "C:\\Bilder\\{yyyy}\\{mm}",
        "1.234,50 € ©",
    };
    int n = 0;
    for (const char *text : texte) {
        SCOPED_TRACE(text);
        const QString schluessel = S("k") + QString::number(++n);
        IniSchreiben(*u.ctx, kDatei, S("S"), schluessel, S(text));
        EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), schluessel, {}), S(text));
    }
    // Every value stays on its line: the section still holds exactly the keys written.
    EXPECT_EQ(u.inhalt(kDatei).count("\r\n"), qsizetype(std::size(texte) + 1));
}

TEST(IniSchreiben, LoneLineFeedsAreStoredAsLineBreaks)
{
    TestUmgebung u;
    EXPECT_EQ(IniSchreiben(*u.ctx, kDatei, S("S"), S("k"), S("a\nb\rc")), S("a**b**c"));
    IniSchreiben(*u.ctx, kDatei, S("S"), S("danach"), S("d"));
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S("k"), {}), S("a\r\nb\r\nc"));
    EXPECT_EQ(u.inhalt(kDatei), QByteArray("[S]\r\nk=a**b**c\r\ndanach=d\r\n"));
}

TEST(IniLesenMitVorgabe, WritesTheDefaultOnceForAMissingKey)
{
    TestUmgebung u;
    EXPECT_EQ(IniLesenMitVorgabe(*u.ctx, kDatei, S("Quellen"), S("01"), S("a:\\")), S("a:\\"));
    EXPECT_EQ(u.inhalt(kDatei), QByteArray("[Quellen]\r\n01=a:\\\r\n"));

    // A second read finds the value and leaves the file as it stands.
    u.datei(kDatei, "[Quellen]\r\n01 =  a:\\\r\n");
    EXPECT_EQ(IniLesenMitVorgabe(*u.ctx, kDatei, S("Quellen"), S("01"), S("b:\\")), S("a:\\"));
    EXPECT_EQ(u.inhalt(kDatei), QByteArray("[Quellen]\r\n01 =  a:\\\r\n"));
}

TEST(IniLesenMitVorgabe, EmptyValueIsOverwrittenAndTheTrimmedDefaultReturned)
{
    TestUmgebung u;
    u.datei(kDatei, "[S]\r\nk=\r\n");
    EXPECT_EQ(IniLesenMitVorgabe(*u.ctx, kDatei, S("S"), S("k"), S("  d  ")), S("d"));
    EXPECT_EQ(u.inhalt(kDatei), QByteArray("[S]\r\nk=d\r\n"));
}

TEST(IniZaehler, RaisesTheStoredNumberAndReturnsTheSum)
{
    TestUmgebung u;
    u.datei(kDatei, "[S]\r\nalt=41\r\nleer=\r\ntext=abc\r\n");
    const struct
    {
        const char *schluessel;
        double schritt;
        double summe;
        const char *gespeichert;
    } faelle[] = {
        {"neu", 1, 1, "1"},
        {"alt", 1, 42, "42"},
        {"leer", 3, 3, "3"},
        {"text", 1, 1, "1"},
        {"halb", 2.5, 2.5, "3"},
        {"minus", -2.5, -2.5, "-3"},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.schluessel);
        EXPECT_DOUBLE_EQ(IniZaehler(*u.ctx, kDatei, S("S"), S(fall.schluessel), fall.schritt),
                         fall.summe);
        EXPECT_EQ(IniLesen(*u.ctx, kDatei, S("S"), S(fall.schluessel), {}), S(fall.gespeichert));
    }
}

TEST(IniZaehler, NameWithALineBreakCountsOnAndReadsBack)
{
    TestUmgebung u;
    const QString sektion = S("Statistik_Canon\r\nEOS");
    for (double soll : {1, 2, 3})
        EXPECT_DOUBLE_EQ(IniZaehler(*u.ctx, kDatei, sektion, S("Anzahl\nSum"), 1), soll);
    EXPECT_EQ(IniLesen(*u.ctx, kDatei, sektion, S("Anzahl\nSum"), {}), S("3"));
    EXPECT_EQ(u.inhalt(kDatei), QByteArray("[Statistik_Canon**EOS]\r\nAnzahl**Sum=3\r\n"));
}

TEST(IniZaehler, TwoProgramsCountingInOneFileLoseNoStep)
{
    TestUmgebung u;
    const QString datei = S("C:\\Brenlo\\Brenlo.ini");
    u.datei(datei, "[Allgemein]\r\nUser=Anna\r\n");
    const QString los = u.wurzel.filePath(S("los"));
    QProcess kinder[2];
    for (QProcess &kind : kinder) {
        kind.start(S(INI_ZAEHLER_KIND), {datei, S("Statistik"), S("Anzahl"), S("200"), los});
        ASSERT_TRUE(kind.waitForStarted());
    }
    QFile(los).open(QIODevice::WriteOnly); // both begin at once
    for (QProcess &kind : kinder) {
        ASSERT_TRUE(kind.waitForFinished(120000));
        EXPECT_EQ(kind.exitCode(), 0);
    }
    EXPECT_EQ(IniLesen(*u.ctx, datei, S("Statistik"), S("Anzahl"), {}), S("400"));
    EXPECT_EQ(IniLesen(*u.ctx, datei, S("Allgemein"), S("User"), {}), S("Anna"));
}

} // namespace
} // namespace mirbelon
