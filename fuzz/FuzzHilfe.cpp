#include "fuzz/FuzzHilfe.h"

#include <cstdio>
#include <cstdlib>

namespace mirbelon::fuzz {

QList<QByteArray> Felder(const uint8_t *data, size_t size, int anzahl)
{
    const QByteArray alles(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<QByteArray> felder;
    qsizetype anfang = 0;
    while (felder.size() < anzahl - 1) {
        const qsizetype nul = alles.indexOf('\0', anfang);
        if (nul < 0)
            break;
        felder.append(alles.mid(anfang, nul - anfang));
        anfang = nul + 1;
    }
    felder.append(alles.mid(anfang));
    while (felder.size() < anzahl)
        felder.append(QByteArray());
    return felder;
}

QStringList Texte(const uint8_t *data, size_t size, int anzahl)
{
    QStringList texte;
    for (const QByteArray &feld : Felder(data, size, anzahl))
        texte.append(QString::fromUtf8(feld));
    return texte;
}

void Verletzt(const char *bedingung, const char *datei, int zeile)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", datei, zeile, bedingung);
    std::abort();
}

} // namespace mirbelon::fuzz
