#include "services/Meldungen.h"

#include "frame/IniStore.h"
#include "services/Adressen.h"
#include "tests/support/TestUmgebung.h"
#include "text/Meldung.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

class FehlerMeldenTest : public ::testing::Test
{
protected:
    void SetUp() override { env.system->jetzt = QDateTime(QDate(2026, 12, 7), QTime(14, 3, 59)); }

    QString fehlerWert(const QString &schluessel)
    {
        return IniLesen(*env.ctx, {}, QStringLiteral("Fehler"), schluessel, QStringLiteral("-"));
    }

    test::TestUmgebung env;
    const Fehler dateiFehlt{53, QStringLiteral("Datei nicht gefunden"), QStringLiteral("Kopieren")};
};

TEST_F(FehlerMeldenTest, NumberZeroShowsNothingAndReturnsZero)
{
    QString kontext = QStringLiteral("Beim Kopieren.");
    EXPECT_EQ(FehlerMelden(*env.ctx, Fehler{}, kontext), 0);
    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
    EXPECT_TRUE(env.desktop.beeps.isEmpty());
    EXPECT_EQ(kontext, QStringLiteral("Beim Kopieren."));
    EXPECT_EQ(fehlerWert(QStringLiteral("Nummer")), QStringLiteral("-"));
}

TEST_F(FehlerMeldenTest, BoxShowsMessageTipAndMailOfferWithCriticalIcon)
{
    QString kontext = QStringLiteral("Beim Kopieren.");
    env.dialogs.antworte(Answer::No);
    EXPECT_EQ(FehlerMelden(*env.ctx, dateiFehlt, kontext), 5);
    EXPECT_EQ(kontext, QStringLiteral("Beim Kopieren.~~"));

    ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
    const auto &box = env.dialogs.gezeigt.first();
    EXPECT_EQ(box.text, QStringLiteral(
                            "Es ist ein Fehler im Programm Mirbelon aufgetreten.\r\n\r\n"
                            "Beim Kopieren.\r\n\r\n"
                            "Fehler »Datei nicht gefunden #53« in »Kopieren«.\r\n\r\n"
                            "Tipp: Ist der Dateiname in Ordnung?\r\n\r\n"
                            "Möchten Sie ein Fehlerprotokoll per eMail versenden?\r\n"
                            "Evtl. ist es möglich, dass sich so das Problem beheben lässt."));
    EXPECT_EQ(box.titel, QStringLiteral("Fehler im Programm Mirbelon"));
    EXPECT_EQ(box.icon, Icon::Critical);
    EXPECT_EQ(box.buttons, Buttons::YesNoCancel);
    EXPECT_EQ(box.vorgabe, Answer::No);
    EXPECT_EQ(env.desktop.beeps, QList<Beep>{Beep::Stop});
    EXPECT_TRUE(env.processes.geoeffnet.isEmpty());
}

TEST_F(FehlerMeldenTest, TipFollowsTheErrorNumber)
{
    const struct
    {
        int nummer;
        const char *tipp; // nullptr: no tip
    } faelle[] = {
        {482, "Tipp: Ist der Drucker angeschaltet?"},
        {52, "Tipp: Ist der Dateiname in Ordnung?"},
        {53, "Tipp: Ist der Dateiname in Ordnung?"},
        {64, "Tipp: Ist der Dateiname in Ordnung?"},
        {75, "Tipp: Ist der Dateiname in Ordnung?"},
        {76, "Tipp: Ist der Dateiname in Ordnung?"},
        {70, "Tipp: Ist der Schreibschutz entfernt?"},
        {71, "Tipp: Ist eine Diskette eingelegt?"},
        {380, "Tipp: Evtl. andere Schriftart wählen."},
        {9, nullptr},
        {61, nullptr},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.nummer);
        env.dialogs.gezeigt.clear();
        FehlerMelden(*env.ctx, Fehler{fall.nummer, QStringLiteral("x"), QStringLiteral("y")},
                     QString());
        ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
        const QString text = env.dialogs.gezeigt.first().text;
        if (fall.tipp)
            EXPECT_TRUE(text.contains(QString::fromUtf8(fall.tipp) + QStringLiteral("\r\n\r\n")))
                << text.toStdString();
        else
            EXPECT_FALSE(text.contains(QStringLiteral("Tipp:"))) << text.toStdString();
    }
}

TEST_F(FehlerMeldenTest, EmptyContextStaysEmpty)
{
    QString kontext;
    FehlerMelden(*env.ctx, dateiFehlt, kontext);
    EXPECT_TRUE(kontext.isEmpty());
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.startsWith(QStringLiteral(
        "Es ist ein Fehler im Programm Mirbelon aufgetreten.\r\n\r\nFehler »Datei")));
}

TEST_F(FehlerMeldenTest, AnswersGiveCancelTwoOtherwiseFive)
{
    const struct
    {
        Answer antwort;
        int ergebnis;
    } faelle[] = {{Answer::Cancel, 2}, {Answer::No, 5}, {Answer::Yes, 5}};
    for (const auto &fall : faelle) {
        SCOPED_TRACE(static_cast<int>(fall.antwort));
        env.dialogs.antworte(fall.antwort);
        EXPECT_EQ(FehlerMelden(*env.ctx, dateiFehlt, QString()), fall.ergebnis);
    }
}

