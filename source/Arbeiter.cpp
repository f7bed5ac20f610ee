#include "source/Arbeiter.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <memory>

namespace mirbelon {

namespace {

// A lane of Vorab. Made on first use by whichever thread asks first, so it
// has no parent object: it ends with the program, after waiting for its work.
struct Spur : QThreadPool
{
    explicit Spur(int threads) { setMaxThreadCount(threads); }
};

QThreadPool &Pool(Strecke strecke)
{
    switch (strecke) {
    case Strecke::Flush: {
        static Spur flush(1);
        return flush;
    }
    case Strecke::Lesen: {
        // Two where the order does not matter.
        static Spur lesen(2);
        return lesen;
    }
    case Strecke::Blick: {
        static Spur blick(1);
        return blick;
    }
    case Strecke::Bytes:
        break;
    }
    // One thread, so that copies of one run reach the disk in the order they
    // were asked for, and no preview decoding can hold a copy up.
    static Spur bytes(1);
    return bytes;
}

} // namespace

bool Vorarbeit::fertig() const
{
    std::lock_guard lock(m_mutex);
    return m_erledigt;
}

void Vorarbeit::abwarten(const std::function<void()> &takt) const
{
    if (fertig())
        return;
    QTimer uhr;
    uhr.setInterval(50);
    if (takt)
        QObject::connect(&uhr, &QTimer::timeout, takt);
    uhr.start();
    // Not QEventLoop::exec(): a quit of the application meanwhile would end
    // that loop while the worker still writes.
    while (!fertig())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void Vorarbeit::blockieren() const
{
    std::unique_lock lock(m_mutex);
    m_fertig.wait(lock, [this] { return m_erledigt; });
}

void Vorarbeit::erledigt()
{
    std::lock_guard lock(m_mutex);
    m_erledigt = true;
    m_fertig.notify_all();
    // Under the lock: the waiting thread sees the work done only after this,
    // so its dispatcher cannot be gone yet (the program ending meanwhile).
    if (m_dispatcher)
        m_dispatcher->wakeUp();
}

std::shared_ptr<Vorarbeit> Vorab(Strecke strecke, std::function<void()> arbeit)
{
    auto vorarbeit = std::make_shared<Vorarbeit>();
    vorarbeit->m_dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
    Pool(strecke).start([vorarbeit, arbeit = std::move(arbeit)] {
        arbeit();
        vorarbeit->erledigt();
    });
    return vorarbeit;
}

void ImHintergrund(const std::function<void()> &arbeit, const std::function<void()> &takt, Strecke strecke)
{
    // Waited for here, so `arbeit` outlives the work.
    Vorab(strecke, [&arbeit] { arbeit(); })->abwarten(takt);
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
