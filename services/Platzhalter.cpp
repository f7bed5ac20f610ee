#include "services/Platzhalter.h"

#include "services/VarioKontext.h"
#include "text/Vario.h"

namespace mirbelon {

QString Vario(Context &ctx, const QString &text)
{
    VarioKontext umgebung(ctx);
    return Vario(umgebung, text);
}

} // namespace mirbelon
