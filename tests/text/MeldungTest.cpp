#include "text/Meldung.h"

#include "tests/text/QStringAusgabe.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(MeldungsText, PreparesGermanMessages)
{
    const QDate heute(2024, 3, 7);
    const struct
    {
        const char *name;
        const char *text;
        const char *erwartet;
    } faelle[] = {
        { "quotes and line break", "Die Datei ´a.jpg´ fehlt.~Weiter?",
            "Die Datei »a.jpg« fehlt.\r\nWeiter?" },
        { "blanks only", "  ", "" },
        { "empty", "", "" },
        { "leading blanks removed", "  a ", "a " },
        { "four breaks become two", "a~~~~b", "a\r\n\r\nb" },
        { "many breaks become two", "a~~~~~~~~~b", "a\r\n\r\nb" },
        { "two breaks stay", "a~~b", "a\r\n\r\nb" },
        { "tab", "a^tb^Tc", "a\tb\tc" },
        { "date", "Heute: {datum}", "Heute: 07.03.2024" },
        { "date ignores case", "{DATUM}", "07.03.2024" },
        { "blank before break removed", "a ~b", "a\r\nb" },
        { "only one blank per break", "a  ~b", "a \r\nb" },
        { "blank before a break of the text itself", "a \r\nb", "a\r\nb" },
        { "odd acute opens", "´a´ ´b", "»a« »b" },
        { "acute pairs across lines", "´a~b´", "»a\r\nb«" },
        { "grave pair", "`x`", "»x«" },
        { "grave partner on next line stays", "`x~y`", "`x\r\ny`" },
        { "grave after forgotten one pairs", "`x~`y`", "`x\r\n»y«" },
        { "three graves", "`a` `b", "»a« `b" },
        { "acute and grave mixed", "´a´ `b`", "»a« »b«" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(MeldungsText(S(fall.text), heute), S(fall.erwartet));
    }
}

} // namespace
} // namespace mirbelon
