#include "platform/gphoto/KameraLaufwerke.h"

#include <QFileInfo>
#include <QMetaObject>

#include <chrono>

namespace mirbelon {

KameraLaufwerke::KameraLaufwerke(QStringList ports, std::function<QStringList()> belegt)
    : m_ports(std::move(ports)), m_belegt(std::move(belegt))
{
}

KameraLaufwerke::~KameraLaufwerke()
{
    stoppen();
}

void KameraLaufwerke::stoppen()
{
    {
        std::lock_guard lock(m_mutex);
        m_ende = true;
    }
    m_wecker.notify_all();
    if (m_faden.joinable())
        m_faden.join();
}

QList<KameraLaufwerke::Laufwerk> KameraLaufwerke::laufwerke() const
{
    std::lock_guard lock(m_mutex);
    return m_laufwerke;
}

bool KameraLaufwerke::belegtGemeldet() const
{
    std::lock_guard lock(m_mutex);
    return m_belegtGemeldet;
}

QList<QPair<QByteArray, QByteArray>> KameraLaufwerke::gesucht() const
{
    if (m_ports.isEmpty())
        return GphotoKamera::detect();
    QList<QPair<QByteArray, QByteArray>> da;
    for (const QString &port : m_ports) {
        // A folder shown as a camera is unplugged when the folder is gone.
        if (!port.startsWith(QLatin1String("disk:")) || QFileInfo(port.mid(5)).isDir())
            da.append({QByteArray(), port.toUtf8()});
    }
    return da;
}

QChar KameraLaufwerke::freierBuchstabe() const
{
    const QStringList andere = m_belegt ? m_belegt() : QStringList();
    for (char c = 'D'; c <= 'Y'; ++c) {
        const QChar b = QLatin1Char(c);
        bool frei = !andere.contains(QString(b), Qt::CaseInsensitive);
        for (const Laufwerk &l : m_laufwerke)
            frei = frei && l.letter != b;
        if (frei)
            return b;
    }
    return {};
}

bool KameraLaufwerke::auffrischen()
{
    std::lock_guard suche(m_suchMutex);
    const QList<QPair<QByteArray, QByteArray>> da = gesucht();
    bool geaendert = false;
    QList<QByteArray> offen;
    {
        std::lock_guard lock(m_mutex);
        for (qsizetype i = m_laufwerke.size() - 1; i >= 0; --i) {
            const QByteArray &port = m_laufwerke.at(i).kamera->port();
            const bool noch = std::any_of(da.cbegin(), da.cend(), [&](const auto &p) { return p.second == port; });
            if (noch) {
                offen << port;
            } else {
                m_laufwerke.removeAt(i);
                geaendert = true;
            }
        }
    }
    bool belegt = false;
    for (const auto &[model, port] : da) {
        if (offen.contains(port))
            continue;
        int ergebnis = 0;
        std::shared_ptr<GphotoKamera> kamera = GphotoKamera::open(port, model, ergebnis);
        belegt = belegt || GphotoKamera::heldElsewhere(ergebnis);
        if (!kamera)
            continue;
        std::lock_guard lock(m_mutex);
        const QChar letter = freierBuchstabe();
        if (letter.isNull())
            break;
        m_laufwerke.append(Laufwerk{letter, m_naechste++, std::move(kamera)});
        std::sort(m_laufwerke.begin(), m_laufwerke.end(),
                  [](const Laufwerk &a, const Laufwerk &b) { return a.letter < b.letter; });
        geaendert = true;
    }
    std::lock_guard lock(m_mutex);
    geaendert = geaendert || belegt != m_belegtGemeldet;
    m_belegtGemeldet = belegt;
    return geaendert;
}

void KameraLaufwerke::beobachten(std::function<void()> geaendert, int abstandMs)
{
    if (!m_empfaenger)
        m_empfaenger = std::make_unique<QObject>();
    m_geaendert = std::move(geaendert);
    if (m_faden.joinable())
        return;
    m_faden = std::thread([this, abstandMs] {
        std::unique_lock lock(m_mutex);
        while (!m_wecker.wait_for(lock, std::chrono::milliseconds(abstandMs), [this] { return m_ende; })) {
            lock.unlock();
            if (auffrischen())
                QMetaObject::invokeMethod(m_empfaenger.get(), [this] {
                    if (m_geaendert)
                        m_geaendert();
                }, Qt::QueuedConnection);
            lock.lock();
        }
    });
}

} // namespace mirbelon
