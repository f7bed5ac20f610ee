#include "platform/gphoto/KameraQuelle.h"

#include "platform/posix/PosixFileUtil.h"

#include <cerrno>

namespace mirbelon {

using namespace posixfs;

Fehler KameraFehler(int nummer, const QString &wo, int ergebnis)
{
    Fehler f = fehler(nummer, wo);
    if (ergebnis != 0)
        f.beschreibung += QStringLiteral(" (") + GphotoKamera::text(ergebnis) + QLatin1Char(')');
    return f;
}

int KameraQuelle::pump(int out, Hasher &hasher, qint64 &copied, ByteProgress *progress, int out2, int *err2)
{
    copied = 0;
    int schreibfehler = 0;
    const int r = m_ort.kamera->read(m_ort.ordner(), m_ort.name(), [&](const char *daten, size_t n) {
        hasher.add(daten, n);
        schreibfehler = writeAll(out, daten, qint64(n));
        if (out2 >= 0 && *err2 == 0)
            *err2 = writeAll(out2, daten, qint64(n));
        copied += qint64(n);
        if (progress)
            progress->done.store(copied);
        return schreibfehler == 0;
    });
    if (schreibfehler != 0)
        return schreibfehler;
    if (r != 0) {
        m_fault = KameraFehler(57, m_wo, r);
        return EIO;
    }
    return 0;
}

bool KameraQuelle::unchanged()
{
    const std::optional<KameraEintrag> e = m_ort.kamera->info(m_ort.ordner(), m_ort.name());
    return e && e->size == m_stempel.size && e->mtime * 1000 == m_stempel.modifiedMs;
}

} // namespace mirbelon
