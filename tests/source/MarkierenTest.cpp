#include "tests/source/QuelleTest.h"

#include "source/Markieren.h"

namespace mirbelon::test {

namespace {

using MarkierenTest = QuelleTest;

TEST_F(MarkierenTest, CommandsChangeTheMarksInOneGo)
{
    const std::vector<char> start { 1, 0, 1, 0, 0, 0, 1, 0, 0, 1 };
    struct Fall
    {
        const char *name;
        int index;
        int aktuell;
        std::vector<char> erwartet;
    } faelle[] = {
        { "all", 0, 3, std::vector<char>(10, 1) },
        { "none", 1, 3, std::vector<char>(10, 0) },
        { "invert", 2, 3, { 0, 1, 0, 1, 1, 1, 0, 1, 1, 0 } },
        { "from the cursor", 3, 5, { 1, 0, 1, 0, 0, 1, 1, 1, 1, 1 } },
        { "from the start without a cursor", 3, -1, std::vector<char>(10, 1) },
        { "unknown index", 7, 3, start },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        liste10(start);
        liste.setAktuell(f.aktuell);
        std::vector<bool> verstecktBeiKlick;
        const auto verbindung = QObject::connect(
            &liste, &FotoListe::geklickt, [&] { verstecktBeiKlick.push_back(liste.versteckt()); });
        const int hinweise = fenster.timerHinweise;
        const int info = fenster.timerInfo;
        mnuMarkieren(liste, fenster, f.index);
        QObject::disconnect(verbindung);

        EXPECT_EQ(marken(), f.erwartet);
        EXPECT_EQ(liste.aktuell(), f.aktuell);
        EXPECT_FALSE(liste.versteckt());
        EXPECT_LE(verstecktBeiKlick.size(), 1u);
        for (const bool versteckt : verstecktBeiKlick)
            EXPECT_TRUE(versteckt);
        EXPECT_EQ(fenster.timerHinweise, hinweise + 1);
        EXPECT_EQ(fenster.timerInfo, info + 1);
    }
}

TEST_F(MarkierenTest, InvertingTwiceRestoresTheMarks)
{
    const std::vector<char> start { 1, 0, 0, 1, 1 };
    liste10(start);
    mnuMarkieren(liste, fenster, 2);
    EXPECT_NE(marken(), start);
    mnuMarkieren(liste, fenster, 2);
    EXPECT_EQ(marken(), start);
}

TEST_F(MarkierenTest, CrossFollowsTheCurrentPhotoAtOnce)
{
    liste10({ 0, 0, 0 });
    fenster.vorschauOhneReaktion(true);
    liste.setAktuell(1);
    EXPECT_TRUE(fenster.kreuz);
    mnuMarkieren(liste, fenster, 0);
    EXPECT_FALSE(fenster.kreuz);
    liste.klicken();
    EXPECT_FALSE(fenster.kreuz);
    mnuMarkieren(liste, fenster, 2); // F4
    EXPECT_TRUE(fenster.kreuz);
    // With the preview off the cross is left as it is.
    fenster.vorschauOhneReaktion(false);
    mnuMarkieren(liste, fenster, 0);
    EXPECT_TRUE(fenster.kreuz);
}

TEST_F(MarkierenTest, JumpsWrapRoundTheList)
{
    struct Fall
    {
        const char *name;
        std::vector<char> marken;
        int start;
        int index;
        int erwartet;
    } faelle[] = {
        { "next from the last wraps", { 0, 0, 1, 0, 0, 0, 0, 0, 0, 0 }, 9, 1, 2 },
        { "previous from the first wraps", { 0, 0, 0, 0, 0, 0, 0, 1, 0, 0 }, 0, 0, 7 },
        { "next without wrap", { 0, 1, 0, 1 }, 1, 1, 3 },
        { "previous without wrap", { 0, 1, 0, 1 }, 3, 0, 1 },
        { "only mark stays", { 0, 1, 0 }, 1, 1, 1 },
        { "nothing marked stays", { 0, 0, 0 }, 1, 0, 1 },
        { "next without a current entry", { 0, 0, 1 }, -1, 1, 2 },
        { "previous without a current entry", { 1, 0, 0 }, -1, 0, 0 },
        { "empty list", {}, -1, 1, -1 },
        { "unknown index", { 1, 1, 1 }, 0, 5, 0 },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        liste10(f.marken);
        liste.setAktuell(f.start);
        mnuMarkierenJmp(liste, f.index);
        EXPECT_EQ(liste.aktuell(), f.erwartet);
    }
}

TEST_F(MarkierenTest, ListsBeyond32767EntriesWrapAtTheirRealEnd)
{
    const int anzahl = 40000;
    std::vector<char> start(anzahl, 0);
    start[5] = 1;
    start[anzahl - 2] = 1;
    liste10(start);
    liste.setAktuell(anzahl - 1);
    mnuMarkierenJmp(liste, 1);
    EXPECT_EQ(liste.aktuell(), 5);
    mnuMarkierenJmp(liste, 0);
    EXPECT_EQ(liste.aktuell(), anzahl - 2);
    mnuMarkieren(liste, fenster, 3);
    EXPECT_EQ(liste.anzahlMarkiert(), 3);
}

} // namespace

} // namespace mirbelon::test
