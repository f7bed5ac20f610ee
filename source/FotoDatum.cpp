#include "source/FotoDatum.h"

#include "frame/Context.h"
#include "source/FotoMetadaten.h"
#include "text/Zahlen.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace mirbelon {

namespace {

// One file as it was when read: a changed file is read again.
QByteArray Schluessel(const QByteArray &hostPfad, const FileStamp &stempel)
{
    return hostPfad + '\0' + QByteArray::number(stempel.size) + '\0'
        + QByteArray::number(stempel.modifiedMs);
}

// A film's header may lie far into a large file on a slow card: the window
// keeps its events going meanwhile.
std::optional<QDateTime> AufnahmeImHintergrund(const FileSystem &files, const QByteArray &hostPfad)
{
    QFutureWatcher<std::optional<QDateTime>> waechter;
    waechter.setFuture(QtConcurrent::run([&files, hostPfad] {
        std::optional<QDateTime> datum;
        files.withLocalFile(hostPfad, [&](const QByteArray &lokal) { datum = AufnahmeDatum(lokal); });
        return datum;
    }));
    // Also when the header came at once: what waits runs now, not after the whole list.
    QCoreApplication::processEvents();
    while (!waechter.isFinished())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return waechter.result();
}

} // namespace

void AufnahmeMerken(Context &ctx, const QByteArray &hostPfad, const FileStamp &stempel,
    const DateiAngaben &angaben)
{
    ctx.aufnahmeDaten.insert(Schluessel(hostPfad, stempel), angaben);
}

qint64 FilmDauer(Context &ctx, const FileRef &datei, const FileStamp &stempel)
{
    return ctx.aufnahmeDaten.value(Schluessel(ctx.host.files.hostFile(datei), stempel)).filmMs;
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
            gemerkt = ctx.aufnahmeDaten.insert(schluessel, { AufnahmeImHintergrund(ctx.host.files, hostPfad) });
        if (gemerkt->aufnahme)
            uhr = *gemerkt->aufnahme;
    }
    const QTime zeit = uhr.time();
    uhr.setTime(QTime(zeit.hour(), zeit.minute(), zeit.second()));
    const auto minuten = static_cast<qint64>(RundeKaufmaennisch(ctx.datumKorrektur));
    return uhr.addSecs(minuten * 60);
}

} // namespace mirbelon
