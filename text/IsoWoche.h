#pragma once

#include <QDate>

namespace mirbelon {

// The ISO 8601 week number of `datum` (weeks from Monday, week 1 holds the
// year's first Thursday); 0 for an invalid date.
int IsoWoche(const QDate &datum);

// Weekday counted from Sunday = 1 to Saturday = 7.
int WochentagAbSonntag(const QDate &datum);

} // namespace mirbelon
