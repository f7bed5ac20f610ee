#include "bench/Messung.h"

#include "platform/gphoto/KameraDateisystem.h"
#include "platform/posix/PosixFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>

namespace mirbelon::bench {

namespace {

constexpr int kOrdner = 30;
constexpr int kProOrdner = 100;
constexpr int kGrosse = 60;
constexpr qint64 kBytes = 4 << 20;
constexpr int kRunden = 3;

// Every folder listed and every file's stamp taken, as the scan does.
int Durchgehen(const FileSystem &files, const FileRef &ordner)
{
    int anzahl = 0;
    const auto eintraege = files.list(ordner);
    if (!eintraege)
        return 0;
    for (const DirEntry &e : *eintraege) {
        const FileRef kind(ordner.path + QLatin1Char('\\') + e.name, e.host);
        if (e.isFolder)
            anzahl += Durchgehen(files, kind);
        else if (files.stamp(kind))
            ++anzahl;
    }
    return anzahl;
}

void Schreiben(const QString &pfad, const QByteArray &inhalt)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly) || f.write(inhalt) != inhalt.size())
        std::exit(1);
}

} // namespace

// The same photos read as a folder card (E:) and as a camera through
// libgphoto2's directory driver: what the library adds to the scan and the copy.
void KameraBench()
{
    QTemporaryDir wurzel;
    const QString karte = wurzel.filePath(QStringLiteral("E"));
    QByteArray gross(kBytes, 'x');
    for (int o = 0; o < kOrdner; ++o) {
        const QString ordner = karte + QStringLiteral("/DCIM/%1CANON").arg(100 + o);
        QDir().mkpath(ordner);
        for (int k = 0; k < kProOrdner; ++k)
            Schreiben(ordner + QStringLiteral("/IMG_%1.JPG").arg(o * kProOrdner + k, 4, 10, QLatin1Char('0')),
                      QByteArray(300 + k, 'j'));
    }
    const QString grosse = karte + QStringLiteral("/DCIM/GROSS");
    QDir().mkpath(grosse);
    for (int k = 0; k < kGrosse; ++k) {
        std::memcpy(gross.data(), &k, sizeof k);
        Schreiben(grosse + QStringLiteral("/IMG_%1.JPG").arg(k, 4, 10, QLatin1Char('0')), gross);
    }
    QDir().mkpath(wurzel.filePath(QStringLiteral("C")));
    PosixFileSystem basis(DriveTable::parse(QStringLiteral("C=%1;E=%2").arg(wurzel.filePath(QStringLiteral("C")), karte)));
    KameraDateisystem files(basis, {QStringLiteral("disk:") + karte});
    const QString kamera = files.media().value(0).first + QStringLiteral(":");

    const int fotos = kOrdner * kProOrdner + kGrosse;
    const auto scan = [&](const QString &laufwerk) {
        return Sekunden([&] {
            if (Durchgehen(files, FileRef(laufwerk)) != fotos)
                std::exit(1);
        });
    };
    const auto kopie = [&](const QString &laufwerk) {
        const auto liste = files.list(FileRef(laufwerk + QStringLiteral("\\DCIM\\GROSS")));
        const QString ziel = wurzel.filePath(QStringLiteral("C/ziel"));
        QDir(ziel).removeRecursively();
        QDir().mkpath(ziel);
        Ruhe(ziel);
        return Sekunden([&] {
            for (const DirEntry &e : *liste) {
                const CopyResult r = files.copyBytes(CopyOrder{e.host, ziel + QLatin1Char('/') + e.name, false, {}}, nullptr);
                if (r.fehler || r.bytes != kBytes)
                    std::exit(1);
            }
        });
    };
    double scanKarte = 1e300, scanKamera = 1e300, kopieKarte = 1e300, kopieKamera = 1e300;
    for (int r = 0; r < kRunden; ++r) {
        scanKarte = std::min(scanKarte, scan(QStringLiteral("E:")));
        scanKamera = std::min(scanKamera, scan(kamera));
        kopieKarte = std::min(kopieKarte, kopie(QStringLiteral("E:")));
        kopieKamera = std::min(kopieKamera, kopie(kamera));
    }
    Notiz(QStringLiteral("camera: %1 photos in %2 folders listed and stamped, and %3 photos of 4 MiB copied, "
                         "through libgphoto2's directory driver; base: the same folder as a card, best of %4")
              .arg(fotos).arg(kOrdner + 1).arg(kGrosse).arg(kRunden));
    Ausgabe(Zeile(QStringLiteral("camera_scan"), scanKamera, scanKarte, QStringLiteral("goal<=1.5")));
    Ausgabe(Zeile(QStringLiteral("camera_copy"), kopieKamera, kopieKarte, QStringLiteral("goal<=1.5")));
}

} // namespace mirbelon::bench
