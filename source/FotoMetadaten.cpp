#include "source/FotoMetadaten.h"

#include "platform/DateiAbbild.h"
#include "source/DateiTyp.h"
#include "source/FilmDatei.h"

#include <QFile>
#include <QTransform>

#include <mutex>

// exiv2 0.27 hands out std::auto_ptr; its use is the library's interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>

namespace mirbelon {

namespace {

void Vorbereiten()
{
    static std::once_flag einmal;
    std::call_once(einmal, [] {
        // The XMP toolkit must be set up once before threads read files.
        Exiv2::XmpParser::initialize();
        // Damaged files are normal on a card; they are no reason to write to stderr.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        // HEIF photos keep their EXIF in boxes of the ISO media format.
        Exiv2::enableBMFF(true);
    });
}

bool Gedreht(int ausrichtung) { return ausrichtung >= 5 && ausrichtung <= 8; }

// "2024:03:31 02:30:00" as EXIF writes it; zeros mean the camera did not
// know. Date and time are read apart: as one local value the hour skipped by
// summer time would not exist.
std::optional<QDateTime> ExifZeit(const std::string &text)
{
    const QString t = QString::fromStdString(text).trimmed();
    const QDate datum = QDate::fromString(t.left(10), QStringLiteral("yyyy:MM:dd"));
    const QTime zeit = QTime::fromString(t.mid(11, 8), QStringLiteral("HH:mm:ss"));
    if (!datum.isValid() || !zeit.isValid())
        return std::nullopt;
    return QDateTime(datum, zeit, Qt::UTC);
}

// QuickTime counts seconds from 1904 in UTC; shown as the local wall clock.
std::optional<QDateTime> QuickTimeZeit(const Exiv2::Xmpdatum &wert)
{
    const qint64 sekunden = wert.toLong();
    if (sekunden <= 0)
        return std::nullopt;
    const QDateTime lokal = QDateTime(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC).addSecs(sekunden).toLocalTime();
    return QDateTime(lokal.date(), lokal.time(), Qt::UTC);
}

} // namespace

QImage Aufrichten(const QImage &bild, int ausrichtung)
{
    if (bild.isNull() || ausrichtung < 2 || ausrichtung > 8)
        return bild;
    // Orientations 2..8: mirrored, turned 180, mirrored vertically, transposed,
    // turned 90 clockwise, transversed, turned 90 counter-clockwise.
    QTransform t;
    switch (ausrichtung) {
    case 2: t.scale(-1, 1); break;
    case 3: t.rotate(180); break;
    case 4: t.scale(1, -1); break;
    case 5: t.rotate(90); t.scale(1, -1); break;
    case 6: t.rotate(90); break;
    case 7: t.rotate(-90); t.scale(1, -1); break;
    case 8: t.rotate(-90); break;
    }
    return bild.transformed(t);
}

QSize AufrechteGroesse(const QSize &gespeichert, int ausrichtung)
{
    return Gedreht(ausrichtung) ? gespeichert.transposed() : gespeichert;
}

struct BildDatei::Innen
{
    std::optional<DateiAbbild> abbild;
    QByteArray daten;
    Exiv2::Image::AutoPtr bild;
    std::unique_ptr<Exiv2::PreviewManager> vorschauen;
    Exiv2::PreviewPropertiesList eigenschaften;
};

BildDatei::BildDatei(const QByteArray &hostPfad)
    : m(std::make_unique<Innen>())
{
    Vorbereiten();
    // A FIFO or device named like a photo would block the open.
    if (!GewoehnlicheDatei(hostPfad))
        return;
    m->abbild.emplace(hostPfad);
    m->daten = m->abbild->daten();
    if (m->daten.isEmpty())
        return;
    try {
        m->bild = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(m->daten.constData()),
                                            static_cast<long>(m->daten.size()));
        if (m->bild.get())
            m->bild->readMetadata();
    } catch (const std::exception &) {
        // Not a type exiv2 knows, or damaged: the bytes may still decode.
        m->bild.reset();
    }
    // What was read from a card pulled meanwhile is not the file's.
    if (beschaedigt())
        m->bild.reset();
}

BildDatei::~BildDatei()
{
    m->vorschauen.reset();
    m->bild.reset();
}

bool BildDatei::beschaedigt() const
{
    return m->abbild && m->abbild->beschaedigt();
}

QByteArray BildDatei::daten() const { return m->daten; }

