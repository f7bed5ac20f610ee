#include "services/Meldungen.h"

#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

TEST(TonAusgeben, TheSixSystemNamesBeepEmptyTheNameAndStopPlayback)
{
    const struct
    {
        const char *name;
        Beep art;
    } faelle[] = {
        {"#RingOut", Beep::Exclamation}, {"#SystemExclamation", Beep::Exclamation},
        {"#RingIn", Beep::Question},     {"#SystemQuestion", Beep::Question},
        {"#SystemHand", Beep::Stop},     {"#SystemAsterisk", Beep::Information},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        test::TestUmgebung env;
        QString name = QString::fromLatin1(fall.name);
        TonAusgeben(*env.ctx, name);
        EXPECT_TRUE(name.isEmpty());
        EXPECT_EQ(env.desktop.beeps, QList<Beep>{fall.art});
        EXPECT_EQ(env.desktop.stops, 1);
        EXPECT_TRUE(env.desktop.sounds.isEmpty());
    }
}

TEST(TonAusgeben, OtherHashNamesComeFromTheSoundsSectionOfWinIni)
{
    test::TestUmgebung env;
    env.datei(QStringLiteral("C:\\Windows\\win.ini"),
              "[Sounds]\r\nMailBeep=C:\\Windows\\ding.wav,Neue Nachricht\r\n"
              "Fehlt=C:\\Windows\\fehlt.wav,Weg\r\n");
    env.datei(QStringLiteral("C:\\Windows\\ding.wav"), "RIFF");

    QString name = QStringLiteral("#MailBeep");
    TonAusgeben(*env.ctx, name);
    EXPECT_EQ(env.desktop.sounds, QStringList{QStringLiteral("C:\\Windows\\ding.wav")});
    EXPECT_TRUE(env.desktop.beeps.isEmpty());
    EXPECT_EQ(env.desktop.stops, 0);

    for (const char *stumm : {"#Fehlt", "#Unbekannt"}) {
        SCOPED_TRACE(stumm);
        env.desktop.sounds.clear();
        QString n = QString::fromLatin1(stumm);
        TonAusgeben(*env.ctx, n);
        EXPECT_TRUE(env.desktop.sounds.isEmpty());
        EXPECT_TRUE(env.desktop.beeps.isEmpty());
    }
}

TEST(TonAusgeben, ASoundFilePlaysOnlyWhenItExists)
{
    test::TestUmgebung env;
    env.datei(QStringLiteral("C:\\Tmp\\Klang.wav"), "RIFF");

    QString da = QStringLiteral("C:\\Tmp\\Klang.wav");
    TonAusgeben(*env.ctx, da);
    EXPECT_EQ(env.desktop.sounds, QStringList{QStringLiteral("C:\\Tmp\\Klang.wav")});
    EXPECT_EQ(da, QStringLiteral("C:\\Tmp\\Klang.wav"));

    env.desktop.sounds.clear();
    QString fehlt = QStringLiteral("C:\\fehlt.wav");
    TonAusgeben(*env.ctx, fehlt);
    EXPECT_TRUE(env.desktop.sounds.isEmpty());
    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
}

} // namespace
} // namespace mirbelon
