#include "services/Benutzer.h"

#include "frame/IniStore.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

class BenutzernameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *v : {"USER", "USERID", "STATION", "USERNAME"})
            env.system->umgebung.insert(QString::fromLatin1(v), std::nullopt);
        env.system->login = QString();
    }

    QString gespeichert()
    {
        return IniLesen(*env.ctx, {}, QStringLiteral("Allgemein"), QStringLiteral("User"),
                        QStringLiteral("(keiner)"));
    }
    void speichere(const QByteArray &wert)
    {
        env.datei(QStringLiteral("C:\\Brenlo\\Brenlo.ini"), "[Allgemein]\r\nUser=" + wert + "\r\n");
    }

    test::TestUmgebung env;
};

TEST_F(BenutzernameTest, UserMarkerGivesTheLoginNameUnchangedAndWritesNothing)
{
    speichere("%USER");
    env.system->login = QStringLiteral("anna.schmidt");
    EXPECT_EQ(Benutzername(*env.ctx), QStringLiteral("anna.schmidt"));
    EXPECT_EQ(gespeichert(), QStringLiteral("%USER"));
}

TEST_F(BenutzernameTest, UserMarkerWithoutLoginFallsBackButKeepsTheMarker)
{
    speichere("%user");
    env.system->umgebung.insert(QStringLiteral("USERID"), QStringLiteral("otto"));
    EXPECT_EQ(Benutzername(*env.ctx), QStringLiteral("Otto"));
    EXPECT_EQ(gespeichert(), QStringLiteral("%user"));
}

TEST_F(BenutzernameTest, NothingStoredTakesTheLoginInProperCaseAndStoresIt)
{
    env.system->login = QStringLiteral("anna");
    EXPECT_EQ(Benutzername(*env.ctx), QStringLiteral("Anna"));
    EXPECT_EQ(gespeichert(), QStringLiteral("Anna"));
}

TEST_F(BenutzernameTest, AStoredNameWinsAndIsTrimmed)
{
    speichere("  Paul Meier  ");
    env.system->login = QStringLiteral("anna");
    EXPECT_EQ(Benutzername(*env.ctx), QStringLiteral("Paul Meier"));
}

TEST_F(BenutzernameTest, ALongStoredNameIsCutTo99AndStaysStored)
{
    const QByteArray lang(120, 'b');
    speichere(lang);
    EXPECT_EQ(Benutzername(*env.ctx), QStringLiteral("B") + QString(98, QLatin1Char('b')));
    EXPECT_EQ(gespeichert(), QString::fromLatin1(lang));
}

TEST_F(BenutzernameTest, EnvironmentAndWinIniFallbacksInTheirOrder)
{
    const struct
    {
        const char *name;
        QList<std::pair<const char *, const char *>> umgebung;
        const char *defName; // nullptr: no win.ini
        const char *erwartet;
    } faelle[] = {
        {"User first", {{"USER", "ulla"}, {"USERID", "ida"}, {"USERNAME", "nora"}}, "def", "Ulla"},
        {"then USERID", {{"USERID", "ida"}, {"STATION", "stan"}}, nullptr, "Ida"},
        {"then Station", {{"STATION", "stan"}, {"USERNAME", "nora"}}, nullptr, "Stan"},
        {"then Username", {{"USERNAME", "nora"}}, "def", "Nora"},
        {"then DefName", {}, "  dora  ", "Dora"},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        test::TestUmgebung e;
        for (const char *v : {"USER", "USERID", "STATION", "USERNAME"})
            e.system->umgebung.insert(QString::fromLatin1(v), std::nullopt);
        e.system->login = QString();
        for (const auto &[name, wert] : fall.umgebung)
            e.system->umgebung.insert(QString::fromLatin1(name), QString::fromLatin1(wert));
        if (fall.defName)
            e.datei(QStringLiteral("C:\\Windows\\win.ini"),
                    QByteArray("[MS User Info]\r\nDefName=") + fall.defName + "\r\n");
        EXPECT_EQ(Benutzername(*e.ctx), QString::fromLatin1(fall.erwartet));
        EXPECT_TRUE(e.dialogs.gezeigt.isEmpty());
    }
}

TEST_F(BenutzernameTest, WithoutAnySourceAsksAgainAfterCancelOrBlanksAndStoresTheAnswer)
{
    env.dialogs.antworteEingabe(std::nullopt);
    env.dialogs.antworteEingabe(QStringLiteral("   "));
    env.dialogs.antworteEingabe(QStringLiteral(" eva "));
    EXPECT_EQ(Benutzername(*env.ctx), QStringLiteral("eva"));

    ASSERT_EQ(env.dialogs.gezeigt.size(), 3);
    for (const auto &box : env.dialogs.gezeigt) {
        EXPECT_EQ(box.art, QStringLiteral("input"));
        EXPECT_EQ(box.text, QStringLiteral("Wählen Sie bitte einen Benutzernamen aus."));
        EXPECT_EQ(box.titel, QStringLiteral("Benutzername"));
    }
    EXPECT_EQ(env.desktop.beeps, (QList<Beep>{Beep::Question, Beep::Question, Beep::Question}));
    EXPECT_EQ(gespeichert(), QStringLiteral("eva"));
}

TEST_F(BenutzernameTest, AnAnswerIsCutTo99Characters)
{
    env.dialogs.antworteEingabe(QString(150, QLatin1Char('x')));
    EXPECT_EQ(Benutzername(*env.ctx), QString(99, QLatin1Char('x')));
}

TEST(SystemBenutzer, CutAtTheFirstNullAndTrimmed)
{
    test::TestUmgebung env;
    const struct
    {
        QString login;
        QString erwartet;
    } faelle[] = {
        {QStringLiteral("  anna  "), QStringLiteral("anna")},
        {QStringLiteral("bert") + QChar(0) + QStringLiteral("rest"), QStringLiteral("bert")},
        {QString(), QString()},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.login.toStdString());
        env.system->login = fall.login;
        EXPECT_EQ(SystemBenutzer(*env.ctx), fall.erwartet);
    }
}

} // namespace
} // namespace mirbelon
