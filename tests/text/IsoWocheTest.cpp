#include "text/IsoWoche.h"

#include <gtest/gtest.h>

using namespace mirbelon;

TEST(IsoWoche, AgreesWithTheIsoCalendarFrom1990To2040)
{
    int abweichungen = 0;
    for (QDate tag(1990, 1, 1); tag <= QDate(2040, 12, 31); tag = tag.addDays(1)) {
        if (IsoWoche(tag) != tag.weekNumber()) {
            ADD_FAILURE() << tag.toString(Qt::ISODate).toStdString();
            if (++abweichungen > 5)
                return;
        }
    }
}

TEST(IsoWoche, YearBoundaries)
{
    const struct
    {
        QDate tag;
        int woche;
    } faelle[] = {
        { QDate(2004, 1, 1), 1 },
        { QDate(2005, 1, 1), 53 },
        { QDate(2008, 12, 31), 1 },
        { QDate(2008, 12, 28), 52 },
        { QDate(2010, 1, 3), 53 },
        { QDate(2010, 1, 4), 1 },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.tag.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(IsoWoche(fall.tag), fall.woche);
    }
}

TEST(IsoWoche, InvalidDateGivesZero)
{
    EXPECT_EQ(IsoWoche(QDate()), 0);
}

TEST(IsoWoche, WeekdayCountsFromSunday)
{
    EXPECT_EQ(WochentagAbSonntag(QDate(2004, 1, 4)), 1); // Sunday
    EXPECT_EQ(WochentagAbSonntag(QDate(2004, 1, 5)), 2); // Monday
    EXPECT_EQ(WochentagAbSonntag(QDate(2004, 1, 10)), 7); // Saturday
}