TEST_F(FehlerMeldenTest, RecordsTheLastErrorInBrenloIni)
{
    FehlerMelden(*env.ctx, Fehler{9, QStringLiteral("alt"), QStringLiteral("a")}, QString());
    FehlerMelden(*env.ctx, dateiFehlt, QStringLiteral("Beim Kopieren."));

    EXPECT_EQ(fehlerWert(QStringLiteral("Programm")), QStringLiteral("Mirbelon"));
    EXPECT_EQ(fehlerWert(QStringLiteral("Wann")), QStringLiteral("07.12.2026 14:03:59"));
    EXPECT_EQ(fehlerWert(QStringLiteral("Nummer")),
              QStringLiteral("53, ") + FehlerStandardText(53));
    EXPECT_EQ(fehlerWert(QStringLiteral("Pos")), QStringLiteral("0"));
    EXPECT_EQ(fehlerWert(QStringLiteral("Txt1")), QStringLiteral("Beim Kopieren.~~"));
    EXPECT_EQ(fehlerWert(QStringLiteral("Txt2")),
              QStringLiteral("Fehler ´Datei nicht gefunden #53´ in ´Kopieren´.~~"));
    EXPECT_FALSE(env.inhalt(QStringLiteral("C:\\Brenlo\\Brenlo.ini")).isEmpty());
}

TEST_F(FehlerMeldenTest, RecordIsOnDiskBeforeTheBoxShowsAlsoInABatch)
{
    QByteArray beimZeigen;
    env.dialogs.beimZeigen = [&] { beimZeigen = env.inhalt(QStringLiteral("C:\\Brenlo\\Brenlo.ini")); };
    ProfileBatch stapel(env.ctx->host.profiles);
    FehlerMelden(*env.ctx, dateiFehlt, QStringLiteral("Beim Kopieren."));
    EXPECT_TRUE(beimZeigen.contains("[Fehler]\r\nProgramm=Mirbelon\r\n")) << beimZeigen.constData();
    EXPECT_TRUE(beimZeigen.contains("\r\nTxt1=Beim Kopieren.~~\r\n"));
}

TEST_F(FehlerMeldenTest, OldVersionOffersUpdateAndYesOpensTheDownloadPage)
{
    env.system->jetzt = QDateTime(QDate(2027, 4, 2), QTime(9, 0));
    env.dialogs.antworte(Answer::Yes);
    EXPECT_EQ(FehlerMelden(*env.ctx, dateiFehlt, QString()), 5);

    const QString text = env.dialogs.gezeigt.first().text;
    EXPECT_TRUE(text.endsWith(QStringLiteral(
        "Evtl. ist der Fehler durch das Installieren der aktuellen Version behoben.\r\n\r\n"
        "Möchten Sie jetzt die Internetseite mit Download-Möglichkeiten für Updates laden?")));
    EXPECT_EQ(env.processes.geoeffnet, QStringList{kDownloadSeite});
    EXPECT_TRUE(env.desktop.clipboard.isEmpty());
}

TEST_F(FehlerMeldenTest, YesToTheMailOfferPutsTheReportOnTheClipboardAndOpensMailto)
{
    env.desktop.clipboard = QStringLiteral("alt");
    env.dialogs.antworte(Answer::Yes);
    EXPECT_EQ(FehlerMelden(*env.ctx, dateiFehlt, QStringLiteral("Beim Kopieren.")), 5);

    const QString bericht = env.desktop.clipboard;
    EXPECT_TRUE(bericht.startsWith(QStringLiteral(
        "Es ist ein Fehler im Programm Mirbelon aufgetreten.\r\n\r\nBeim Kopieren.\r\n\r\n"
        "Fehler »Datei nicht gefunden #53« in »Kopieren«.\r\n\r\n"
        "Tipp: Ist der Dateiname in Ordnung?")))
        << bericht.toStdString();
    EXPECT_TRUE(bericht.endsWith(QStringLiteral("\r\n-")));
    EXPECT_FALSE(bericht.contains(QStringLiteral("Fehlerprotokoll per eMail")));

    ASSERT_EQ(env.processes.geoeffnet.size(), 1);
    EXPECT_EQ(env.processes.geoeffnet.first(),
              QStringLiteral("mailto:") + kSupportAdresse
                  + QStringLiteral("?subject=Vertrieb%20-%20Probleme%20(Diagnose-Bericht)"
                                   "&body=Fügen%20Sie%20hier%20bitte%20den%20Fehler-Bericht%20aus"
                                   "%20der%20Zwischenablage%20per%20Strg-V%20ein%2E"));
}

TEST(ProgrammAlter, CountsMonthsAsThirteenthsFromTheVersion)
{
    EXPECT_EQ(ProgrammVersionJahr(), 26);
    EXPECT_EQ(ProgrammVersionMonat(), 12);
    const struct
    {
        QDate heute;
        double alter;
    } faelle[] = {
        {QDate(2026, 12, 31), 0.0},
        {QDate(2026, 1, 1), 0.0}, // before the release: never negative
        {QDate(2027, 1, 1), 2.0 / 13},
        {QDate(2027, 4, 30), 5.0 / 13},
        {QDate(2028, 12, 1), 2.0},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.heute.toString(Qt::ISODate).toStdString());
        EXPECT_NEAR(ProgrammAlter(fall.heute), fall.alter, 1e-4);
    }
}

TEST(ProgrammAlter, FourMonthsOldOffersUpdateThisMonthOffersMail)
{
    EXPECT_GT(ProgrammAlter(QDate(2027, 4, 1)), 2.0f / 12.0f);
    EXPECT_LE(ProgrammAlter(QDate(2026, 12, 1)), 2.0f / 12.0f);
}

} // namespace
} // namespace mirbelon