int BildDatei::ausrichtung() const
{
    if (!m->bild.get())
        return 1;
    try {
        const Exiv2::ExifData &exif = m->bild->exifData();
        const auto wert = Exiv2::orientation(exif);
        if (wert == exif.end())
            return 1;
        const long a = wert->toLong();
        return a >= 1 && a <= 8 ? static_cast<int>(a) : 1;
    } catch (const std::exception &) {
        return 1;
    }
}

std::optional<QDateTime> BildDatei::aufnahme() const
{
    if (!m->bild.get())
        return std::nullopt;
    try {
        const Exiv2::ExifData &exif = m->bild->exifData();
        for (const char *schluessel : { "Exif.Photo.DateTimeOriginal", "Exif.Image.DateTimeOriginal",
                 "Exif.Photo.DateTimeDigitized" }) {
            const auto wert = exif.findKey(Exiv2::ExifKey(schluessel));
            if (wert != exif.end())
                if (const auto zeit = ExifZeit(wert->toString()))
                    return zeit;
        }
        // Other films (Matroska) count their seconds from another year.
        if (m->bild->mimeType() != "video/quicktime")
            return std::nullopt;
        const Exiv2::XmpData &xmp = m->bild->xmpData();
        for (const char *schluessel : { "Xmp.video.DateUTC", "Xmp.video.MediaCreateDate" }) {
            const auto wert = xmp.findKey(Exiv2::XmpKey(schluessel));
            if (wert != xmp.end())
                if (const auto zeit = QuickTimeZeit(*wert))
                    return zeit;
        }
    } catch (const std::exception &) {
    }
    return std::nullopt;
}

QString BildDatei::kamera() const
{
    if (!m->bild.get())
        return {};
    try {
        const Exiv2::ExifData &exif = m->bild->exifData();
        const auto text = [&exif](const char *schluessel) {
            const auto wert = exif.findKey(Exiv2::ExifKey(schluessel));
            return wert == exif.end() ? QString() : QString::fromStdString(wert->toString());
        };
        return KameraName(text("Exif.Image.Make"), text("Exif.Image.Model"));
    } catch (const std::exception &) {
        return {};
    }
}

QString KameraName(const QString &marke, const QString &modell)
{
    // The name becomes an ini section: no brackets, no control characters,
    // no padding of the fixed-width EXIF fields.
    const auto sauber = [](QString text) {
        for (QChar &c : text) {
            if (c.unicode() < 0x20 || c == QLatin1Char('[') || c == QLatin1Char(']'))
                c = QLatin1Char(' ');
        }
        return text.simplified();
    };
    const QString m = sauber(modell);
    if (m.isEmpty())
        return {};
    const QString hersteller = sauber(marke).section(QLatin1Char(' '), 0, 0);
    if (hersteller.isEmpty() || m.contains(hersteller, Qt::CaseInsensitive))
        return m;
    return hersteller + QLatin1Char(' ') + m;
}

QList<QSize> BildDatei::vorschauGroessen() const
{
    QList<QSize> groessen;
    if (!m->bild.get())
        return groessen;
    try {
        if (!m->vorschauen) {
            m->vorschauen = std::make_unique<Exiv2::PreviewManager>(*m->bild);
            m->eigenschaften = m->vorschauen->getPreviewProperties();
        }
        for (const Exiv2::PreviewProperties &p : m->eigenschaften)
            groessen.append(QSize(static_cast<int>(p.width_), static_cast<int>(p.height_)));
    } catch (const std::exception &) {
        groessen.clear();
    }
    return groessen;
}

QByteArray BildDatei::vorschau(int index) const
{
    if (!m->vorschauen || index < 0 || index >= static_cast<int>(m->eigenschaften.size()))
        return {};
    try {
        const Exiv2::PreviewImage bild = m->vorschauen->getPreviewImage(m->eigenschaften[static_cast<size_t>(index)]);
        if (beschaedigt())
            return {};
        return QByteArray(reinterpret_cast<const char *>(bild.pData()), static_cast<qsizetype>(bild.size()));
    } catch (const std::exception &) {
        return {};
    }
}

std::optional<QDateTime> AufnahmeDatum(const QByteArray &hostPfad, const FilmDatei *film)
{
    if (const auto datum = BildDatei(hostPfad).aufnahme())
        return datum;
    if (film)
        return film->aufnahme();
    return IstFilm(QFile::decodeName(hostPfad)) ? FilmDatei(hostPfad).aufnahme() : std::nullopt;
}

} // namespace mirbelon
