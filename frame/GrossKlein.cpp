#include "frame/GrossKlein.h"

#include "frame/IniStore.h"
#include "text/Formatierung.h"

namespace mirbelon {

QString GrossKlein(Context &ctx, const QString &text)
{
    const QString ausnahmen =
        IniLesen(ctx, QString(), QStringLiteral("Adressen"), QStringLiteral("ImmerKlein"), QString())
        + GrossKleinFesteAusnahmen();
    return GrossKleinMitAusnahmen(text, ausnahmen);
}

} // namespace mirbelon
