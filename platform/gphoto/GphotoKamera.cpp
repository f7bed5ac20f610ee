#include "platform/gphoto/GphotoKamera.h"

#include <gphoto2/gphoto2.h>

#include <QFile>

#include <algorithm>

namespace mirbelon {

namespace {

constexpr uint64_t kStueck = 1 << 20;

// The camera drivers' list, loaded once: loading it opens every driver.
CameraAbilitiesList *Treiber(GPContext *ctx)
{
    static std::mutex mutex;
    static CameraAbilitiesList *liste = nullptr;
    std::lock_guard lock(mutex);
    if (!liste && gp_abilities_list_new(&liste) == GP_OK && gp_abilities_list_load(liste, ctx) < GP_OK) {
        gp_abilities_list_free(liste);
        liste = nullptr;
    }
    return liste;
}

struct Liste
{
    CameraList *p = nullptr;
    Liste() { gp_list_new(&p); }
    ~Liste() { gp_list_free(p); }
    QList<QByteArray> namen() const
    {
        QList<QByteArray> n;
        const int anzahl = gp_list_count(p);
        for (int i = 0; i < anzahl; ++i) {
            const char *name = nullptr;
            if (gp_list_get_name(p, i, &name) == GP_OK && name)
                n << QByteArray(name);
        }
        return n;
    }
};

struct Ports
{
    GPPortInfoList *p = nullptr;
    Ports()
    {
        if (gp_port_info_list_new(&p) == GP_OK && gp_port_info_list_load(p) < GP_OK) {
            gp_port_info_list_free(p);
            p = nullptr;
        }
    }
    ~Ports()
    {
        if (p)
            gp_port_info_list_free(p);
    }
};

// Takes the pieces of a file for a sink; after a false from it, no more.
struct Abnehmer
{
    const std::function<bool(const char *, size_t)> &sink;
    bool abgebrochen = false;
    static int schreiben(void *selbst, unsigned char *daten, uint64_t *laenge)
    {
        Abnehmer &a = *static_cast<Abnehmer *>(selbst);
        if (!a.abgebrochen && *laenge > 0)
            a.abgebrochen = !a.sink(reinterpret_cast<const char *>(daten), size_t(*laenge));
        return a.abgebrochen ? GP_ERROR_CANCEL : GP_OK;
    }
};

KameraEintrag AusInfo(const QByteArray &name, const CameraFileInfo &info)
{
    KameraEintrag e{name};
    if (info.file.fields & GP_FILE_INFO_SIZE)
        e.size = qint64(info.file.size);
    if (info.file.fields & GP_FILE_INFO_MTIME)
        e.mtime = qint64(info.file.mtime);
    if (info.file.fields & GP_FILE_INFO_PERMISSIONS)
        e.deletable = (info.file.permissions & GP_FILE_PERM_DELETE) != 0;
    return e;
}

} // namespace

struct GphotoKamera::Innen
{
    GPContext *ctx = gp_context_new();
    Camera *camera = nullptr;
    ~Innen()
    {
        if (camera) {
            gp_camera_exit(camera, ctx);
            gp_camera_free(camera);
        }
        gp_context_unref(ctx);
    }
};

std::unique_ptr<GphotoKamera> GphotoKamera::open(const QByteArray &port, const QByteArray &model, int &result)
{
    std::unique_ptr<GphotoKamera> k(new GphotoKamera);
    k->m = std::make_unique<Innen>();
    Innen &m = *k->m;
    // The folder of a "disk:" port is a camera only to the directory driver.
    const QByteArray treiber = model.isEmpty() && port.startsWith("disk:") ? QByteArray("Directory Browse") : model;
    CameraAbilitiesList *liste = Treiber(m.ctx);
    const Ports ports;
    if (!liste || !ports.p) {
        result = GP_ERROR_LIBRARY;
        return nullptr;
    }
    const int a = gp_abilities_list_lookup_model(liste, treiber.constData());
    const int p = gp_port_info_list_lookup_path(ports.p, port.constData());
    CameraAbilities abilities;
    GPPortInfo info;
    if (a < GP_OK || p < GP_OK) {
        result = a < GP_OK ? a : p;
        return nullptr;
    }
    if ((result = gp_camera_new(&m.camera)) < GP_OK
        || (result = gp_abilities_list_get_abilities(liste, a, &abilities)) < GP_OK
        || (result = gp_camera_set_abilities(m.camera, abilities)) < GP_OK
        || (result = gp_port_info_list_get_info(ports.p, p, &info)) < GP_OK
        || (result = gp_camera_set_port_info(m.camera, info)) < GP_OK
        || (result = gp_camera_init(m.camera, m.ctx)) < GP_OK)
        return nullptr;
    result = 0;
    k->m_model = QString::fromUtf8(abilities.model);
    k->m_port = port;
    return k;
}

QList<QPair<QByteArray, QByteArray>> GphotoKamera::detect()
{
    QList<QPair<QByteArray, QByteArray>> gefunden;
    GPContext *ctx = gp_context_new();
    CameraAbilitiesList *liste = Treiber(ctx);
    const Ports ports;
    Liste kameras;
    if (liste && ports.p && gp_abilities_list_detect(liste, ports.p, kameras.p, ctx) >= GP_OK) {
        const int anzahl = gp_list_count(kameras.p);
        for (int i = 0; i < anzahl; ++i) {
            const char *name = nullptr;
            const char *port = nullptr;
            gp_list_get_name(kameras.p, i, &name);
            gp_list_get_value(kameras.p, i, &port);
            // The generic "usb:" entry stands for no device of its own.
            if (name && port && qstrcmp(port, "usb:") != 0)
                gefunden.append({QByteArray(name), QByteArray(port)});
        }
    }
    gp_context_unref(ctx);
    return gefunden;
}

bool GphotoKamera::heldElsewhere(int result)
{
    return result == GP_ERROR_IO_USB_CLAIM || result == GP_ERROR_IO_LOCK;
}

GphotoKamera::~GphotoKamera() = default;

std::optional<QList<KameraEintrag>> GphotoKamera::list(const QByteArray &folder, bool fresh)
{
    std::lock_guard lock(m_mutex);
    // Forgetting everything costs every folder above a new listing again: a
    // walk over the camera forgets once, at its first folder listed twice.
    // Listing a folder lists those above it as well.
    const auto darunter = [&folder](const QByteArray &gelistet) {
        return folder == "/" || gelistet == folder || gelistet.startsWith(folder + '/');
    };
    if (fresh && std::any_of(m_gelistet.cbegin(), m_gelistet.cend(), darunter)) {
        gp_filesystem_reset(m->camera->fs);
        m_gelistet.clear();
    }
    m_gelistet.insert(folder);
    Liste ordner;
    Liste dateien;
    if (gp_camera_folder_list_folders(m->camera, folder.constData(), ordner.p, m->ctx) < GP_OK
        || gp_camera_folder_list_files(m->camera, folder.constData(), dateien.p, m->ctx) < GP_OK)
        return std::nullopt;
    QList<KameraEintrag> eintraege;
    for (const QByteArray &name : ordner.namen())
        eintraege.append(KameraEintrag{name, true});
    for (const QByteArray &name : dateien.namen()) {
        CameraFileInfo info;
        if (gp_camera_file_get_info(m->camera, folder.constData(), name.constData(), &info, m->ctx) >= GP_OK)
            eintraege.append(AusInfo(name, info));
        else
            eintraege.append(KameraEintrag{name});
    }
    return eintraege;
}

std::optional<KameraEintrag> GphotoKamera::info(const QByteArray &folder, const QByteArray &name)
{
    std::lock_guard lock(m_mutex);
    CameraFileInfo info;
    if (gp_camera_file_get_info(m->camera, folder.constData(), name.constData(), &info, m->ctx) < GP_OK)
        return std::nullopt;
    return AusInfo(name, info);
}

int GphotoKamera::read(const QByteArray &folder, const QByteArray &name,
                       const std::function<bool(const char *, size_t)> &sink)
{
    std::lock_guard lock(m_mutex);
    QByteArray puffer(qsizetype(kStueck), Qt::Uninitialized);
    uint64_t offset = 0;
    for (;;) {
        uint64_t n = kStueck;
        const int r = gp_camera_file_read(m->camera, folder.constData(), name.constData(), GP_FILE_TYPE_NORMAL,
                                          offset, puffer.data(), &n, m->ctx);
        if (r == GP_ERROR_NOT_SUPPORTED && offset == 0)
            break;
        if (r < GP_OK)
            return r;
        if (n == 0)
            return 0;
        if (!sink(puffer.constData(), size_t(n)))
            return GP_ERROR_CANCEL;
        if (n < kStueck)
            return 0;
        offset += n;
    }
    // Drivers without partial reads hand the file over as it comes, in
    // pieces of their choosing; held in memory it would be copied once per piece.
    Abnehmer abnehmer{sink};
    CameraFileHandler handler{nullptr, nullptr, &Abnehmer::schreiben};
    CameraFile *datei = nullptr;
    if (const int r = gp_file_new_from_handler(&datei, &handler, &abnehmer); r < GP_OK)
        return r;
    const int r = gp_camera_file_get(m->camera, folder.constData(), name.constData(), GP_FILE_TYPE_NORMAL, datei, m->ctx);
    gp_file_unref(datei);
    if (abnehmer.abgebrochen)
        return GP_ERROR_CANCEL;
    return r < GP_OK ? r : 0;
}

int GphotoKamera::remove(const QByteArray &folder, const QByteArray &name)
{
    std::lock_guard lock(m_mutex);
    const int r = gp_camera_file_delete(m->camera, folder.constData(), name.constData(), m->ctx);
    return r < GP_OK ? r : 0;
}

QString GphotoKamera::text(int result)
{
    return QString::fromUtf8(gp_result_as_string(result));
}

} // namespace mirbelon
