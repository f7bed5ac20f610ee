#include "frame/GrossKlein.h"

#include "frame/IniStore.h"
#include "text/Formatierung.h"

namespace mirbelon {

QString GrossKleinAusnahmen(Context &ctx)
{
    return IniLesen(ctx, QString(), QStringLiteral("Adressen"), QStringLiteral("ImmerKlein"),
                    QString())
           + GrossKleinFesteAusnahmen();
}

QString GrossKlein(Context &ctx, const QString &text)
{
    return GrossKleinMitAusnahmen(text, GrossKleinAusnahmen(ctx));
}

} // namespace mirbelon
