#include "services/Warten.h"

#include "frame/Context.h"

#include <algorithm>

namespace mirbelon {

void Warten(Context &ctx, double sekunden)
{
    const double ms = std::max(0.0, sekunden) * 1000.0;
    const quint32 start = ctx.host.system.tickCount();
    for (;;) {
        ctx.host.desktop.processEvents();
        ctx.host.desktop.processEvents();
        ctx.host.system.sleepMs(100);
        ctx.host.desktop.processEvents();
        // The unsigned difference survives the wrap of the tick count.
        const quint32 vergangen = ctx.host.system.tickCount() - start;
        if (vergangen >= ms)
            return;
    }
}

} // namespace mirbelon
