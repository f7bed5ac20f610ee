#include "tools/Musterbilder.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTransform>

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <memory>

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

// Runs a command-line tool to its end; true when it succeeded.
bool Werkzeug(const QString &programm, const QStringList &argumente)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(programm, argumente);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

heif_orientation HeifDrehung(int ausrichtung)
{
    return ausrichtung >= 1 && ausrichtung <= 8 ? static_cast<heif_orientation>(ausrichtung)
                                                : heif_orientation_normal;
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

bool FilmMitFfmpeg(const QByteArray &hostPfad, const QImage &bild, const QStringList &optionen, int drehung)
{
    QTemporaryDir ordner;
    const QString png = ordner.filePath(QStringLiteral("bild.png"));
    const QString ziel = QFile::decodeName(hostPfad);
    const QString endung = ziel.section(QLatin1Char('.'), -1).toLower();
    if (!bild.save(png))
        return false;
    QStringList kodierung { QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-pix_fmt"),
        QStringLiteral("yuv420p") };
    if (endung == QLatin1String("avi"))
        kodierung = { QStringLiteral("-c:v"), QStringLiteral("mjpeg") };
    else if (endung == QLatin1String("mts") || endung == QLatin1String("m2ts"))
        kodierung << QStringLiteral("-f") << QStringLiteral("mpegts");
    const QString erst = drehung ? ordner.filePath(QStringLiteral("film.") + endung) : ziel;
    const QStringList grund { QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y") };
    if (!Werkzeug(QStringLiteral("ffmpeg"), grund + QStringList { QStringLiteral("-loop"), QStringLiteral("1"),
            QStringLiteral("-i"), png, QStringLiteral("-t"), QStringLiteral("1"), QStringLiteral("-r"),
            QStringLiteral("10") } + kodierung + (drehung ? QStringList() : optionen) + QStringList { erst }))
        return false;
    // FFmpeg 5.1 writes the turn only when it copies a film, not when it
    // encodes one; its "rotate" counts counter-clockwise as players turn.
    // The copy keeps no creation time: `optionen` go to the last step.
    return !drehung
        || Werkzeug(QStringLiteral("ffmpeg"), grund + QStringList { QStringLiteral("-i"), erst,
               QStringLiteral("-c"), QStringLiteral("copy"), QStringLiteral("-metadata:s:v:0"),
               QStringLiteral("rotate=%1").arg((360 - drehung % 360) % 360) } + optionen + QStringList { ziel });
}

bool HeifSchreiben(const QByteArray &hostPfad, const QImage &gespeichert, const Exif &exif, const HeifVorschau &vorschau)
{
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> kontext(heif_context_alloc(), heif_context_free);
    heif_encoder *kodierer = nullptr;
    if (heif_context_get_encoder_for_format(kontext.get(), heif_compression_HEVC, &kodierer).code != heif_error_Ok)
        return false;
    const std::unique_ptr<heif_encoder, decltype(&heif_encoder_release)> k(kodierer, heif_encoder_release);
    heif_encoder_set_lossy_quality(kodierer, 90);
    using Griff = std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)>;
    // The thumbnail, when there is one, goes in as libheif writes one: scaled
    // into a box of its size less one pixel, as it writes none not smaller.
    const auto kodieren = [&](const QImage &pixel, int ausrichtung, const heif_image_handle *haupt) {
        const QImage rgb = pixel.convertToFormat(QImage::Format_RGB888);
        heif_image *bild = nullptr;
        heif_image_handle *griff = nullptr;
        if (heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &bild).code
            != heif_error_Ok)
            return Griff(nullptr, heif_image_handle_release);
        const std::unique_ptr<heif_image, decltype(&heif_image_release)> b(bild, heif_image_release);
        heif_image_add_plane(bild, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
        int zeile = 0;
        uint8_t *ziel = heif_image_get_plane(bild, heif_channel_interleaved, &zeile);
        for (int y = 0; y < rgb.height(); ++y)
            memcpy(ziel + y * zeile, rgb.constScanLine(y), static_cast<size_t>(rgb.width()) * 3);
        const std::unique_ptr<heif_encoding_options, decltype(&heif_encoding_options_free)> optionen(
            heif_encoding_options_alloc(), heif_encoding_options_free);
        optionen->image_orientation = HeifDrehung(ausrichtung);
        const heif_error fehler = haupt
            ? heif_context_encode_thumbnail(kontext.get(), bild, haupt, kodierer, optionen.get(),
                  std::max(rgb.width(), rgb.height()) - 1, &griff)
            : heif_context_encode_image(kontext.get(), bild, kodierer, optionen.get(), &griff);
        return Griff(fehler.code == heif_error_Ok ? griff : nullptr, heif_image_handle_release);
    };
    const Griff haupt = kodieren(gespeichert, exif.ausrichtung, nullptr);
    if (!haupt || (!vorschau.gespeichert.isNull() && !kodieren(vorschau.gespeichert, vorschau.ausrichtung, haupt.get())))
        return false;
    Exiv2::ExifData daten;
    daten["Exif.Image.Orientation"] = static_cast<uint16_t>(exif.ausrichtung);
    if (!exif.aufnahme.isEmpty())
        daten["Exif.Photo.DateTimeOriginal"] = exif.aufnahme.toStdString();
    Exiv2::Blob tiff;
    Exiv2::ExifParser::encode(tiff, Exiv2::littleEndian, daten);
    return heif_context_add_exif_metadata(kontext.get(), haupt.get(), tiff.data(), static_cast<int>(tiff.size())).code
            == heif_error_Ok
        && heif_context_write_to_file(kontext.get(), hostPfad.constData()).code == heif_error_Ok;
}

bool HeifAusJpeg(const QByteArray &jpeg, const QByteArray &heif, int vorschau)
{
    QStringList argumente { QStringLiteral("-q"), QStringLiteral("90"), QFile::decodeName(jpeg), QStringLiteral("-o"),
        QFile::decodeName(heif) };
    if (vorschau > 0)
        argumente << QStringLiteral("-t") << QString::number(vorschau);
    return Werkzeug(QStringLiteral("heif-enc"), argumente);
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
