#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace mirbelon::bench {

// Seconds that `arbeit` takes, on the monotonic clock.
double Sekunden(const std::function<void()> &arbeit);

// Wall time of `befehl` run by /bin/sh -c, output discarded; aborts on failure.
double ShellSekunden(const QString &befehl);

// Quotes a host path for /bin/sh.
QString Sh(const QString &pfad);

// The longest time the event loop went without running while armed: a 0 ms
// timer notes each pass, so a gap is a stretch the window could not react in.
class LueckenMesser : public QObject
{
public:
    LueckenMesser();
    void start();
    void stop();
    double maxMs() const { return m_max; }

private:
    void notieren();

    QTimer m_timer;
    QElapsedTimer m_uhr;
    qint64 m_letzte = 0;
    double m_max = 0;
};

// Peak resident memory of this process: reset, then read after the work.
void SpitzeZuruecksetzen();
double SpitzeMb();

// Reads every file below `ordner` once, so the page cache holds them.
void AllesLesen(const QString &ordner);

// Writes dirty pages of earlier runs out, so they do not slow the next one.
void Sync();

// Sync, then waits (at most 15 s) until the disk holding `ordner` has been
// idle for a moment: deleted files are discarded by the disk after the sync
// returns, and would slow whichever measurement comes next.
void Ruhe(const QString &ordner);

// "NAME ratio=R ours=Xs base=Ys" and the extras, one figure per line.
QString Zeile(const QString &name, double ours, double base, const QString &extra = {});

void Notiz(const QString &text);
void Ausgabe(const QString &zeile);

} // namespace mirbelon::bench
