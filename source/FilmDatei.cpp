#include "source/FilmDatei.h"

#include "source/DateiTyp.h"

#include "source/FotoMetadaten.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libswscale/swscale.h>
}

namespace mirbelon {

namespace {

// Packets read at most while looking for the first key frame: a damaged or
// odd file costs a bounded read, never the whole of a large film.
constexpr int kPaketeHoechstens = 500;

// A clock never set starts a film at 1904 or 1970; no camera filmed before 1980.
constexpr int kErstesJahr = 1980;

template <typename T, void (*Frei)(T **)>
struct Halter
{
    T *p = nullptr;
    ~Halter() { Frei(&p); }
};

void Vorbereiten()
{
    static std::once_flag einmal;
    // Damaged films are normal on a card; they are no reason to write to stderr.
    std::call_once(einmal, [] { av_log_set_level(AV_LOG_QUIET); });
}

// The EXIF orientation that turns the stored frame as its display matrix
// asks; mirrored or odd matrices are left as they are.
int Ausrichtung(const AVStream *strom)
{
    const uint8_t *matrix = av_stream_get_side_data(strom, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix)
        return 1;
    const double gegenUhr = av_display_rotation_get(reinterpret_cast<const int32_t *>(matrix));
    if (std::isnan(gegenUhr))
        return 1;
    switch ((static_cast<long>(std::lround(-gegenUhr)) % 360 + 360) % 360) {
    case 90: return 6;
    case 180: return 3;
    case 270: return 8;
    default: return 1;
    }
}

QString Eintrag(const AVDictionary *d, const char *schluessel)
{
    const AVDictionaryEntry *e = av_dict_get(d, schluessel, nullptr, 0);
    return e ? QString::fromUtf8(e->value) : QString();
}

// The frame as stored, scaled by libswscale to `groesse` pixels. Its output
// goes to a buffer of FFmpeg's own padding first: its vector code writes
// past the end of a line.
QImage Skaliert(const AVFrame *frame, const QSize &groesse)
{
    Halter<AVFrame, av_frame_free> rgb { av_frame_alloc() };
    if (!rgb.p)
        return {};
    rgb.p->format = AV_PIX_FMT_RGB32;
    rgb.p->width = groesse.width();
    rgb.p->height = groesse.height();
    SwsContext *sws = sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
        groesse.width(), groesse.height(), AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!sws)
        return {};
    const bool gut = av_frame_get_buffer(rgb.p, 0) >= 0 && sws_scale_frame(sws, rgb.p, frame) >= 0;
    sws_freeContext(sws);
    if (!gut)
        return {};
    return QImage(rgb.p->data[0], groesse.width(), groesse.height(), rgb.p->linesize[0], QImage::Format_RGB32)
        .copy();
}

} // namespace

std::optional<QDateTime> FilmZeit(const QString &text)
{
    const QString t = text.trimmed();
    const QDate datum = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime zeit = QTime::fromString(t.mid(11, 8), QStringLiteral("HH:mm:ss"));
    if (!datum.isValid() || !zeit.isValid() || datum.year() < kErstesJahr)
        return std::nullopt;
    static const QRegularExpression zone(QStringLiteral("^(?:\\.\\d+)?(?:(Z)|([+-])(\\d\\d):?(\\d\\d))?$"));
    const QRegularExpressionMatch rest = zone.match(t.mid(19));
    if (!rest.hasMatch())
        return std::nullopt;
    if (rest.captured(1).isEmpty() && rest.captured(2).isEmpty())
        return QDateTime(datum, zeit, Qt::UTC);
    int versatz = rest.captured(3).toInt() * 3600 + rest.captured(4).toInt() * 60;
    if (rest.captured(2) == QLatin1String("-"))
        versatz = -versatz;
    const QDateTime lokal = QDateTime(datum, zeit, Qt::OffsetFromUTC, versatz).toLocalTime();
    return QDateTime(lokal.date(), lokal.time(), Qt::UTC);
}

struct FilmDatei::Innen
{
    AVFormatContext *format = nullptr;
    int strom = -1;
};

