#include "bench/Karte.h"
#include "bench/Messung.h"
#include "source/FotoDatum.h"
#include "source/VorschauDekoder.h"
#include "tools/Musterbilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>

namespace mirbelon::bench {

namespace {

constexpr int kRunden = 20;
constexpr qint64 kGrosserFilm = 3LL << 30;
// The long side of the thumbnail a phone embeds in its HEIF photos.
constexpr int kTelefonVorschau = 320;
// A full-HD window's preview box.
const QSize kPlatz(1500 * 15, 1000 * 15);

QImage Muster(int breite, int hoehe)
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(Qt::darkGreen);
    QPainter maler(&bild);
    maler.fillRect(0, 0, breite, hoehe / 4, Qt::cyan);
    maler.fillRect(breite / 3, hoehe / 2, breite / 3, hoehe / 4, Qt::yellow);
    return bild;
}

double Mal(const QByteArray &pfad, VorschauArt art)
{
    double beste = 1e9;
    for (int i = 0; i < kRunden; ++i)
        beste = std::min(beste, Sekunden([&] {
            if (VorschauDekodieren(pfad, art, kPlatz).bild.isNull())
                qFatal("preview bench: nothing decoded from %s", pfad.constData());
        }));
    return beste;
}

// A film's frame and a HEIF photo against a JPEG of the same pixels.
void KameraVergleich(const QTemporaryDir &ordner, const muster::Exif &exif)
{
    const QImage film = Muster(3840, 2160);
    const QByteArray filmJpeg = QFile::encodeName(ordner.filePath(QStringLiteral("film.jpg")));
    const QByteArray mp4 = QFile::encodeName(ordner.filePath(QStringLiteral("film.mp4")));
    const QImage foto = Muster(4032, 3024);
    const QByteArray fotoJpeg = QFile::encodeName(ordner.filePath(QStringLiteral("foto.jpg")));
    const QByteArray heic = QFile::encodeName(ordner.filePath(QStringLiteral("foto.heic")));
    const QByteArray heicKlein = QFile::encodeName(ordner.filePath(QStringLiteral("klein.heic")));
    if (!muster::JpegSchreiben(filmJpeg, film, exif) || !muster::FilmMitFfmpeg(mp4, film)
        || !muster::JpegSchreiben(fotoJpeg, foto, exif) || !muster::HeifAusJpeg(fotoJpeg, heic)
        || !muster::HeifAusJpeg(fotoJpeg, heicKlein, kTelefonVorschau))
        qFatal("preview bench: film or HEIF sample not written");
    AllesLesen(ordner.path());
    Ausgabe(Zeile(QStringLiteral("preview_video"), Mal(mp4, VorschauArt::Film), Mal(filmJpeg, VorschauArt::Bild),
        QStringLiteral("goal<=2 (first key frame of a 3840x2160 H.264 MP4 vs a JPEG of its pixels)")));
    const double jpeg = Mal(fotoJpeg, VorschauArt::Bild);
    Ausgabe(Zeile(QStringLiteral("preview_heif"), Mal(heic, VorschauArt::Heif), jpeg,
        QStringLiteral("goal<=1.2 (4032x3024 HEIC by heif-enc vs the JPEG it was made of)")));
    Ausgabe(Zeile(QStringLiteral("preview_heif_thumb"), Mal(heicKlein, VorschauArt::Heif), jpeg,
        QStringLiteral("goal<=1.2 (the same HEIC with a %1-pixel thumbnail as phones embed: too small for the box, "
                       "so the photo itself decodes)")
            .arg(kTelefonVorschau)));
}

// A 3 GiB film on the card made current, and named by its capture date: what
// the window's thread spends, as the longest stretch its event loop did not run.
void GrosserFilm()
{
    Aufbau a;
    a.einstellungen();
    a.ctx().dateiTypen = QStringLiteral("*.mp4");
    a.ctx().fotoDatumAufnahme = true;
    const QString ordner = a.env.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM/100CANON");
    const QString film = ordner + QStringLiteral("/MVI_0001.MP4");
    if (!QDir().mkpath(ordner)
        || !muster::FilmMitFfmpeg(QFile::encodeName(film), Muster(3840, 2160),
            { QStringLiteral("-metadata"), QStringLiteral("creation_time=2024-07-01T10:00:00Z") })
        || ::truncate(QFile::encodeName(film).constData(), kGrosserFilm) != 0)
        qFatal("preview bench: large film not written");
    a.scannen(1);
    a.fenster.vorschauOhneReaktion(true);
    Sync();

    LueckenMesser luecken;
    luecken.start();
    double aufruf = 0;
    const double gesamt = Sekunden([&] {
        aufruf = Sekunden([&] { a.liste.setAktuell(0); });
        while (a.lader.beschaeftigt())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        a.ctx().aufnahmeDaten.clear();
        if (!Picture_DT(a.ctx(), a.liste.aktuelleDatei()))
            qFatal("preview bench: large film without a date");
    });
    luecken.stop();
    if (a.fenster.vorschauBild.isNull())
        qFatal("preview bench: large film shows nothing");
    QFile::remove(film);
    Notiz(QStringLiteral("preview_large_film: a 3 GiB MP4 (3840x2160 H.264, sparse tail) made current, "
                         "then dated by its header; %1 ms in all, the click itself %2 ms")
              .arg(gesamt * 1000, 0, 'f', 0)
              .arg(aufruf * 1000, 0, 'f', 1));
    Ausgabe(QStringLiteral("preview_large_film max_gap_ms=%1 goal<100").arg(luecken.maxMs(), 0, 'f', 1));
}

} // namespace

// The preview of a RAW file against a JPEG of the same pixels: the RAW file
// shows its embedded JPEG, so it should cost the same, however large the
// sensor data beside it.
void VorschauBench()
{
    QTemporaryDir ordner;
    const QImage bild = Muster(6000, 4000);
    const QByteArray jpeg = QFile::encodeName(ordner.filePath(QStringLiteral("a.jpg")));
    const QByteArray roh = QFile::encodeName(ordner.filePath(QStringLiteral("a.nef")));
    const muster::Exif exif { 1, QStringLiteral("2024:05:06 07:08:09"), {} };
    if (!muster::JpegSchreiben(jpeg, bild, exif) || !muster::RohSchreiben(roh, bild, exif, QSize(6000, 4000)))
        qFatal("preview bench: sample files not written");
    AllesLesen(ordner.path());
    Ausgabe(Zeile(QStringLiteral("preview_raw"), Mal(roh, VorschauArt::Roh), Mal(jpeg, VorschauArt::Bild),
        QStringLiteral("goal<=1.2 (6000x4000 RAW with embedded JPEG vs the same JPEG)")));
    KameraVergleich(ordner, exif);
    GrosserFilm();
}

} // namespace mirbelon::bench
