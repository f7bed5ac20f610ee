#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QSize>

#include <memory>
#include <optional>

namespace mirbelon {

// What a picture or film file says about itself, read with exiv2. Nothing
// here touches shared state, so workers may use it.

// The picture as stored, turned and mirrored by EXIF orientation 1..8 so it
// stands upright; any other value leaves it as it is.
QImage Aufrichten(const QImage &bild, int ausrichtung);
// The size of a stored picture of `gespeichert` once it stands upright.
QSize AufrechteGroesse(const QSize &gespeichert, int ausrichtung);

// One file opened for reading its metadata. The file is mapped, not read:
// only what is looked at comes from the disk.
class BildDatei
{
public:
    explicit BildDatei(const QByteArray &hostPfad);
    ~BildDatei();
    BildDatei(const BildDatei &) = delete;
    BildDatei &operator=(const BildDatei &) = delete;

    // The whole file; empty when it cannot be opened. Valid while this lives.
    QByteArray daten() const;
    // Part of the file could not be read any more (the card pulled, the file
    // cut short): what was decoded from daten() is not the photo.
    bool beschaedigt() const;
    // EXIF orientation, 1 when the file has none or exiv2 cannot read it.
    int ausrichtung() const;
    // The capture date as a wall-clock value (held as Qt::UTC, so no zone can
    // move or void it): DateTimeOriginal, else DateTimeDigitized (CreateDate);
    // for QuickTime films their creation date in local time. exiv2 reads MP4
    // as a HEIF-like file once its BMFF support is on, and then finds none.
    std::optional<QDateTime> aufnahme() const;
    // The camera as EXIF Make and Model name it (KameraName); empty for none.
    QString kamera() const;
    // The preview images a RAW file carries, in their stored orientation.
    QList<QSize> vorschauGroessen() const;
    // The encoded bytes (JPEG or TIFF) of preview `index`; empty when unreadable.
    QByteArray vorschau(int index) const;

private:
    struct Innen;
    std::unique_ptr<Innen> m;
};

// A camera's name from EXIF Make and Model: the model, led by the maker's
// first word when the model does not name it ("SONY ILCE-7M3", "Canon EOS
// 80D"), fit for an ini section name; empty without a model.
QString KameraName(const QString &marke, const QString &modell);

class FilmDatei;

// The capture date of a photo or film: what exiv2 reads, else for a film what
// FFmpeg reads from its header (`film`, when the caller has it open already).
std::optional<QDateTime> AufnahmeDatum(const QByteArray &hostPfad, const FilmDatei *film = nullptr);

} // namespace mirbelon
