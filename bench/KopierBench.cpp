#include "archive/Kopierlauf.h"
#include "bench/Karte.h"
#include "bench/Messung.h"

#include <QDir>

#include <algorithm>
#include <vector>

namespace mirbelon::bench {

namespace {
constexpr int kFotos = 300;
constexpr qint64 kBytes = 3 << 20;
constexpr int kRunden = 2;
const QString kLoeschFrage = QStringLiteral("Fotos auf Quell-Laufwerk löschen");

int Dateien(const QString &hostOrdner)
{
    return int(QDir(hostOrdner).entryList(QDir::Files).size());
}
} // namespace

void KopierBench()
{
    Aufbau a;
    a.einstellungen();
    a.karte(1, kFotos, kBytes);
    a.scannen(kFotos);
    a.liste.setMarken(std::vector<char>(kFotos, 1));

    const QString quelle = a.env.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM/100CANON");
    const QString c = a.env.laufwerk(QLatin1Char('C'));
    QStringList alteZiele;
    // Same page-cache state for both: dirty pages of the previous round are
    // written out and every source file is read once, so both start warm.
    const auto vorher = [&] {
        for (const QString &ziel : std::as_const(alteZiele))
            QDir(ziel).removeRecursively();
        alteZiele.clear();
        Sync();
        AllesLesen(quelle);
    };

    double ours = 1e300, base = 1e300, luecke = 0;
    LueckenMesser luecken;
    for (int r = 0; r < kRunden; ++r) {
        vorher();
        const QString kopie = c + QStringLiteral("/Kopie%1").arg(r);
        alteZiele << kopie;
        base = std::min(base, ShellSekunden(QStringLiteral("cp -r %1 %2").arg(Sh(quelle), Sh(kopie))));
        if (Dateien(kopie) != kFotos) {
            std::fprintf(stderr, "cp copied %d files\n", Dateien(kopie));
            std::exit(1);
        }

        vorher();
        const QString ziel = QStringLiteral("C:\\Archiv\\Lauf%1").arg(r);
        alteZiele << a.env.host(ziel);
        a.fenster.zielOhneReaktion(ziel);
        const qsizetype gezeigt = a.env.dialogs.gezeigt.size();
        // The delete question after the run: keep every photo on the card.
        a.env.dialogs.antworte(Answer::Cancel);
        luecken.start();
        ours = std::min(ours, Sekunden([&] { mnuKopieren(a.ctx(), a.liste, a.fenster); }));
        luecken.stop();
        luecke = std::max(luecke, luecken.maxMs());
        if (Dateien(a.env.host(ziel)) != kFotos || a.env.dialogs.gezeigt.size() != gezeigt + 1
            || a.env.dialogs.gezeigt.last().titel != kLoeschFrage || a.liste.anzahl() != kFotos) {
            std::fprintf(stderr, "copy run: %d files, %d dialogs\n", Dateien(a.env.host(ziel)),
                int(a.env.dialogs.gezeigt.size() - gezeigt));
            std::exit(1);
        }
    }
    vorher();

    Notiz(QStringLiteral("copy: %1 marked photos of %2 MiB into a new folder on the same disk, "
                         "delete question answered Cancel, best of %3; base: cp -r into a new "
                         "folder, best of %3; before each: sync, then every source read once")
              .arg(kFotos)
              .arg(kBytes >> 20)
              .arg(kRunden));
    Ausgabe(Zeile(QStringLiteral("copy"), ours, base, QStringLiteral("goal<=1.25")));
    Ausgabe(QStringLiteral("copy_gap max_gap_ms=%1 goal<=100").arg(luecke, 0, 'f', 1));
}

} // namespace mirbelon::bench
