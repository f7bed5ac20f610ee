// Runs fuzz corpora through a fuzz target's entry point without libFuzzer:
// every file named, and every file in every folder named, in name order.
#include "fuzz/FuzzHilfe.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

int abspielen(const QString &datei)
{
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(datei));
        return 1;
    }
    const QByteArray daten = f.readAll();
    // A copy of exactly its size, so an overread shows under the sanitizers.
    std::vector<uint8_t> puffer(daten.begin(), daten.end());
    LLVMFuzzerTestOneInput(puffer.data(), puffer.size());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    int fehler = 0;
    int anzahl = 0;
    for (int i = 1; i < argc; ++i) {
        const QString pfad = QFile::decodeName(argv[i]);
        QStringList dateien;
        if (QFileInfo(pfad).isDir()) {
            QDirIterator it(pfad, QDir::Files | QDir::Hidden);
            while (it.hasNext())
                dateien << it.next();
            dateien.sort();
        } else {
            dateien << pfad;
        }
        for (const QString &d : std::as_const(dateien)) {
            fehler += abspielen(d);
            ++anzahl;
        }
    }
    std::printf("replayed %d inputs\n", anzahl);
    if (anzahl == 0) {
        std::fprintf(stderr, "no inputs\n");
        return 1;
    }
    return fehler == 0 ? 0 : 1;
}
