// Writes sample photos for the demo card and the window test:
//   beispielfotos FOLDER NAME DATE [NAME DATE ...]
// DATE is local time as yyyy-MM-ddThh:mm:ss and becomes the file's
// modification time and its EXIF capture date. Names ending in .jpg or .jpeg
// get a JPEG; any other name (a RAW name such as IMG_0099.CR2) gets a TIFF
// with an embedded JPEG preview, the structure raw files of that kind are
// built on. A name given as "hoch:IMG_0042.JPG" is a portrait photo, stored
// turned with EXIF orientation 6 as a camera held upright writes it.
// A leading "--kamera MAKE MODEL" gives every photo that EXIF Make and Model.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "tools/Musterbilder.h"

#include <cstdio>

namespace mirbelon {

namespace {

// A small landscape whose colours follow the photo's hour, with its name and
// date written on it, so every photo of a card looks different.
QImage landschaft(const QString &name, const QDateTime &datum, int nummer)
{
    QImage bild(800, 600, QImage::Format_RGB32);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);

    const int hue = (datum.time().hour() * 15 + nummer * 37) % 360;
    QLinearGradient himmel(0, 0, 0, 600);
    himmel.setColorAt(0, QColor::fromHsv(hue, 120, 250));
    himmel.setColorAt(1, QColor::fromHsv((hue + 40) % 360, 60, 255));
    maler.fillRect(bild.rect(), himmel);

    maler.setPen(Qt::NoPen);
    maler.setBrush(QColor(255, 230, 120));
    maler.drawEllipse(QPoint(120 + (nummer * 97) % 560, 130), 60, 60);

    QPainterPath berge(QPointF(0, 600));
    for (int x = 0; x <= 800; x += 100)
        berge.lineTo(x, 330 + ((x / 100 + nummer) % 3) * 60);
    berge.lineTo(800, 600);
    maler.setBrush(QColor::fromHsv((hue + 180) % 360, 140, 110));
    maler.drawPath(berge);

    QFont schrift = maler.font();
    schrift.setPixelSize(44);
    schrift.setBold(true);
    maler.setFont(schrift);
    maler.setPen(Qt::white);
    maler.drawText(QRect(0, 440, 800, 60), Qt::AlignCenter, name);
    schrift.setPixelSize(30);
    schrift.setBold(false);
    maler.setFont(schrift);
    maler.drawText(QRect(0, 500, 800, 50), Qt::AlignCenter,
                   datum.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    return bild;
}

// The landscape below a tall sky, for a photo taken with the camera upright.
QImage hochformat(const QImage &quer)
{
    QImage bild(600, 800, QImage::Format_RGB32);
    bild.fill(quer.pixelColor(0, 0));
    QPainter maler(&bild);
    maler.drawImage(QRect(0, 350, 600, 450), quer);
    return bild;
}

struct Kamera
{
    QString marke;
    QString modell;
};

bool fotoSchreiben(const QString &ordner, QString name, const QDateTime &datum, int nummer, const Kamera &kamera)
{
    const bool hoch = name.startsWith(QLatin1String("hoch:"));
    if (hoch)
        name = name.mid(5);
    const QString pfad = ordner + QLatin1Char('/') + name;
    const QString endung = QFileInfo(pfad).suffix().toLower();
    const bool jpeg = endung == QLatin1String("jpg") || endung == QLatin1String("jpeg");
    const QImage quer = landschaft(name, datum, nummer);
    const int ausrichtung = hoch ? 6 : 1;
    const QImage gespeichert = hoch ? muster::Gespeichert(hochformat(quer), ausrichtung) : quer;
    const muster::Exif exif { ausrichtung, datum.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")), {} };
    const QByteArray host = QFile::encodeName(pfad);
    if (!(jpeg ? muster::JpegSchreiben(host, gespeichert, exif) : muster::RohSchreiben(host, gespeichert, exif))) {
        std::fprintf(stderr, "%s: nicht geschrieben\n", qPrintable(pfad));
        return false;
    }
    if (!kamera.modell.isEmpty() && !muster::KameraEintragen(host, kamera.marke, kamera.modell)) {
        std::fprintf(stderr, "%s: Kamera nicht eingetragen\n", qPrintable(pfad));
        return false;
    }
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadWrite) || !datei.setFileTime(datum, QFileDevice::FileModificationTime)) {
        std::fprintf(stderr, "%s: Zeitstempel nicht gesetzt\n", qPrintable(pfad));
        return false;
    }
    return true;
}

} // namespace

} // namespace mirbelon

int main(int argc, char **argv)
{
    // Drawing text needs a GUI application, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList argumente = QCoreApplication::arguments().mid(1);
    mirbelon::Kamera kamera;
    if (argumente.size() >= 3 && argumente.first() == QLatin1String("--kamera")) {
        kamera = {argumente.at(1), argumente.at(2)};
        argumente = argumente.mid(3);
    }
    if (argumente.size() < 3 || argumente.size() % 2 == 0) {
        std::fprintf(stderr, "Aufruf: beispielfotos [--kamera MARKE MODELL] ORDNER NAME DATUM [NAME DATUM ...]\n"
                             "DATUM als yyyy-MM-ddThh:mm:ss (Ortszeit)\n");
        return 2;
    }
    const QString ordner = argumente.first();
    if (!QDir().mkpath(ordner)) {
        std::fprintf(stderr, "%s: Ordner nicht angelegt\n", qPrintable(ordner));
        return 1;
    }
    int fehler = 0;
    for (qsizetype i = 1; i + 1 < argumente.size(); i += 2) {
        const QDateTime datum = QDateTime::fromString(argumente.at(i + 1), Qt::ISODate);
        if (!datum.isValid()) {
            std::fprintf(stderr, "%s: kein Datum\n", qPrintable(argumente.at(i + 1)));
            ++fehler;
            continue;
        }
        if (!mirbelon::fotoSchreiben(ordner, argumente.at(i), datum, int(i / 2), kamera))
            ++fehler;
    }
    return fehler == 0 ? 0 : 1;
}
