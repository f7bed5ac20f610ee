#include "tools/Musterbilder.h"

#include <QBuffer>
#include <QDateTime>
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

void Zahl(QByteArray &ziel, quint32 wert)
{
    for (int verschiebung = 24; verschiebung >= 0; verschiebung -= 8)
        ziel.append(char((wert >> verschiebung) & 0xff));
}

// A QuickTime atom: its length, its type, its content.
QByteArray Atom(const char *typ, const QByteArray &inhalt)
{
    QByteArray atom;
    Zahl(atom, quint32(8 + inhalt.size()));
    return atom + QByteArray(typ, 4) + inhalt;
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

bool KameraEintragen(const QByteArray &hostPfad, const QString &marke, const QString &modell)
{
    try {
        auto bild = Exiv2::ImageFactory::open(hostPfad.toStdString());
        bild->readMetadata();
        Exiv2::ExifData &daten = bild->exifData();
        daten["Exif.Image.Make"] = marke.toStdString();
        daten["Exif.Image.Model"] = modell.toStdString();
        bild->writeMetadata();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool RohSchreiben(const QByteArray &hostPfad, const QImage &gespeichert, const Exif &exif,
    const QSize &sensor)
{
    const QImage roh = gespeichert.scaled(sensor, Qt::KeepAspectRatio);
    return Schreiben(hostPfad, Kodiert(roh, "TIFF"))
        && MitExif(hostPfad, exif, Kodiert(gespeichert, "JPG"));
}

bool FilmSchreiben(const QByteArray &hostPfad, const QDateTime &erstellt)
{
    const qint64 seit1904 = QDateTime(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC).secsTo(erstellt);
    QByteArray kopf(4, '\0'); // version 0, no flags
    Zahl(kopf, quint32(seit1904)); // made
    Zahl(kopf, quint32(seit1904)); // changed
    Zahl(kopf, 600);               // time scale
    Zahl(kopf, 6000);              // duration: ten seconds
    Zahl(kopf, 0x00010000);        // rate 1.0
    kopf.append("\x01\x00", 2);    // full volume
    kopf.append(10, '\0');
    for (const quint32 m : {0x10000u, 0u, 0u, 0u, 0x10000u, 0u, 0u, 0u, 0x40000000u})
        Zahl(kopf, m); // the identity matrix
    kopf.append(24, '\0');
    Zahl(kopf, 2); // next track
    QByteArray typ("qt  ", 4);
    Zahl(typ, 0x200);
    typ.append("qt  ", 4);
    return Schreiben(hostPfad, Atom("ftyp", typ) + Atom("moov", Atom("mvhd", kopf)) + Atom("mdat", {}));
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
