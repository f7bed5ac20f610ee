#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>

// Camera-like test files, written with Qt and exiv2, for the tests, the
// benchmarks and the demo card.
namespace mirbelon::muster {

// The EXIF date text ("2021:05:06 07:08:09") or empty for none.
struct Exif
{
    int ausrichtung = 1;
    QString aufnahme;       // DateTimeOriginal
    QString digitalisiert;  // DateTimeDigitized
};

// A JPEG of `gespeichert` (the picture as the sensor stored it) with `exif`.
bool JpegSchreiben(const QByteArray &hostPfad, const QImage &gespeichert, const Exif &exif);

// Adds EXIF Make and Model to a picture written above.
bool KameraEintragen(const QByteArray &hostPfad, const QString &marke, const QString &modell);

// A RAW-like file as cameras build them: a TIFF whose own picture of `sensor`
// pixels stands for the sensor data, and a JPEG preview of `gespeichert`, with
// `exif`. exiv2 opens it as TIFF whatever its name (.dng, .nef, .arw ...).
bool RohSchreiben(const QByteArray &hostPfad, const QImage &gespeichert, const Exif &exif,
    const QSize &sensor = QSize(160, 120));

// A QuickTime movie without frames whose header says it was made at
// `erstellt` (UTC), as a camera's .mov starts.
bool FilmSchreiben(const QByteArray &hostPfad, const QDateTime &erstellt);

// The picture stored so that orientation `ausrichtung` shows `aufrecht`:
// the sensor's view of a camera held that way (6: turned a quarter to the left).
QImage Gespeichert(const QImage &aufrecht, int ausrichtung);

// A picture whose top half is red and bottom half blue.
QImage RotOberBlau(int breite, int hoehe);

} // namespace mirbelon::muster
