#include "services/Mail.h"

#include "frame/IniStore.h"
#include "platform/Cp1252.h"
#include "platform/ShellQuote.h"
#include "tests/support/TestUmgebung.h"

#include <QFile>

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

class MailSendenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        env.ctx->debugModus = 1;
        IniSchreiben(*env.ctx, {}, QStringLiteral("Allgemein"), QStringLiteral("User"),
                     QStringLiteral("Anna"));
    }

    MailNachricht mail(const QString &an, const QString &betreff, const QString &text)
    {
        MailNachricht m;
        m.empfaenger = an;
        m.betreff = betreff;
        m.text = text;
        return m;
    }
    void mailer(const QString &schluessel, const QString &wert)
    {
        IniSchreiben(*env.ctx, {}, QStringLiteral("Verknüpfung"), schluessel, wert);
    }
    QString debug() const { return fromCp1252(env.inhalt(QStringLiteral("C:\\Prg\\Debug.txt"))); }

    test::TestUmgebung env;
};

TEST_F(MailSendenTest, NoSendSuppressesTheMailAndRestoresThePointer)
{
    EXPECT_FALSE(MailSenden(*env.ctx, mail(QStringLiteral("$NOSEND"), QStringLiteral("S"),
                                           QStringLiteral("T"))));
    EXPECT_TRUE(env.processes.geoeffnet.isEmpty());
    EXPECT_TRUE(env.processes.gestartet.isEmpty());
    EXPECT_EQ(env.dialogs.busy(), 0);
    EXPECT_TRUE(debug().contains(QStringLiteral("Mailer.in: to-$NOSEND|sub-S|bdy-T|mode-Falsch")));
    EXPECT_FALSE(debug().contains(QStringLiteral("Mailer.ex:")));
}

