#include "source/VorschauLader.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

namespace mirbelon {

VorschauLader::VorschauLader(int cacheGroesse)
    : m_cache(cacheGroesse)
{
    // One decoder is enough: only the newest picture is ever shown.
    m_pool.setMaxThreadCount(1);
    // A pool of its own: a thread never leaves idle priority again.
    m_nebenbei.setMaxThreadCount(1);
    m_nebenbei.setThreadPriority(QThread::IdlePriority);
    connect(&m_waechter, &QFutureWatcherBase::finished, this, &VorschauLader::abgeschlossen);
    m_pause.setSingleShot(true);
    m_pause.setInterval(250);
    connect(&m_pause, &QTimer::timeout, this, &VorschauLader::weiter);
}

VorschauLader::~VorschauLader()
{
    m_waechter.disconnect(this);
    m_pool.waitForDone();
    m_nebenbei.waitForDone();
}

void VorschauLader::anfordern(VorschauAuftrag auftrag, Fertig fertig)
{
    Job job{ std::move(auftrag), std::move(fertig), ++m_neueste };
    if (m_laufend || (job.auftrag.nebenbei && m_pause.isActive())) {
        m_wartend = std::move(job);
    } else {
        m_wartend.reset();
        starten(std::move(job));
    }
}

void VorschauLader::verwerfen()
{
    ++m_neueste;
    m_wartend.reset();
}

void VorschauLader::starten(Job job)
{
    const VorschauAuftrag &a = job.auftrag;
    m_waechter.setFuture(QtConcurrent::run(a.nebenbei ? &m_nebenbei : &m_pool,
                                           [dateien = a.dateien, host = a.hostPfad, art = a.art, platz = a.platz] {
                                               if (!dateien)
                                                   return VorschauDekodieren(host, art, platz);
                                               VorschauPixel pixel;
                                               dateien->withLocalFile(host, [&](const QByteArray &lokal) {
                                                   pixel = VorschauDekodieren(lokal, art, platz);
                                               });
                                               return pixel;
                                           }));
    if (a.nebenbei)
        m_pause.start();
    m_laufend = std::move(job);
}

void VorschauLader::abgeschlossen()
{
    if (!m_laufend)
        return;
    Job job = std::move(*m_laufend);
    m_laufend.reset();
    const VorschauPixel pixel = m_waechter.result();
    const bool neuester = job.nummer == m_neueste;
    weiter();
    if (neuester)
        job.fertig(job.auftrag, pixel);
    if (!beschaeftigt())
        emit leer();
}

void VorschauLader::weiter()
{
    if (m_laufend || !m_wartend || (m_wartend->auftrag.nebenbei && m_pause.isActive()))
        return;
    Job naechster = std::move(*m_wartend);
    m_wartend.reset();
    starten(std::move(naechster));
}

} // namespace mirbelon
