#pragma once

#include "source/VorschauCache.h"
#include "source/VorschauDekoder.h"

#include "platform/FileSystem.h"

#include <QByteArray>
#include <QDateTime>
#include <QFutureWatcher>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <optional>

namespace mirbelon {

// What a worker needs to decode one preview: plain values only.
struct VorschauAuftrag
{
    QString pfad;      // the list entry, for the cache
    qint64 bytes = -1; // size and time stamp when asked, for the cache
    QDateTime zeit;
    QByteArray hostPfad;
    VorschauArt art = VorschauArt::Bild;
    QSize platz;       // available twips
    bool nebenbei = false; // only on a core nobody else needs (a copy run goes on)
    const FileSystem *dateien = nullptr; // gives the bytes of a host file that is on no disk
};

// Decodes previews on a worker thread, one at a time. The newest request
// wins: one still waiting is replaced, and the result of one that was
// overtaken is dropped. Results are handed over on the window's thread,
// where the cache of decoded pictures stays.
class VorschauLader : public QObject
{
    Q_OBJECT
public:
    using Fertig = std::function<void(const VorschauAuftrag &, const VorschauPixel &)>;

    explicit VorschauLader(int cacheGroesse);
    ~VorschauLader() override;

    VorschauCache &cache() { return m_cache; }

    void anfordern(VorschauAuftrag auftrag, Fertig fertig);
    // Nothing asked so far is handed over any more.
    void verwerfen();
    bool beschaeftigt() const { return m_laufend || m_wartend; }

signals:
    // The worker has nothing left to do.
    void leer();

private:
    struct Job
    {
        VorschauAuftrag auftrag;
        Fertig fertig;
        quint64 nummer = 0;
    };
    void starten(Job job);
    void abgeschlossen();
    void weiter();

    VorschauCache m_cache;
    QThreadPool m_pool;
    QThreadPool m_nebenbei; // its thread runs at idle priority
    QFutureWatcher<VorschauPixel> m_waechter;
    std::optional<Job> m_laufend;
    std::optional<Job> m_wartend;
    quint64 m_neueste = 0;
    // During a copy run a picture is decoded at most this often: the run is
    // what the user waits for, and every decode takes a core the writes need.
    QTimer m_pause;
};

} // namespace mirbelon
