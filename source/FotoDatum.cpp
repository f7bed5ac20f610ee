#include "source/FotoDatum.h"

#include "frame/Context.h"
#include "text/Zahlen.h"

namespace mirbelon {

std::optional<QDateTime> Picture_DT(Context &ctx, const QString &hFile)
{
    const std::optional<QDateTime> stempel = ctx.host.files.modified(hFile);
    if (!stempel || !stempel->isValid())
        return std::nullopt;
    const QTime zeit = stempel->time();
    // Computed as if on a clock without daylight saving, then read as local time.
    QDateTime uhr(stempel->date(), QTime(zeit.hour(), zeit.minute(), zeit.second()), Qt::UTC);
    const auto minuten = static_cast<qint64>(RundeKaufmaennisch(ctx.datumKorrektur));
    uhr = uhr.addSecs(minuten * 60);
    return QDateTime(uhr.date(), uhr.time());
}

} // namespace mirbelon
