#include "fuzz/FuzzHilfe.h"

#include "text/Meldung.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace mirbelon;
    const QString text = fuzz::Texte(data, size, 1)[0];
    const QString t = MeldungsText(text, QDate(2024, 3, 14));
    const QString umbruch = QStringLiteral("\r\n");

    FUZZ_PRUEFEN(!t.contains(QLatin1Char('~')));
    FUZZ_PRUEFEN(!t.contains(QChar(0x00B4)));
    FUZZ_PRUEFEN(!t.contains(QLatin1String("^t"), Qt::CaseInsensitive));
    FUZZ_PRUEFEN(!t.contains(umbruch + umbruch + umbruch));
    FUZZ_PRUEFEN(!t.startsWith(QLatin1Char(' ')) || t.isEmpty());
    return 0;
}
