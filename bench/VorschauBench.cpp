#include "bench/Messung.h"
#include "source/VorschauDekoder.h"
#include "tools/Musterbilder.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>

namespace mirbelon::bench {

namespace {
constexpr int kRunden = 20;
} // namespace

// The preview of a RAW file against a JPEG of the same pixels: the RAW file
// shows its embedded JPEG, so it should cost the same, however large the
// sensor data beside it.
void VorschauBench()
{
    QTemporaryDir ordner;
    QImage bild(6000, 4000, QImage::Format_RGB32);
    bild.fill(Qt::darkGreen);
    QPainter(&bild).fillRect(0, 0, 6000, 1500, Qt::cyan);
    const QByteArray jpeg = QFile::encodeName(ordner.filePath(QStringLiteral("a.jpg")));
    const QByteArray roh = QFile::encodeName(ordner.filePath(QStringLiteral("a.nef")));
    const muster::Exif exif { 1, QStringLiteral("2024:05:06 07:08:09"), {} };
    if (!muster::JpegSchreiben(jpeg, bild, exif) || !muster::RohSchreiben(roh, bild, exif, QSize(6000, 4000)))
        qFatal("preview bench: sample files not written");
    AllesLesen(ordner.path());

    // A full-HD window's preview box.
    const QSize platz(1500 * 15, 1000 * 15);
    const auto mal = [&](const QByteArray &pfad, bool istRoh) {
        double beste = 1e9;
        for (int i = 0; i < kRunden; ++i)
            beste = std::min(beste, Sekunden([&] {
                if (VorschauDekodieren(pfad, istRoh, platz).bild.isNull())
                    qFatal("preview bench: nothing decoded");
            }));
        return beste;
    };
    const double base = mal(jpeg, false);
    const double ours = mal(roh, true);
    Ausgabe(Zeile(QStringLiteral("preview_raw"), ours, base,
        QStringLiteral("goal<=1.2 (6000x4000 RAW with embedded JPEG vs the same JPEG)")));
}

} // namespace mirbelon::bench
