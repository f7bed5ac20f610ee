#pragma once

#include "platform/FileSystem.h"
#include "platform/gphoto/KameraLaufwerke.h"

#include <QHash>

#include <memory>
#include <mutex>
#include <optional>

namespace mirbelon {

// Device numbers of cameras: far above any a kernel gives.
constexpr quint64 kKameraGeraet = quint64(0x6770) << 48;

// A path on one attached camera.
struct KameraOrt
{
    std::shared_ptr<GphotoKamera> kamera;
    quint64 nummer = 0;
    QChar letter;
    QByteArray pfad; // "/DCIM/X.JPG"; "/" for the root

    // "gphoto2:<attachment>:<pfad>"
    QByteArray host() const;
    QByteArray ordner() const;
    QByteArray name() const;
    KameraOrt darin(const QByteArray &name) const;
    KameraOrt oben() const; // the folder it is in
    FileId id() const;
    // Which file: the attachment and the path; a file put in its place shows
    // in size or time.
    FileStamp stempel(const KameraEintrag &e) const;
};

// Where the program's paths and the host forms lie on the attached cameras,
// and what their folders held when last listed. Any thread.
class KameraOrte
{
public:
    explicit KameraOrte(const KameraLaufwerke &kameras) : m_kameras(kameras) {}

    static bool aufKamera(const QByteArray &host) { return host.startsWith("gphoto2:"); }
    bool aufKamera(const QString &programPath) const; // its letter is a camera's
    bool aufKamera(const FileRef &file) const
    {
        return file.host.isEmpty() ? aufKamera(file.path) : aufKamera(file.host);
    }
    // nullopt: not on an attached camera. Names are found without regard to case.
    std::optional<KameraOrt> ort(const FileRef &file) const;
    std::optional<KameraOrt> vomHost(const QByteArray &host) const;
    // The entry `o` names, from the listing of its folder (listed once if needed).
    std::optional<KameraEintrag> eintrag(const KameraOrt &o) const;
    // `neu`: as the camera tells it now, else as last listed.
    std::optional<QList<KameraEintrag>> auflisten(const KameraOrt &ordner, bool neu) const;
    // The file at `o` was deleted.
    void entfernt(const KameraOrt &o);

private:
    const KameraLaufwerke &m_kameras;
    mutable std::mutex m_mutex;
    mutable QHash<QByteArray, QList<KameraEintrag>> m_listen; // by host folder
};

} // namespace mirbelon
