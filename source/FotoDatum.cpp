#include "source/FotoDatum.h"

#include "frame/Context.h"
#include "source/FotoMetadaten.h"
#include "text/Zahlen.h"

namespace mirbelon {

namespace {

// One file as it was when read: a changed file is read again.
QByteArray Schluessel(const QByteArray &hostPfad, const FileStamp &stempel)
{
    return hostPfad + '\0' + QByteArray::number(stempel.size) + '\0'
        + QByteArray::number(stempel.modifiedMs);
}

} // namespace

void AufnahmeMerken(Context &ctx, const QByteArray &hostPfad, const FileStamp &stempel,
    const std::optional<QDateTime> &aufnahme)
{
    ctx.aufnahmeDaten.insert(Schluessel(hostPfad, stempel), aufnahme);
}

std::optional<QDateTime> Picture_DT(Context &ctx, const FileRef &hFile)
{
    const std::optional<FileStamp> stempel = hFile.path.isEmpty() ? std::nullopt : ctx.host.files.stamp(hFile);
    if (!stempel)
        return std::nullopt;
    const QDateTime datei = QDateTime::fromMSecsSinceEpoch(stempel->modifiedMs);
    QDateTime uhr(datei.date(), datei.time(), Qt::UTC);
    if (ctx.fotoDatumAufnahme) {
        const QByteArray hostPfad = ctx.host.files.hostFile(hFile);
        const QByteArray schluessel = Schluessel(hostPfad, *stempel);
        auto gemerkt = ctx.aufnahmeDaten.constFind(schluessel);
        if (gemerkt == ctx.aufnahmeDaten.constEnd())
            gemerkt = ctx.aufnahmeDaten.insert(schluessel, AufnahmeDatum(hostPfad));
        if (*gemerkt)
            uhr = **gemerkt;
    }
    const QTime zeit = uhr.time();
    uhr.setTime(QTime(zeit.hour(), zeit.minute(), zeit.second()));
    const auto minuten = static_cast<qint64>(RundeKaufmaennisch(ctx.datumKorrektur));
    return uhr.addSecs(minuten * 60);
}

} // namespace mirbelon
