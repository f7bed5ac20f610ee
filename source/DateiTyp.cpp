#include "source/DateiTyp.h"

namespace mirbelon {

bool TypPasst(const QString &pfad, const QString &typen)
{
    return typen.toLower().contains(pfad.right(4).toLower());
}

} // namespace mirbelon
