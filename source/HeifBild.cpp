#include "source/HeifBild.h"

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

} // namespace

VorschauPixel HeifDekodieren(const QByteArray &daten, const QSize &platz)
{
    const Kontext kontext(heif_context_alloc(), heif_context_free);
    if (daten.isEmpty() || !kontext
        || heif_context_read_from_memory_without_copy(kontext.get(), daten.constData(), size_t(daten.size()), nullptr)
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
    const heif_image_handle *griff = wahl == 0 ? haupt.get() : griffe[static_cast<size_t>(wahl)].get();

    heif_image *dekodiert = nullptr;
    if (heif_decode_image(griff, &dekodiert, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr).code
        != heif_error_Ok)
        return {};
    const Bild pixel(dekodiert, heif_image_release);
    int zeile = 0;
    const uint8_t *pixelDaten = heif_image_get_plane_readonly(pixel.get(), heif_channel_interleaved, &zeile);
    const QSize gelesen(heif_image_get_width(pixel.get(), heif_channel_interleaved),
        heif_image_get_height(pixel.get(), heif_channel_interleaved));
    if (!pixelDaten || gelesen.isEmpty())
        return {};
    // The whole picture's shape, whichever of them was decoded.
    const QSize form = natur.isEmpty() ? gelesen : natur;
    const QImage bild = QImage(pixelDaten, gelesen.width(), gelesen.height(), zeile, QImage::Format_RGBA8888)
                            .scaled(DekodierGroesse(gelesen, BoxFuer(platz, form)), Qt::IgnoreAspectRatio,
                                Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32);
    return { bild, form, {}, -1 };
}

} // namespace mirbelon
