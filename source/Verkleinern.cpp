#include "source/Verkleinern.h"

#include <algorithm>
#include <vector>

namespace mirbelon {

namespace {

// As many lines of 255 as fill a 16-bit sum; 16-bit sums let the compiler
// add whole lines in vector registers.
constexpr int kZeilenJeSumme = 257;

} // namespace

QImage RgbEbenenVerkleinert(
    const uint8_t *const ebenen[3], const int zeilen[3], const QSize &quelle, const QSize &ziel)
{
    if (quelle.isEmpty() || ziel.isEmpty() || ziel.width() > quelle.width()
        || ziel.height() > quelle.height())
        return {};
    QImage bild(ziel, QImage::Format_RGB32);
    if (bild.isNull())
        return {};
    const int breite = quelle.width();
    const int spalten = ziel.width();
    // Output column i covers source columns [grenze[i], grenze[i + 1]).
    std::vector<int> grenze(size_t(spalten) + 1);
    for (int i = 0; i <= spalten; ++i)
        grenze[size_t(i)] = static_cast<int>(qint64(i) * breite / spalten);
    std::vector<uint16_t> linie(size_t(breite) * 3);
    std::vector<uint64_t> summe(size_t(spalten) * 3);
    int oben = 0;
    for (int y = 0; y < ziel.height(); ++y) {
        const int unten = static_cast<int>(qint64(y + 1) * quelle.height() / ziel.height());
        std::fill(summe.begin(), summe.end(), 0);
        for (int von = oben; von < unten; von += kZeilenJeSumme) {
            std::fill(linie.begin(), linie.end(), 0);
            for (int k = 0; k < 3; ++k) {
                uint16_t *l = linie.data() + size_t(k) * breite;
                for (int z = von; z < std::min(unten, von + kZeilenJeSumme); ++z) {
                    const uint8_t *quellZeile = ebenen[k] + qsizetype(z) * zeilen[k];
                    for (int x = 0; x < breite; ++x)
                        l[x] += quellZeile[x];
                }
                uint64_t *s = summe.data() + size_t(k) * spalten;
                for (int i = 0; i < spalten; ++i)
                    for (int x = grenze[size_t(i)]; x < grenze[size_t(i) + 1]; ++x)
                        s[i] += l[x];
            }
        }
        QRgb *aus = reinterpret_cast<QRgb *>(bild.scanLine(y));
        for (int i = 0; i < spalten; ++i) {
            const uint64_t n
                = uint64_t(grenze[size_t(i) + 1] - grenze[size_t(i)]) * uint64_t(unten - oben);
            const auto mittel = [&](int k) {
                return static_cast<int>((summe[size_t(k) * spalten + i] + n / 2) / n);
            };
            aus[i] = qRgb(mittel(0), mittel(1), mittel(2));
        }
        oben = unten;
    }
    return bild;
}

} // namespace mirbelon
