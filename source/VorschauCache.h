#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

namespace mirbelon {

// The preview cache size: one picture per 3 MiB of available memory, 1 to 10.
int BildCacheGroesse(qint64 verfuegbarerSpeicher);

// A small ring of decoded preview pictures keyed by path. A picture is served
// again only while its file keeps the size and time stamp it had when decoded.
class VorschauCache
{
public:
    struct Eintrag
    {
        QString pfad;
        qint64 bytes = -1;
        QDateTime zeit;
        QSize natur; // the picture's own size in pixels
        QImage bild; // as decoded for the preview box, possibly smaller than `natur`
    };

    // `groesse` is clamped to 1..10.
    explicit VorschauCache(int groesse);

    int groesse() const { return static_cast<int>(m_ring.size()); }

    // nullptr when the path is not held or its file has changed since.
    const Eintrag *finden(const QString &pfad, qint64 bytes, const QDateTime &zeit) const;
    // Replaces the entry of the same path, otherwise the oldest one.
    void ablegen(Eintrag eintrag);

private:
    std::vector<Eintrag> m_ring;
    size_t m_position = 0;
};

} // namespace mirbelon
