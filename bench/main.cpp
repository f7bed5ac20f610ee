// Benchmarks of the scan, the copy run, the deletion, the status tick, the
// ini store and the preview, each as a ratio against a baseline timed in the
// same run.
//   mirbelon_bench [scan|copy_window|copy_real_window|copy_gap|copy_key_ms|delete_verified|tick|ini|preview|camera]...
//   (all without arguments)

#include "bench/Messung.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace mirbelon::bench {
void ScanBench();
void KopierFensterBench();
void KopierLueckeBench();
void LoeschBench();
void TickBench();
void IniBench();
void VorschauBench();
void KopierTastenBench();
void EchtesFensterBench();
void KameraBench();
} // namespace mirbelon::bench

int main(int argc, char **argv)
{
    // The routines let window events run; they need an application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);

    using namespace mirbelon::bench;
    const std::map<std::string, std::function<void()>> benches {
        { "scan", ScanBench }, { "copy_window", KopierFensterBench },
        { "copy_gap", KopierLueckeBench }, { "copy_key_ms", KopierTastenBench }, { "copy_real_window", EchtesFensterBench }, { "delete_verified", LoeschBench }, { "tick", TickBench }, { "ini", IniBench },
        { "preview", VorschauBench }, { "camera", KameraBench }
    };
    std::vector<std::string> wahl;
    for (int i = 1; i < argc; ++i)
        wahl.emplace_back(argv[i]);
    if (wahl.empty())
        wahl = { "scan", "copy_window", "copy_real_window", "copy_gap", "copy_key_ms", "delete_verified", "tick", "ini", "preview", "camera" };
    for (const std::string &name : wahl) {
        const auto it = benches.find(name);
        if (it == benches.end()) {
            std::fprintf(stderr, "unknown benchmark %s (scan, copy_window, copy_real_window, copy_gap, copy_key_ms, delete_verified, tick, ini, preview, camera)\n", name.c_str());
            return 2;
        }
        it->second();
    }
    return 0;
}