FilmDatei::FilmDatei(const QByteArray &hostPfad)
    : m(std::make_unique<Innen>())
{
    Vorbereiten();
    // A FIFO or device named like a film would block the library's read.
    if (!GewoehnlicheDatei(hostPfad))
        return;
    if (avformat_open_input(&m->format, hostPfad.constData(), nullptr, nullptr) < 0) {
        m->format = nullptr;
        return;
    }
    m->strom = av_find_best_stream(m->format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
}

FilmDatei::~FilmDatei()
{
    if (m->format)
        avformat_close_input(&m->format);
}

std::optional<QDateTime> FilmDatei::aufnahme() const
{
    if (!m->format)
        return std::nullopt;
    const AVDictionary *strom = m->strom >= 0 ? m->format->streams[m->strom]->metadata : nullptr;
    // "date" is the creation date AVI keeps in its INFO list.
    for (const QString &text : { Eintrag(m->format->metadata, "creation_time"), Eintrag(strom, "creation_time"),
             Eintrag(m->format->metadata, "date") })
        if (const auto zeit = FilmZeit(text))
            return zeit;
    return std::nullopt;
}

qint64 FilmDatei::dauerMs() const
{
    if (!m->format || m->format->duration == AV_NOPTS_VALUE || m->format->duration < 0)
        return -1;
    return av_rescale(m->format->duration, 1000, AV_TIME_BASE);
}

VorschauPixel FilmDatei::bild(const QSize &platz) const
{
    if (!m->format || m->strom < 0)
        return {};
    const AVStream *strom = m->format->streams[m->strom];
    const AVCodec *codec = avcodec_find_decoder(strom->codecpar->codec_id);
    Halter<AVCodecContext, avcodec_free_context> dekoder { avcodec_alloc_context3(codec) };
    if (!codec || !dekoder.p || avcodec_parameters_to_context(dekoder.p, strom->codecpar) < 0)
        return {};
    // One frame for a small box: the loop filter's finish cannot be seen there.
    dekoder.p->skip_loop_filter = AVDISCARD_ALL;
    if (avcodec_open2(dekoder.p, codec, nullptr) < 0)
        return {};

    Halter<AVPacket, av_packet_free> paket { av_packet_alloc() };
    Halter<AVFrame, av_frame_free> frame { av_frame_alloc() };
    if (!paket.p || !frame.p)
        return {};
    bool gesendet = false;
    for (int n = 0; n < kPaketeHoechstens && av_read_frame(m->format, paket.p) >= 0; ++n) {
        const bool passt = paket.p->stream_index == m->strom && (paket.p->flags & AV_PKT_FLAG_KEY);
        gesendet = passt && avcodec_send_packet(dekoder.p, paket.p) >= 0;
        av_packet_unref(paket.p);
        if (gesendet)
            break;
    }
    // Draining after the key frame hands it out without decoding any other.
    if (!gesendet || (avcodec_receive_frame(dekoder.p, frame.p) < 0
                         && (avcodec_send_packet(dekoder.p, nullptr) < 0
                             || avcodec_receive_frame(dekoder.p, frame.p) < 0)))
        return {};
    if (frame.p->width <= 0 || frame.p->height <= 0)
        return {};

    const int ausrichtung = Ausrichtung(strom);
    const AVRational sar = frame.p->sample_aspect_ratio;
    const int breite = sar.num > 0 && sar.den > 0
        ? static_cast<int>(av_rescale(frame.p->width, sar.num, sar.den)) : frame.p->width;
    const QSize natur = AufrechteGroesse(QSize(breite, frame.p->height), ausrichtung);
    const QSize groesse = DekodierGroesse(natur, BoxFuer(platz, natur));
    const QImage bild = Aufrichten(Skaliert(frame.p, AufrechteGroesse(groesse, ausrichtung)), ausrichtung);
    // 0: a film all the same, whose header does not say how long (MPEG-TS).
    return { bild, bild.isNull() ? QSize() : natur, {}, std::max<qint64>(dauerMs(), 0) };
}

} // namespace mirbelon
