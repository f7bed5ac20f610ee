#pragma once

#include <QByteArray>
#include <QString>

namespace mirbelon {

// True when the last four characters of `pfad`, lower-cased, occur anywhere
// in the lower-cased `typen`. Type lists such as "*.jpg;*.avi" are not parsed
// into patterns, so ".jpeg" only fits a text that contains "jpeg".
bool TypPasst(const QString &pfad, const QString &typen);

// TypPasst for many paths against one type list: the list is lower-cased
// once, and an ending in plain ASCII is compared without a copy.
class TypPruefer
{
public:
    explicit TypPruefer(const QString &typen);
    bool passt(const QString &pfad) const;

private:
    QString m_klein;
};

// How the preview shows a file, by its ending.
enum class VorschauArt
{
    Keine, // an empty box
    Bild,  // a picture Qt decodes
    Roh,   // a RAW file: its embedded preview image
    Heif,  // a HEIF photo, decoded with libheif
    Film,  // a frame of a film, decoded with FFmpeg
};
VorschauArt ArtVon(const QString &pfad);
// Whether `pfad` ends like a film that FFmpeg reads.
bool IstFilm(const QString &pfad);

// Whether the host file is a regular file, by its bytes (names need not be
// UTF-8): a FIFO or device named like a photo would block a library's open.
bool GewoehnlicheDatei(const QByteArray &hostPfad);

} // namespace mirbelon