TEST_F(MailSendenTest, OpensAPreparedMailtoAddress)
{
    MailNachricht m = mail(QStringLiteral("  Anna@Beispiel.DE "), QStringLiteral("Fehler: A & B?"),
                           QStringLiteral("~~Zeile 1~Zeile \"2\"{Signatur}Gruß~~"));
    m.extra = QStringLiteral("x1");
    EXPECT_TRUE(MailSenden(*env.ctx, m));
    ASSERT_EQ(env.processes.geoeffnet.size(), 1);
    EXPECT_EQ(env.processes.geoeffnet.first(),
              QStringLiteral("mailto:anna@beispiel.de?subject=Fehler%3A%20A%20%26%20B%3F"
                             "&body=Zeile%201%0D%0AZeile%20%272%27%0D%0A%0D%0AGruß"));
    EXPECT_EQ(env.dialogs.busy(), 0);

    const QString log = debug();
    EXPECT_TRUE(log.contains(QStringLiteral("Mailer.in: to-  Anna@Beispiel.DE |sub-Fehler: A & B?"
                                            "|bdy-~~Zeile 1~Zeile \"2\"{Signatur}Gruß~~|mode-Falsch"
                                            "|att-|cc-|bcc-|from-|ex-x1")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Mailer.rf: to-anna@beispiel.de|sub-Fehler: A & B?"
                                            "|bdy-Zeile 1~Zeile '2'~~Gruß|mode-Falsch")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Mailer.do: MailTo-mailto:anna@beispiel.de?")));
    EXPECT_TRUE(log.contains(QStringLiteral("Mailer.ex: Exit")));
}

TEST_F(MailSendenTest, TwoLineBodyIsJoinedByCrLf)
{
    MailSenden(*env.ctx, mail(QStringLiteral("a@b.de"), QStringLiteral("S"),
                              QStringLiteral("Zeile 1~Zeile 2")));
    ASSERT_EQ(env.processes.geoeffnet.size(), 1);
    EXPECT_TRUE(env.processes.geoeffnet.first().endsWith(
        QStringLiteral("&body=Zeile%201%0D%0AZeile%202")));
}

TEST_F(MailSendenTest, EmptySubjectNamesTheUser)
{
    MailSenden(*env.ctx, mail(QStringLiteral("a@b.de"), QStringLiteral(" \r\n "), QString()));
    ASSERT_EQ(env.processes.geoeffnet.size(), 1);
    EXPECT_EQ(env.processes.geoeffnet.first(),
              QStringLiteral("mailto:a@b.de?subject=eMail%20von%20Anna"));
}

TEST_F(MailSendenTest, CasesMailtoCannotServeAreLoggedAsNoSolutionButStillOpened)
{
    const struct
    {
        const char *name;
        QString anhang;
        bool sofort;
        QString absender;
        QString text;
    } faelle[] = {
        {"attachment", QStringLiteral("C:\\Tmp\\a.txt"), false, {}, QStringLiteral("x")},
        {"at once", {}, true, {}, QStringLiteral("x")},
        {"sender", {}, false, QStringLiteral("me@x.de"), QStringLiteral("x")},
        {"too long", {}, false, {}, QString(1900, QLatin1Char('y'))},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        QFile::remove(env.host(QStringLiteral("C:\\Prg\\Debug.txt")));
        env.processes.geoeffnet.clear();
        MailNachricht m = mail(QStringLiteral("a@b.de"), QStringLiteral("S"), fall.text);
        m.anhang = fall.anhang;
        m.sofort = fall.sofort;
        m.absender = fall.absender;
        EXPECT_TRUE(MailSenden(*env.ctx, m));
        EXPECT_EQ(env.processes.geoeffnet.size(), 1);
        EXPECT_TRUE(debug().contains(QStringLiteral("Mailer.do: NoSol-mailto:a@b.de?subject=S")));
        EXPECT_FALSE(env.processes.geoeffnet.first().contains(QStringLiteral("a.txt")));
    }
}

TEST_F(MailSendenTest, AtOnceRefusesAnInvalidAddressAndLogsTheUsage)
{
    MailNachricht m = mail(QStringLiteral("Anna@Beispiel"), QStringLiteral("Betreff"),
                           QStringLiteral("Text"));
    m.sofort = true;
    EXPECT_FALSE(MailSenden(*env.ctx, m));
    EXPECT_TRUE(env.processes.geoeffnet.isEmpty());
    EXPECT_EQ(env.dialogs.busy(), 0);
    const QString nutzung = fromCp1252(env.inhalt(QStringLiteral("C:\\Tmp\\Brenlo-Mailer.use")));
    EXPECT_TRUE(nutzung.contains(
        QStringLiteral("eMail ist ungültig: anna@beispiel (Betreff; Text)")))
        << nutzung.toStdString();
    EXPECT_TRUE(debug().contains(QStringLiteral("Mailer.ex: Exit")));
    EXPECT_FALSE(debug().contains(QStringLiteral("Mailer.rf:")));

    m.sofort = false;
    EXPECT_TRUE(MailSenden(*env.ctx, m));
    EXPECT_EQ(env.processes.geoeffnet.size(), 1);
}

TEST_F(MailSendenTest, ExternalMailerGetsTheBodyFileWrittenBeforeItStarts)
{
    const QString kopie = env.host(QStringLiteral("C:\\Tmp\\kopie.txt"));
    mailer(QStringLiteral("MailerSendExtern"),
           QStringLiteral("cp {BodyAsFile} ") + shellQuote(kopie) + QStringLiteral(" {SendMode}"));
    mailer(QStringLiteral("MailerSendExternWaitMS"), QStringLiteral("0"));
    env.processes.ausfuehren = true;

    EXPECT_TRUE(MailSenden(*env.ctx, mail(QStringLiteral("a@b.de"), QStringLiteral("S"),
                                          QStringLiteral("Zeile 1~Zeile 2"))));
    EXPECT_TRUE(env.processes.geoeffnet.isEmpty());
    ASSERT_EQ(env.processes.gestartet.size(), 1);
    const QString datei = env.host(QStringLiteral("C:\\Tmp\\MailerSendExternBody.tmp"));
    EXPECT_EQ(env.processes.gestartet.first().kommando, QStringLiteral("cp"));
    EXPECT_EQ(env.processes.gestartet.first().argumente, QStringList({datei, kopie}));
    EXPECT_EQ(env.processes.gestartet.first().stil, WindowStyle::MinimizedNoFocus);
    EXPECT_EQ(env.inhalt(QStringLiteral("C:\\Tmp\\MailerSendExternBody.tmp")),
              QByteArray("Zeile 1\r\nZeile 2\r\n"));
    EXPECT_EQ(env.inhalt(QStringLiteral("C:\\Tmp\\kopie.txt")), QByteArray("Zeile 1\r\nZeile 2\r\n"));
    EXPECT_TRUE(debug().contains(QStringLiteral("Mailer.do: cmd-cp ")));
    EXPECT_TRUE(env.processes.tasten.isEmpty());
}

TEST_F(MailSendenTest, ExternalMailerValuesCannotBecomeCommands)
{
    const QString aus = env.host(QStringLiteral("C:\\Tmp\\aus.txt"));
    const QString boese = env.host(QStringLiteral("C:\\Tmp\\boese"));
    // Placeholders bare, in double and in single quotes, and Thunderbird's way.
    mailer(QStringLiteral("MailerSendExtern"),
           QStringLiteral("sh -c 'printf \"%s|\" \"$@\" > \"$0\"' ") + shellQuote(aus)
               + QStringLiteral(" \"{Sub}\" {Body} subject='{Sub}' {Attach} "
                                "\"to='{To}',subject='{Sub}'\""));
    mailer(QStringLiteral("MailerSendExternWaitMS"), QStringLiteral("0"));
    env.processes.ausfuehren = true;

    const QString sub = QStringLiteral("$(touch ") + boese + ")";
    const QString body = QStringLiteral("a'; touch ") + boese + QStringLiteral("; echo '{Attach}");
    MailNachricht m = mail(QStringLiteral("a@b.de"), sub, body);
    m.anhang = QStringLiteral("C:\\Tmp\\x y.txt");
    EXPECT_TRUE(MailSenden(*env.ctx, m));
    EXPECT_FALSE(QFile::exists(boese));
    EXPECT_EQ(QString::fromUtf8(env.inhalt(QStringLiteral("C:\\Tmp\\aus.txt"))),
              sub + "|" + body + "|subject=" + sub + "|" + env.host(QStringLiteral("C:\\Tmp\\x y.txt"))
                  + "|to='a@b.de',subject='" + sub + "'|");
}

TEST_F(MailSendenTest, AttachmentCommandAndSendKeyWithAtOnce)
{
    mailer(QStringLiteral("MailerSendExtern"), QStringLiteral("ohne {To}"));
    mailer(QStringLiteral("MailerSendExternAtt+"), QStringLiteral("mit {Attach}"));
    mailer(QStringLiteral("MailerSendExternWaitMS"), QStringLiteral("0"));
    mailer(QStringLiteral("MailerSendExternSendNowKey"), QStringLiteral("%s"));

    MailNachricht m = mail(QStringLiteral("a@b.de"), QStringLiteral("S"), QStringLiteral("T"));
    EXPECT_TRUE(MailSenden(*env.ctx, m));
    m.anhang = QStringLiteral(" C:\\Tmp\\a.txt ");
    m.sofort = true;
    EXPECT_TRUE(MailSenden(*env.ctx, m));

    ASSERT_EQ(env.processes.gestartet.size(), 2);
    EXPECT_EQ(env.processes.gestartet.at(0).argumente, QStringList{QStringLiteral("a@b.de")});
    EXPECT_EQ(env.processes.gestartet.at(1).kommando, QStringLiteral("mit"));
    EXPECT_EQ(env.processes.gestartet.at(1).argumente,
              QStringList{env.host(QStringLiteral("C:\\Tmp\\a.txt"))});
    EXPECT_EQ(env.processes.tasten, QStringList{QStringLiteral("%s")});
}

TEST_F(MailSendenTest, WaitDefaultIsStoredOnFirstUse)
{
    mailer(QStringLiteral("MailerSendExtern"), QStringLiteral("true"));
    MailSenden(*env.ctx, mail(QStringLiteral("a@b.de"), QStringLiteral("S"), QStringLiteral("T")));
    EXPECT_EQ(IniLesen(*env.ctx, {}, QStringLiteral("Verknüpfung"),
                       QStringLiteral("MailerSendExternWaitMS"), {}),
              QStringLiteral("1001"));
}

TEST_F(MailSendenTest, UnwritableBodyFileIsReportedAndCancelEnds)
{
    env.ctx->ordner.tmp = QStringLiteral("C:\\Fehlt");
    mailer(QStringLiteral("MailerSendExtern"), QStringLiteral("cat {BodyAsFile}"));
    mailer(QStringLiteral("MailerSendExternWaitMS"), QStringLiteral("0"));

    env.dialogs.antworte(Answer::Cancel);
    EXPECT_FALSE(MailSenden(*env.ctx, mail(QStringLiteral("a@b.de"), QStringLiteral("S"),
                                           QStringLiteral("T"))));
    ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains(
        QStringLiteral("Es ist ein Fehler bei\r\n'eMail versenden (Mailer)'\r\n aufgetreten.")))
        << env.dialogs.gezeigt.first().text.toStdString();
    EXPECT_TRUE(env.processes.gestartet.isEmpty());
    EXPECT_EQ(env.dialogs.busy(), 0);

    env.dialogs.antworte(Answer::No);
    EXPECT_TRUE(MailSenden(*env.ctx, mail(QStringLiteral("a@b.de"), QStringLiteral("S"),
                                          QStringLiteral("T"))));
    EXPECT_EQ(env.processes.gestartet.size(), 1);
}

} // namespace
} // namespace mirbelon
