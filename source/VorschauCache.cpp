#include "source/VorschauCache.h"

#include <algorithm>

namespace mirbelon {

int BildCacheGroesse(qint64 verfuegbarerSpeicher)
{
    const qint64 bilder = verfuegbarerSpeicher / 1048576 / 3;
    return static_cast<int>(std::clamp<qint64>(bilder, 1, 10));
}

VorschauCache::VorschauCache(int groesse)
    : m_ring(static_cast<size_t>(std::clamp(groesse, 1, 10)))
{
}

const VorschauCache::Eintrag *VorschauCache::finden(
    const QString &pfad, qint64 bytes, const QDateTime &zeit) const
{
    for (const Eintrag &e : m_ring) {
        if (!e.pfad.isEmpty() && e.pfad == pfad)
            return e.bytes == bytes && e.zeit == zeit ? &e : nullptr;
    }
    return nullptr;
}

void VorschauCache::ablegen(Eintrag eintrag)
{
    if (eintrag.pfad.isEmpty())
        return;
    for (Eintrag &e : m_ring) {
        if (e.pfad == eintrag.pfad) {
            e = std::move(eintrag);
            return;
        }
    }
    m_position = (m_position + 1) % m_ring.size();
    m_ring[m_position] = std::move(eintrag);
}

} // namespace mirbelon
