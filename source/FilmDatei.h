#pragma once

#include "source/VorschauDekoder.h"

#include <QByteArray>
#include <QDateTime>

#include <memory>
#include <optional>

namespace mirbelon {

// A film file read with FFmpeg: its header when opened, one frame when asked.
// Nothing here touches shared state, so workers may use it.
class FilmDatei
{
public:
    // Reads the header only; a file that is no regular file is not opened.
    explicit FilmDatei(const QByteArray &hostPfad);
    ~FilmDatei();
    FilmDatei(const FilmDatei &) = delete;
    FilmDatei &operator=(const FilmDatei &) = delete;

    // The creation time of the container or of its first film stream, as a
    // wall-clock value held as Qt::UTC. A time with a zone (QuickTime and MP4
    // count in UTC) is shown in local time; one without (AVI) as written.
    std::optional<QDateTime> aufnahme() const;
    // The running time in milliseconds; -1 when the header does not say.
    qint64 dauerMs() const;
    // The first key frame, upright as the film's display matrix says, decoded
    // and scaled for a box of `platz` twips. A null picture when none decodes.
    VorschauPixel bild(const QSize &platz) const;

private:
    struct Innen;
    std::unique_ptr<Innen> m;
};

// A creation time as FFmpeg gives it ("2024-07-01T10:00:00.000000Z",
// "2010-03-22 10:00:00"); nullopt for none or a clock that was never set.
std::optional<QDateTime> FilmZeit(const QString &text);

} // namespace mirbelon
