#include "text/IsoWoche.h"

namespace mirbelon {

int WochentagAbSonntag(const QDate &datum)
{
    return datum.dayOfWeek() % 7 + 1;
}

int IsoWoche(const QDate &datum)
{
    if (!datum.isValid())
        return 0;
    // The Thursday of the date's Monday-to-Sunday week decides the year.
    const QDate donnerstag = datum.addDays((8 - WochentagAbSonntag(datum)) % 7 - 3);
    const QDate neujahr(donnerstag.year(), 1, 1);
    const qint64 tage = neujahr.daysTo(datum) - 3 + (WochentagAbSonntag(neujahr) + 1) % 7;
    return static_cast<int>(tage / 7) + 1;
}

} // namespace mirbelon
