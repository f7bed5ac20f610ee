#include "frame/GrossKlein.h"

#include "frame/IniStore.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

using test::TestUmgebung;

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(GrossKlein, UsersExceptionsComeBeforeTheFixedList)
{
    TestUmgebung u;
    EXPECT_EQ(GrossKlein(*u.ctx, S("fotos und bilder mit anna")), S("Fotos und Bilder Mit Anna"));
    IniSchreiben(*u.ctx, QString(), S("Adressen"), S("ImmerKlein"), S(" MIT ,zum"));
    EXPECT_EQ(GrossKlein(*u.ctx, S("fotos und bilder mit anna zum see")),
              S("Fotos und Bilder mit Anna zum See"));
    EXPECT_EQ(GrossKlein(*u.ctx, S("mit anna")), S("Mit Anna"));
    EXPECT_EQ(GrossKlein(*u.ctx, S("x")), S("X"));
}

} // namespace
} // namespace mirbelon
