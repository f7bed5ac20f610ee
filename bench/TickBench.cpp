#include "bench/Karte.h"
#include "bench/Messung.h"

#include <QDirIterator>

#include <algorithm>
#include <vector>

#include <sys/stat.h>

namespace mirbelon::bench {

void StatusTick(Aufbau &a);

namespace {
constexpr int kRunden = 5;
} // namespace

void TickBench()
{
    Aufbau a;
    a.einstellungen();
    a.karte(300, 100, 0);
    a.scannen(30000);

    // The baseline: one ::stat of every photo by its host path, the least a
    // tick that sums the sizes has to do.
    std::vector<QByteArray> pfade;
    QDirIterator it(a.env.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM"), QDir::Files,
        QDirIterator::Subdirectories);
    while (it.hasNext())
        pfade.push_back(QFile::encodeName(it.next()));
    double summe = 0;
    const auto statSchleife = [&] {
        summe = 0;
        for (const QByteArray &p : pfade) {
            struct stat st;
            if (::stat(p.constData(), &st) == 0)
                summe += double(st.st_size);
        }
    };

    // One tick before timing: the scan's tick in the program comes first too.
    StatusTick(a);
    statSchleife();
    // Alternating, so that the load of other programs falls on both alike.
    double ours = 1e300, base = 1e300;
    SpitzeZuruecksetzen();
    for (int r = 0; r < kRunden; ++r) {
        base = std::min(base, Sekunden(statSchleife));
        ours = std::min(ours, Sekunden([&] { StatusTick(a); }));
    }
    const double spitze = SpitzeMb();
    if (a.fenster.panel(QStringLiteral("Bilder")).isEmpty() || summe <= 0) {
        std::fprintf(stderr, "tick did not run\n");
        std::exit(1);
    }

    Notiz(QStringLiteral("tick: HinweiseTick over %1 entries after the scan, best of %2; "
                         "base: ::stat of each file by host path in C++, best of %2")
              .arg(a.liste.anzahl())
              .arg(kRunden));
    Ausgabe(Zeile(QStringLiteral("tick"), ours, base,
        QStringLiteral("peak_rss_mb=%1 goal<=3").arg(spitze, 0, 'f', 1)));
}

} // namespace mirbelon::bench
