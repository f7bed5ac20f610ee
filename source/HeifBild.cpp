#include "source/HeifBild.h"

#include "source/Verkleinern.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace mirbelon {

namespace {

using Kontext = std::unique_ptr<heif_context, decltype(&heif_context_free)>;
using Griff = std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)>;
using Bild = std::unique_ptr<heif_image, decltype(&heif_image_release)>;

QSize Groesse(const heif_image_handle *griff)
{
    return { heif_image_handle_get_width(griff), heif_image_handle_get_height(griff) };
}

// Whether a thumbnail has the main picture's shape once both are turned. One
// written without the main picture's rotation would show on its side.
bool GleicheForm(const QSize &vorschau, const QSize &haupt)
{
    const qint64 a = qint64(vorschau.width()) * haupt.height();
    const qint64 b = qint64(vorschau.height()) * haupt.width();
    return a > 0 && b > 0 && std::abs(a - b) * 20 <= std::max(a, b);
}

QSize Groesse(const heif_image *bild, heif_channel kanal)
{
    return { heif_image_get_width(bild, kanal), heif_image_get_height(bild, kanal) };
}

// The shape of the whole picture: `natur`, or what was decoded when the file
// does not say.
QSize Form(const QSize &natur, const QSize &gelesen)
{
    return natur.isEmpty() ? gelesen : natur;
}

// From planes of red, green and blue of 8 bits each.
QImage AusEbenen(const heif_image *pixel, const QSize &natur, const QSize &platz)
{
    const heif_channel kanaele[3] = { heif_channel_R, heif_channel_G, heif_channel_B };
    const QSize gelesen = Groesse(pixel, heif_channel_R);
    const uint8_t *ebenen[3] = {};
    int zeilen[3] = {};
    for (int k = 0; k < 3; ++k) {
        if (heif_image_get_bits_per_pixel_range(pixel, kanaele[k]) != 8
            || Groesse(pixel, kanaele[k]) != gelesen)
            return {};
        ebenen[k] = heif_image_get_plane_readonly(pixel, kanaele[k], &zeilen[k]);
        if (!ebenen[k])
            return {};
    }
    return RgbEbenenVerkleinert(
        ebenen, zeilen, gelesen, DekodierGroesse(gelesen, BoxFuer(platz, Form(natur, gelesen))));
}

// From interleaved red, green, blue and alpha of 8 bits each.
QImage AusRgba(const heif_image *pixel, const QSize &natur, const QSize &platz)
{
    int zeile = 0;
    const uint8_t *daten = heif_image_get_plane_readonly(pixel, heif_channel_interleaved, &zeile);
    const QSize gelesen = Groesse(pixel, heif_channel_interleaved);
    if (!daten || gelesen.isEmpty())
        return {};
    return QImage(daten, gelesen.width(), gelesen.height(), zeile, QImage::Format_RGBA8888)
        .scaled(DekodierGroesse(gelesen, BoxFuer(platz, Form(natur, gelesen))),
            Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

VorschauPixel HeifDekodieren(const QByteArray &daten, const QSize &platz)
{
    const Kontext kontext(heif_context_alloc(), heif_context_free);
    if (daten.isEmpty() || !kontext
        || heif_context_read_from_memory_without_copy(
               kontext.get(), daten.constData(), size_t(daten.size()), nullptr)
                .code
            != heif_error_Ok)
        return {};
    heif_image_handle *roh = nullptr;
    if (heif_context_get_primary_image_handle(kontext.get(), &roh).code != heif_error_Ok)
        return {};
    const Griff haupt(roh, heif_image_handle_release);
    const QSize natur = Groesse(haupt.get());

    std::vector<Griff> griffe;
    griffe.emplace_back(nullptr, heif_image_handle_release);
    const int anzahl = heif_image_handle_get_number_of_thumbnails(haupt.get());
    std::vector<heif_item_id> ids(static_cast<size_t>(std::max(anzahl, 0)));
    heif_image_handle_get_list_of_thumbnail_IDs(haupt.get(), ids.data(), anzahl);
    QList<QSize> groessen { natur };
    for (const heif_item_id id : ids) {
        heif_image_handle *vorschau = nullptr;
        if (heif_image_handle_get_thumbnail(haupt.get(), id, &vorschau).code != heif_error_Ok)
            continue;
        Griff griff(vorschau, heif_image_handle_release);
        if (!GleicheForm(Groesse(griff.get()), natur))
            continue;
        groessen.append(Groesse(griff.get()));
        griffe.push_back(std::move(griff));
    }
    const int wahl = VorschauWahl(groessen, platz);
    if (wahl < 0)
        return {};
    const heif_image_handle *griff
        = wahl == 0 ? haupt.get() : griffe[static_cast<size_t>(wahl)].get();

    // libheif makes full-size planes of red, green and blue of every picture
    // before it hands out any other layout; taking those spares a pass over
    // all its pixels. Deeper samples come as 8 bits only interleaved.
    const bool achtBit = heif_image_handle_get_luma_bits_per_pixel(griff) == 8
        && heif_image_handle_get_chroma_bits_per_pixel(griff) == 8;
    heif_image *dekodiert = nullptr;
    if (heif_decode_image(griff, &dekodiert, heif_colorspace_RGB,
            achtBit ? heif_chroma_444 : heif_chroma_interleaved_RGBA, nullptr)
            .code
        != heif_error_Ok)
        return {};
    const Bild pixel(dekodiert, heif_image_release);
    const QImage bild
        = achtBit ? AusEbenen(pixel.get(), natur, platz) : AusRgba(pixel.get(), natur, platz);
    if (bild.isNull())
        return {};
    const QSize gelesen = achtBit ? Groesse(pixel.get(), heif_channel_R)
                                  : Groesse(pixel.get(), heif_channel_interleaved);
    return { bild, Form(natur, gelesen), {}, -1 };
}

} // namespace mirbelon
