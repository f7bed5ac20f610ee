#include "archive/Arbeiter.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>

namespace mirbelon {

namespace {

// One thread, so that copies of one run reach the disk in the order they
// were asked for, and no preview decoding can hold a copy up.
QThreadPool &BytePool()
{
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool(QCoreApplication::instance());
        p->setMaxThreadCount(1);
        return p;
    }();
    return *pool;
}

} // namespace

void ImHintergrund(const std::function<void()> &arbeit, const std::function<void()> &takt)
{
    auto fertig = std::make_shared<std::atomic<bool>>(false);
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
    // The caller waits below until the work is done, so `arbeit` outlives it.
    BytePool().start([&arbeit, fertig, dispatcher] {
        arbeit();
        fertig->store(true);
        if (dispatcher)
            dispatcher->wakeUp();
    });

    QTimer uhr;
    uhr.setInterval(50);
    if (takt)
        QObject::connect(&uhr, &QTimer::timeout, takt);
    uhr.start();
    // Not QEventLoop::exec(): a quit of the application meanwhile would end
    // that loop while the worker still writes.
    while (!fertig->load())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

CopyResult KopierenImHintergrund(const FileSystem &files, const CopyOrder &auftrag,
                                 const std::function<void(double)> &anteil)
{
    ByteProgress fortschritt;
    return ImHintergrund<CopyResult>([&] { return files.copyBytes(auftrag, &fortschritt); },
                                     [&] {
                                         const qint64 ganz = fortschritt.total.load();
                                         if (anteil && ganz > 0)
                                             anteil(double(fortschritt.done.load()) / double(ganz));
                                     });
}

ReadBack ZurueckLesenImHintergrund(const FileSystem &files, const QString &host)
{
    return ImHintergrund<ReadBack>([&] { return files.readBack(host, nullptr); });
}

Fehler FlushImHintergrund(const FileSystem &files, const QStringList &hosts)
{
    return ImHintergrund<Fehler>([&] { return files.flush(hosts); });
}

} // namespace mirbelon
