#include "source/DateiTyp.h"

#include <sys/stat.h>

namespace mirbelon {

namespace {

// The RAW formats of the common cameras; exiv2 reads their embedded previews.
const QString kRohTypen = QStringLiteral(".cr2.crw.nef.nrw.arw.sr2.srf.srw.dng.orf.rw2.pef.raf.mrw.3fr");
const QString kBildTypen = QStringLiteral(".bmp.gif.jpg.jpeg.png.tif.tiff");
const QString kHeifTypen = QStringLiteral(".heic.heif.hif");
// What cameras and phones film in: MPEG-4 and QuickTime, AVCHD, AVI.
const QString kFilmTypen = QStringLiteral(".mp4.m4v.mov.3gp.mts.m2ts.avi.mkv.mpg");

} // namespace

bool TypPasst(const QString &pfad, const QString &typen)
{
    return typen.toLower().contains(pfad.right(4).toLower());
}

TypPruefer::TypPruefer(const QString &typen)
    : m_klein(typen.toLower())
{
}

bool TypPruefer::passt(const QString &pfad) const
{
    const QStringView ende = QStringView(pfad).right(4);
    char16_t klein[4];
    for (qsizetype i = 0; i < ende.size(); ++i) {
        const char16_t u = ende[i].unicode();
        // Beyond ASCII, lower case may change the length: the general way.
        if (u >= 128)
            return m_klein.contains(pfad.right(4).toLower());
        klein[i] = u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
    }
    return m_klein.contains(QStringView(klein, ende.size()));
}

VorschauArt ArtVon(const QString &pfad)
{
    static const TypPruefer roh(kRohTypen);
    static const TypPruefer bild(kBildTypen);
    static const TypPruefer heif(kHeifTypen);
    if (pfad.isEmpty())
        return VorschauArt::Keine;
    if (roh.passt(pfad))
        return VorschauArt::Roh;
    if (bild.passt(pfad))
        return VorschauArt::Bild;
    if (heif.passt(pfad))
        return VorschauArt::Heif;
    return IstFilm(pfad) ? VorschauArt::Film : VorschauArt::Keine;
}

bool IstFilm(const QString &pfad)
{
    static const TypPruefer film(kFilmTypen);
    return film.passt(pfad);
}

bool GewoehnlicheDatei(const QByteArray &hostPfad)
{
    struct stat st {};
    return ::stat(hostPfad.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace mirbelon
