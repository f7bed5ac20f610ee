#include "source/HeifBild.h"

#include "source/DateiTyp.h"

#include <QFile>

#include <libheif/heif.h>

#include <algorithm>
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

} // namespace

VorschauPixel HeifDekodieren(const QByteArray &hostPfad, const QSize &platz)
{
    // A FIFO or device named like a photo would block the library's read.
    if (!GewoehnlicheDatei(hostPfad))
        return {};
    const Kontext kontext(heif_context_alloc(), heif_context_free);
    if (!kontext || heif_context_read_from_file(kontext.get(), hostPfad.constData(), nullptr).code != heif_error_Ok)
        return {};
    heif_image_handle *roh = nullptr;
    if (heif_context_get_primary_image_handle(kontext.get(), &roh).code != heif_error_Ok)
        return {};
    const Griff haupt(roh, heif_image_handle_release);

    std::vector<Griff> griffe;
    griffe.emplace_back(nullptr, heif_image_handle_release);
    const int anzahl = heif_image_handle_get_number_of_thumbnails(haupt.get());
    std::vector<heif_item_id> ids(static_cast<size_t>(std::max(anzahl, 0)));
    heif_image_handle_get_list_of_thumbnail_IDs(haupt.get(), ids.data(), anzahl);
    QList<QSize> groessen { Groesse(haupt.get()) };
    for (const heif_item_id id : ids) {
        heif_image_handle *vorschau = nullptr;
        if (heif_image_handle_get_thumbnail(haupt.get(), id, &vorschau).code != heif_error_Ok)
            continue;
        griffe.emplace_back(vorschau, heif_image_handle_release);
        groessen.append(Groesse(vorschau));
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
    const uint8_t *daten = heif_image_get_plane_readonly(pixel.get(), heif_channel_interleaved, &zeile);
    const QSize gelesen(heif_image_get_width(pixel.get(), heif_channel_interleaved),
        heif_image_get_height(pixel.get(), heif_channel_interleaved));
    if (!daten || gelesen.isEmpty())
        return {};
    // The whole picture's shape, whichever of them was decoded.
    const QSize natur = Groesse(haupt.get()).isEmpty() ? gelesen : Groesse(haupt.get());
    const QImage bild = QImage(daten, gelesen.width(), gelesen.height(), zeile, QImage::Format_RGBA8888)
                            .scaled(DekodierGroesse(gelesen, BoxFuer(platz, natur)), Qt::IgnoreAspectRatio,
                                Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32);
    return { bild, natur, {}, -1 };
}

} // namespace mirbelon
