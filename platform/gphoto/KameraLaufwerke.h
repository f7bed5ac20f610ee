#pragma once

#include "platform/gphoto/GphotoKamera.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace mirbelon {

// The cameras on the cable, each with a drive letter while it is there.
// Opening and looking for cameras is done on a thread of its own, so the
// window never waits for the cable.
class KameraLaufwerke
{
public:
    struct Laufwerk
    {
        QChar letter;
        quint64 nummer = 0; // of this attachment; a camera plugged in again gets another
        std::shared_ptr<GphotoKamera> kamera;
    };

    // `ports`: the ports to open, such as "disk:/tmp/x" (a folder shown as a
    // camera), each there while its folder is; empty: the cameras libgphoto2
    // finds. `belegt` tells the letters taken by other drives.
    KameraLaufwerke(QStringList ports, std::function<QStringList()> belegt);
    ~KameraLaufwerke();
    KameraLaufwerke(const KameraLaufwerke &) = delete;
    KameraLaufwerke &operator=(const KameraLaufwerke &) = delete;

    QList<Laufwerk> laufwerke() const;
    // Whether a camera could not be opened because another program holds it.
    bool belegtGemeldet() const;
    // Looks again now, on the calling thread; true when something changed.
    bool auffrischen();
    // Keeps looking every `abstandMs` on a thread of its own; `geaendert`
    // then runs on the event loop of the thread that called this.
    void beobachten(std::function<void()> geaendert, int abstandMs = 2000);

private:
    QList<QPair<QByteArray, QByteArray>> gesucht() const; // model, port
    QChar freierBuchstabe() const;                         // m_mutex held
    void stoppen();

    const QStringList m_ports;
    const std::function<QStringList()> m_belegt;
    mutable std::mutex m_mutex;
    QList<Laufwerk> m_laufwerke;
    bool m_belegtGemeldet = false;
    quint64 m_naechste = 1;

    std::mutex m_suchMutex; // one look at a time
    std::unique_ptr<QObject> m_empfaenger;
    std::function<void()> m_geaendert;
    std::thread m_faden;
    std::condition_variable m_wecker;
    bool m_ende = false;
};

} // namespace mirbelon
