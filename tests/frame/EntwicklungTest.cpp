#include "frame/Entwicklung.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

namespace mirbelon {
namespace {

TEST(Entwicklungslauf, DeliveredRunTrapsErrorsAndKeepsItsAnswer)
{
    ASSERT_FALSE(qEnvironmentVariableIsSet("MIRBELON_ENTWICKLUNGSLAUF"));
    EXPECT_FALSE(Entwicklungslauf());
    qputenv("MIRBELON_ENTWICKLUNGSLAUF", QByteArray("1"));
    EXPECT_FALSE(Entwicklungslauf());
    qunsetenv("MIRBELON_ENTWICKLUNGSLAUF");
}

} // namespace
} // namespace mirbelon
