#include "fuzz/FuzzHilfe.h"
#include "fuzz/FuzzKontext.h"

#include "archive/Datumskorrektur.h"
#include "text/Zahlen.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace mirbelon;
    const QString text = fuzz::Texte(data, size, 1)[0];

    const double zahl = ZahlWert(text);
    FUZZ_PRUEFEN(!std::isnan(zahl));
    if (size >= sizeof(qint32)) {
        qint32 ganz = 0;
        std::memcpy(&ganz, data, sizeof ganz);
        FUZZ_PRUEFEN(ZahlWert(QString::number(ganz)) == double(ganz));
        FUZZ_PRUEFEN(ZahlWert(QStringLiteral("  ") + QString::number(ganz) + QStringLiteral("x"))
                     == double(ganz));
    }

    fuzz::FuzzKontext &kontext = fuzz::FuzzKontext::instanz();
    kontext.vergessen();
    const double sekunden = DateJump2(kontext.ctx(), text);
    // An overflow is reported and never handed on.
    FUZZ_PRUEFEN(std::isfinite(sekunden));
    QString punkt = text;
    punkt.replace(QLatin1Char(','), QLatin1Char('.'));
    const double ohneEinheit = ZahlWert(punkt);
    const bool einheit = !text.isEmpty() && QStringLiteral("yjamwdthns").contains(text.back().toLower());
    if (!einheit && std::isfinite(ohneEinheit))
        FUZZ_PRUEFEN(sekunden == ohneEinheit);
    return 0;
}
