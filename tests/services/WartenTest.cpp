#include "services/Warten.h"

#include "tests/support/TestUmgebung.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

TEST(Warten, PausesAtLeastTheTimeAndAtLeastOnePass)
{
    test::TestUmgebung env;
    const struct
    {
        double sekunden;
        qint64 mindestens;
    } faelle[] = {{-2.0, 100}, {0.0, 100}, {0.35, 350}};
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.sekunden);
        QElapsedTimer uhr;
        uhr.start();
        Warten(*env.ctx, fall.sekunden);
        EXPECT_GE(uhr.elapsed(), fall.mindestens);
    }
}

TEST(Warten, KeepsWindowEventsRunning)
{
    test::TestUmgebung env;
    bool gelaufen = false;
    QTimer::singleShot(0, [&gelaufen] { gelaufen = true; });
    Warten(*env.ctx, 0);
    EXPECT_TRUE(gelaufen);
}

} // namespace
} // namespace mirbelon
