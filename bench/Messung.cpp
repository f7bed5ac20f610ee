#include "bench/Messung.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace mirbelon::bench {

double Sekunden(const std::function<void()> &arbeit)
{
    QElapsedTimer uhr;
    uhr.start();
    arbeit();
    return static_cast<double>(uhr.nsecsElapsed()) / 1e9;
}

double ShellSekunden(const QString &befehl)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer uhr;
    uhr.start();
    p.start(QStringLiteral("/bin/sh"), { QStringLiteral("-c"), befehl });
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "baseline failed: %s\n%s\n", qPrintable(befehl),
            p.readAllStandardError().constData());
        std::exit(1);
    }
    return static_cast<double>(uhr.nsecsElapsed()) / 1e9;
}

QString Sh(const QString &pfad)
{
    QString q = pfad;
    q.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

LueckenMesser::LueckenMesser()
{
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { notieren(); });
}

void LueckenMesser::start()
{
    m_max = 0;
    m_uhr.start();
    m_letzte = 0;
    m_timer.start();
}

void LueckenMesser::notieren()
{
    const qint64 jetzt = m_uhr.nsecsElapsed();
    m_max = std::max(m_max, static_cast<double>(jetzt - m_letzte) / 1e6);
    m_letzte = jetzt;
}

void LueckenMesser::stop()
{
    // The stretch after the last pass counts too: the routine held the loop.
    notieren();
    m_timer.stop();
}

void SpitzeZuruecksetzen()
{
    // "5" resets the peak of the resident set (Linux 4.0 and later).
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

double SpitzeMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &zeile : f.readAll().split('\n')) {
        if (zeile.startsWith("VmHWM:"))
            return zeile.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

void AllesLesen(const QString &ordner)
{
    QDirIterator it(ordner, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QByteArray puffer(1 << 20, Qt::Uninitialized);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        while (f.read(puffer.data(), puffer.size()) > 0) { }
    }
}

void Sync()
{
    ::sync();
}

namespace {

// The I/O counters of the block device `ordner` lies on; empty where the
// system does not show them.
QByteArray PlattenZaehler(const QString &ordner)
{
    struct stat st;
    if (::stat(QFile::encodeName(ordner).constData(), &st) != 0)
        return {};
    QFile f(QStringLiteral("/sys/dev/block/%1:%2/stat").arg(major(st.st_dev)).arg(minor(st.st_dev)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void Ruhe(const QString &ordner)
{
    Sync();
    QElapsedTimer seit;
    seit.start();
    QByteArray vorher = PlattenZaehler(ordner);
    int still = 0;
    while (still < 4 && !seit.hasExpired(15000)) {
        QThread::msleep(50);
        const QByteArray jetzt = PlattenZaehler(ordner);
        still = jetzt == vorher ? still + 1 : 0;
        vorher = jetzt;
    }
}

QString Zeile(const QString &name, double ours, double base, const QString &extra)
{
    QString z = QStringLiteral("%1 ratio=%2 ours=%3s base=%4s")
                    .arg(name)
                    .arg(base > 0 ? ours / base : 0.0, 0, 'f', 2)
                    .arg(ours, 0, 'f', 4)
                    .arg(base, 0, 'f', 4);
    if (!extra.isEmpty())
        z += QLatin1Char(' ') + extra;
    return z;
}

void Notiz(const QString &text)
{
    std::printf("# %s\n", qPrintable(text));
    std::fflush(stdout);
}

void Ausgabe(const QString &zeile)
{
    std::printf("%s\n", qPrintable(zeile));
    std::fflush(stdout);
}

} // namespace mirbelon::bench
