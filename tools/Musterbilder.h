#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>

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

// A film of one second showing `bild`, written by FFmpeg's command-line tool:
// H.264 in the container the name's ending asks for (MPEG-TS for .mts and
// .m2ts, Motion JPEG in .avi). `optionen` go to the tool as they are
// ("-metadata", "creation_time=2024-07-01T10:00:00Z"); `drehung`, degrees
// clockwise, is the turn a player gives it, as phones film upright.
bool FilmMitFfmpeg(const QByteArray &hostPfad, const QImage &bild, const QStringList &optionen = {},
    int drehung = 0);

// A thumbnail stored in a HEIF photo, turned by its own properties as
// orientation `ausrichtung` says; none when `gespeichert` is null.
struct HeifVorschau
{
    QImage gespeichert;
    int ausrichtung = 1;
};

// A HEIF photo of `gespeichert` written with libheif, turned for display by
// its own properties as orientation `exif.ausrichtung` says, with `exif` (the
// same orientation, as phones write both), and `vorschau` as its thumbnail.
bool HeifSchreiben(const QByteArray &hostPfad, const QImage &gespeichert, const Exif &exif,
    const HeifVorschau &vorschau = {});

// A HEIF photo of the pixels of a JPEG, by libheif's heif-enc, with a
// thumbnail of at most `vorschau` pixels a side when that is above 0.
bool HeifAusJpeg(const QByteArray &jpeg, const QByteArray &heif, int vorschau = 0);

// The picture stored so that orientation `ausrichtung` shows `aufrecht`:
// the sensor's view of a camera held that way (6: turned a quarter to the left).
QImage Gespeichert(const QImage &aufrecht, int ausrichtung);

// A picture whose top half is red and bottom half blue.
QImage RotOberBlau(int breite, int hoehe);

} // namespace mirbelon::muster
