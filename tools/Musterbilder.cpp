#include "tools/Musterbilder.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTransform>

// exiv2 0.27 hands out std::auto_ptr; its use is the library's interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>

namespace mirbelon::muster {

namespace {

QByteArray Kodiert(const QImage &bild, const char *format)
{
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    if (!bild.save(&puffer, format, 90))
        return {};
    return daten;
}

bool MitExif(const QByteArray &hostPfad, const Exif &exif, const QByteArray &vorschau)
{
    try {
        auto bild = Exiv2::ImageFactory::open(hostPfad.toStdString());
        bild->readMetadata();
        Exiv2::ExifData &daten = bild->exifData();
        daten["Exif.Image.Orientation"] = static_cast<uint16_t>(exif.ausrichtung);
        if (!exif.aufnahme.isEmpty())
            daten["Exif.Photo.DateTimeOriginal"] = exif.aufnahme.toStdString();
        if (!exif.digitalisiert.isEmpty())
            daten["Exif.Photo.DateTimeDigitized"] = exif.digitalisiert.toStdString();
        if (!vorschau.isEmpty()) {
            Exiv2::ExifThumb(daten).setJpegThumbnail(
                reinterpret_cast<const Exiv2::byte *>(vorschau.constData()), vorschau.size());
        }
        bild->writeMetadata();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool Schreiben(const QByteArray &hostPfad, const QByteArray &inhalt)
{
    QFile datei(QFile::decodeName(hostPfad));
    return !inhalt.isEmpty() && datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size();
}

} // namespace

bool JpegSchreiben(const QByteArray &hostPfad, const QImage &gespeichert, const Exif &exif)
{
    return Schreiben(hostPfad, Kodiert(gespeichert, "JPG")) && MitExif(hostPfad, exif, {});
}

bool RohSchreiben(const QByteArray &hostPfad, const QImage &gespeichert, const Exif &exif,
    const QSize &sensor)
{
    const QImage roh = gespeichert.scaled(sensor, Qt::KeepAspectRatio);
    return Schreiben(hostPfad, Kodiert(roh, "TIFF"))
        && MitExif(hostPfad, exif, Kodiert(gespeichert, "JPG"));
}

QImage Gespeichert(const QImage &aufrecht, int ausrichtung)
{
    QTransform t;
    switch (ausrichtung) {
    case 2: t.scale(-1, 1); break;
    case 3: t.rotate(180); break;
    case 4: t.scale(1, -1); break;
    case 5: t.scale(1, -1); t.rotate(-90); break;
    case 6: t.rotate(-90); break;
    case 7: t.scale(1, -1); t.rotate(90); break;
    case 8: t.rotate(90); break;
    default: return aufrecht;
    }
    return aufrecht.transformed(t);
}

QImage RotOberBlau(int breite, int hoehe)
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(Qt::blue);
    QPainter(&bild).fillRect(0, 0, breite, hoehe / 2, Qt::red);
    return bild;
}

} // namespace mirbelon::muster
