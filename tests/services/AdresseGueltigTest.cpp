#include "services/Mail.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

TEST(AdresseGueltig, EveryRuleRefusesOnItsOwn)
{
    const struct
    {
        const char *regel;
        const char *adresse;
        bool gueltig;
    } faelle[] = {
        {"plain", "anna@beispiel.de", true},
        {"allowed specials", "a.b+c!#$%'=?^_`{|}~-x@mail.beispiel.de", true},
        {"upper case", "Anna@Beispiel.DE", true},
        {"1 shorter than 3", "a@", false},
        {"1 empty", "", false},
        {"2 no at", "anna.beispiel.de", false},
        {"3 no dot after the at", "anna.m@beispiel", false},
        {"4 at dot", "anna@.beispiel.de", false},
        {"5 second at", "anna@bei@spiel.de", false},
        {"6 ends with dot", "anna@beispiel.de.", false},
        {"7 http", "HTTP://anna@beispiel.de", false},
        {"7 ftp", "ftp://x@beispiel.de", false},
        {"8 blank", "anna meier@beispiel.de", false},
        {"8 slash", "anna/x@beispiel.de", false},
        {"8 colon", "anna:x@beispiel.de", false},
        {"8 comma", "anna,x@beispiel.de", false},
        {"8 semicolon", "anna;x@beispiel.de", false},
        {"8 star", "anna*x@beispiel.de", false},
        {"8 ampersand", "anna&x@beispiel.de", false},
        {"9 umlaut", "jörg@beispiel.de", false},
        {"9 bracket", "anna(x)@beispiel.de", false},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.regel);
        EXPECT_EQ(AdresseGueltig(QString::fromUtf8(fall.adresse)), fall.gueltig);
    }
}

TEST(MailtoAdresse, EncodesSubjectAndBodyThenTheWholeAddress)
{
    EXPECT_EQ(MailtoAdresse(QStringLiteral("a@b.de"), QStringLiteral("Fehler: A & B?"), {}, {}, {}),
              QStringLiteral("mailto:a@b.de?subject=Fehler%3A%20A%20%26%20B%3F"));
    EXPECT_EQ(MailtoAdresse(QStringLiteral("a@b.de"), QStringLiteral("x,y.z!;=#%"),
                            QStringLiteral("Zeile 1\r\nZeile 2 \"zitiert\" 'so' C:\\a 100% #2"),
                            QStringLiteral("c@d.de"), QStringLiteral("e f@g.de")),
              QStringLiteral("mailto:a@b.de?subject=x%2Cy%2Ez%21%3B%3D%23%25&cc=c@d.de&bcc=e%20f@g.de"
                             "&body=Zeile%201%0D%0AZeile%202%20%22zitiert%22%20%27so%27%20C%3A"
                             "%5Ca%20100%25%20%232"));
}

} // namespace
} // namespace mirbelon
