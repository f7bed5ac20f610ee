#include "archive/ZielName.h"
#include "bench/Karte.h"
#include "bench/Messung.h"
#include "source/Statusleiste.h"

#include <algorithm>

namespace mirbelon::bench {

namespace {
constexpr int kOrdner = 300;
constexpr int kProOrdner = 100;
constexpr int kRunden = 5;
} // namespace

// The status tick that TimerHinweise runs shortly after the scan, with the
// first photo current as TimerInit leaves it.
void StatusTick(Aufbau &a)
{
    if (a.liste.anzahl() > 0 && a.liste.aktuell() < 0)
        a.liste.setAktuell(0);
    HinweiseTick(a.ctx(), a.liste, a.fenster,
        [&a](int offset) { return ZielName(a.ctx(), a.liste, a.fenster, offset); });
}

void ScanBench()
{
    Aufbau a;
    a.einstellungen();
    a.karte(kOrdner, kProOrdner, 0);
    const int fotos = kOrdner * kProOrdner;
    const QString find
        = QStringLiteral("find %1 -type f | sort").arg(Sh(a.env.laufwerk(QLatin1Char('E'))));

    // Both start with the folders and inodes in the kernel's caches; ours
    // starts each round with a new file-system object, as a program start.
    ShellSekunden(find);
    a.scannen(fotos);

    LueckenMesser luecken;
    double ours = 1e300, base = 1e300;
    double luecke = 0;
    double spitze = 0;
    // Alternating, so that the load of other programs falls on both alike.
    for (int r = 0; r < kRunden; ++r) {
        base = std::min(base, ShellSekunden(find));
        a.neueSitzung();
        SpitzeZuruecksetzen();
        luecken.start();
        ours = std::min(ours, Sekunden([&] {
            a.scannen(fotos);
            // TimerHinweise fires a third of a second later: an event of its own.
            a.env.desktop.processEvents();
            StatusTick(a);
        }));
        luecken.stop();
        luecke = std::max(luecke, luecken.maxMs());
        spitze = std::max(spitze, SpitzeMb());
    }
    if (a.fenster.panel(QStringLiteral("Bilder"))
        != QStringLiteral(" Bilder: %1 (%2) ").arg(fotos * 16 / 20).arg(fotos)) {
        std::fprintf(stderr, "unexpected status bar: %s\n",
            qPrintable(a.fenster.panel(QStringLiteral("Bilder"))));
        std::exit(1);
    }

    Notiz(QStringLiteral("scan: %1 photos in %2 folders on E:, scan with marks, camera name "
                         "and status tick, best of %3; base: %4, best of %3")
              .arg(fotos)
              .arg(kOrdner)
              .arg(kRunden)
              .arg(QStringLiteral("find DIR -type f | sort")));
    Ausgabe(Zeile(QStringLiteral("scan"), ours, base,
        QStringLiteral("peak_rss_mb=%1 goal<=3").arg(spitze, 0, 'f', 1)));
    Ausgabe(QStringLiteral("scan_gap max_gap_ms=%1 goal<=100").arg(luecke, 0, 'f', 1));
}

} // namespace mirbelon::bench
