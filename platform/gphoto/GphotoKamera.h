#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace mirbelon {

// One entry of a camera's folder, as the camera tells it.
struct KameraEintrag
{
    QByteArray name;
    bool folder = false;
    qint64 size = -1;   // -1: the camera does not say
    qint64 mtime = 0;   // seconds since the epoch; 0: the camera does not say
    bool deletable = true;
};

// A camera opened through libgphoto2, on one port. libgphoto2 is not safe for
// two threads on one camera: every call here holds the camera's own lock, so
// any thread may call, one at a time. Camera paths are "/DCIM/100CANON".
class GphotoKamera
{
public:
    // How an open ended: libgphoto2's result code, 0 when it worked.
    static std::unique_ptr<GphotoKamera> open(const QByteArray &port, const QByteArray &model,
                                              int &result);
    // Model and port of every camera on the cable, as libgphoto2 finds them.
    static QList<QPair<QByteArray, QByteArray>> detect();
    // Whether `result` means that another program holds the camera.
    static bool heldElsewhere(int result);

    ~GphotoKamera();
    GphotoKamera(const GphotoKamera &) = delete;
    GphotoKamera &operator=(const GphotoKamera &) = delete;

    const QString &model() const { return m_model; }
    const QByteArray &port() const { return m_port; }

    // Folders and files of `folder`; `fresh` forgets what libgphoto2 keeps
    // of earlier listings first. nullopt when it cannot be listed.
    std::optional<QList<KameraEintrag>> list(const QByteArray &folder, bool fresh);
    std::optional<KameraEintrag> info(const QByteArray &folder, const QByteArray &name);
    // Hands the file's bytes to `sink` in order; a false from it stops.
    // Returns 0 or libgphoto2's result code.
    int read(const QByteArray &folder, const QByteArray &name,
             const std::function<bool(const char *, size_t)> &sink);
    int remove(const QByteArray &folder, const QByteArray &name);
    // libgphoto2's words for a result code.
    static QString text(int result);

private:
    GphotoKamera() = default;
    struct Innen;
    std::unique_ptr<Innen> m;
    QString m_model;
    QByteArray m_port;
    std::mutex m_mutex;
    QSet<QByteArray> m_gelistet; // folders listed since libgphoto2 last forgot them
};

} // namespace mirbelon
