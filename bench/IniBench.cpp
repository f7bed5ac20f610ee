#include "bench/Karte.h"
#include "bench/Messung.h"
#include "frame/IniStore.h"

#include <QFile>

#include <cstdio>
#include <fstream>

namespace mirbelon::bench {

namespace {
constexpr int kSchritte = 2000;
constexpr int kBlock = 200;
} // namespace

void IniBench()
{
    Aufbau a;
    a.einstellungen();
    const QString datei = a.ctx().einstellungsDatei;
    const QString host = a.env.host(datei);

    QFile f(host);
    if (!f.open(QIODevice::ReadOnly))
        std::exit(1);
    const QByteArray inhalt = f.readAll();
    f.close();
    const std::string ziel = QFile::encodeName(host).toStdString() + ".base";
    const std::string neu = ziel + ".neu";

    // Ours: the counters of a copy run, round the 20 cameras. Base: the same
    // bytes written whole to a new file that is renamed over the old one, as
    // plain C++ does it. In alternating blocks, so that the disk load of
    // other programs falls on both alike.
    double ours = 0, base = 0;
    for (int block = 0; block < kSchritte / kBlock; ++block) {
        ours += Sekunden([&] {
            for (int i = block * kBlock; i < (block + 1) * kBlock; ++i) {
                const QString sektion = QStringLiteral("Statistik_Kamera %1").arg(i % 20 + 1);
                IniZaehler(a.ctx(), datei, sektion,
                    (i / 20) % 2 ? QStringLiteral("Anzahl Cpy") : QStringLiteral("Anzahl Sum"), 1);
            }
        });
        base += Sekunden([&] {
            for (int i = 0; i < kBlock; ++i) {
                {
                    std::ofstream aus(neu, std::ios::binary | std::ios::trunc);
                    aus.write(inhalt.constData(), inhalt.size());
                }
                std::rename(neu.c_str(), ziel.c_str());
            }
        });
    }
    const double erwartet = 9000 + 37 * 3 + kSchritte / 40; // camera 4, half its steps
    if (IniZaehler(a.ctx(), datei, QStringLiteral("Statistik_Kamera 4"),
            QStringLiteral("Anzahl Sum"), 0)
        != erwartet) {
        std::fprintf(stderr, "counter did not count\n");
        std::exit(1);
    }

    Notiz(QStringLiteral("ini: %1 IniZaehler steps on Mirbelon.ini of %2 bytes (20 cameras); "
                         "base: std::ofstream of the same bytes + rename, %1 times; alternating blocks of %3")
              .arg(kSchritte)
              .arg(inhalt.size())
              .arg(kBlock));
    Ausgabe(Zeile(QStringLiteral("ini"), ours, base, QStringLiteral("goal<=2")));
}

} // namespace mirbelon::bench
