#include "archive/Datumskorrektur.h"

#include "tests/archive/ArchivTest.h"

namespace mirbelon::test {
namespace {

class DatumskorrekturTest : public ArchivTest
{
protected:
    // The correction in minutes that the dialog keeps for `eingabe`.
    float durchDialog(const QString &eingabe)
    {
        env.dialogs.antworteEingabe(eingabe);
        mnuFileDateDiff(ctx(), liste, fenster);
        return ctx().datumKorrektur;
    }
};

TEST_F(DatumskorrekturTest, DateJump2ReadsNumberAndLastCharacter)
{
    struct Fall
    {
        const char *eingabe;
        double sekunden;
    };
    const QList<Fall> faelle = {
        {"1h", 3600},         {"-2h", -7200},          {"1d", 86400},
        {"1T", 86400},        {"1w", 604800},          {"1,5h", 5400},
        {"1.5h", 5400},       {"0 h", 0},              {"90", 90},
        {"2h ", 2},           {"1j", 31556952},        {"1y", 31556952},
        {"1A", 31556952},     {"1m", 2629746},         {"1n", 60},
        {"45s", 45},
        {"3x4h", 10800},      {"h", 0},                {"", 0},
        {"abc", 0},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.eingabe);
        EXPECT_DOUBLE_EQ(DateJump2(ctx(), f.eingabe), f.sekunden);
    }
    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
}

TEST_F(DatumskorrekturTest, OverflowGoesToTheReportAndKeepsTheBareNumber)
{
    env.dialogs.antworte(Answer::Cancel);
    EXPECT_DOUBLE_EQ(DateJump2(ctx(), "1e306y"), 1e306);
    ASSERT_EQ(gezeigt(kFehlerTitel), 1);
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains(
        "Es ist ein Fehler beim Auswerten von »DateJump2,, 1e306y« aufgetreten."));
}

TEST_F(DatumskorrekturTest, DialogKeepsTheCorrectionInMinutes)
{
    struct Fall
    {
        const char *eingabe;
        float minuten;
    };
    for (const Fall &f : {Fall{"1h", 60}, Fall{"-2h", -120}, Fall{"30m", 30}, Fall{"30M", 30},
                          Fall{"1d", 1440}, Fall{"1w", 10080}, Fall{"1,5h", 90},
                          Fall{"0 h", 0}, Fall{"90", 1.5f}, Fall{"1m", 1},
                          Fall{"1j", 525949.2f}}) {
        SCOPED_TRACE(f.eingabe);
        EXPECT_FLOAT_EQ(durchDialog(f.eingabe), f.minuten);
    }
    const auto &g = env.dialogs.gezeigt.first();
    EXPECT_EQ(g.art, "input");
    EXPECT_EQ(g.text, "Gib eine Korrektor für das Datum der Fotos an.\r\nEingaben wie z. B. 1h, "
                      "-2h, 30m sind möglich.");
    EXPECT_EQ(g.titel, "Datum der Quell-Datei korrigieren");
    EXPECT_EQ(g.preset, "0 h");
}

TEST_F(DatumskorrekturTest, StatusUsesTheUsersNumberFormatAndShowsThePhotoAgain)
{
    int klicks = 0;
    QObject::connect(&liste, &FotoListe::geklickt, [&] { ++klicks; });
    durchDialog("30");
    EXPECT_EQ(fenster.panel("Status"), "Das Datum der Fotos wird um 0,5 Minuten korrigiert");
    EXPECT_EQ(klicks, 1);
    durchDialog("1j");
    EXPECT_EQ(fenster.panel("Status"), "Das Datum der Fotos wird um 525949,2 Minuten korrigiert");
}

TEST_F(DatumskorrekturTest, CancelOrEmptyAnswerKeepsTheEarlierCorrection)
{
    durchDialog("1h");
    env.dialogs.antworteEingabe(std::nullopt);
    mnuFileDateDiff(ctx(), liste, fenster);
    EXPECT_FLOAT_EQ(ctx().datumKorrektur, 60);
    EXPECT_FLOAT_EQ(durchDialog(""), 60);
}

TEST_F(DatumskorrekturTest, EntryTooLargeForTheCorrectionIsRefused)
{
    durchDialog("2h");
    EXPECT_FLOAT_EQ(durchDialog("1e300j"), 120);
    const auto &g = env.dialogs.gezeigt.last();
    EXPECT_EQ(g.titel, "Datum der Quell-Datei korrigieren");
    EXPECT_EQ(g.icon, Icon::Exclamation);
    EXPECT_TRUE(g.text.contains("zu groß")) << g.text.toStdString();
    EXPECT_TRUE(g.text.contains("120 Minuten")) << g.text.toStdString();
}

} // namespace
} // namespace mirbelon::test
