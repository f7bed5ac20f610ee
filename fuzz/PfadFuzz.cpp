#include "fuzz/FuzzHilfe.h"

#include "text/Pfad.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace mirbelon;
    const QStringList texte = fuzz::Texte(data, size, 2);
    const QString &pfad = texte[0];

    for (int modus = -4; modus <= 5; ++modus) {
        const QString teil = PfadTeil(pfad, modus);
        if (modus < -2 || modus > 3)
            FUZZ_PRUEFEN(teil.isEmpty());
        FUZZ_PRUEFEN(teil.size() <= pfad.size());
    }
    const QString ordner = PfadTeil(pfad, 0);
    const QString datei = PfadTeil(pfad, 3);
    const QString name = PfadTeil(pfad, 1);
    const QString endung = PfadTeil(pfad, 2);
    FUZZ_PRUEFEN(ordner.startsWith(PfadTeil(pfad, -2)));
    FUZZ_PRUEFEN(PfadTeil(pfad, -1) == ordner.left(ordner.size() - 1));
    FUZZ_PRUEFEN(!datei.contains(QLatin1Char('\\')));
    FUZZ_PRUEFEN(datei == name + (datei.contains(QLatin1Char('.')) ? QLatin1Char('.') + endung : QString()));
    // A plain path without switches and edge blanks is its folder and file name.
    // ("D:\\server\share" is left out: the share then stands for the drive.)
    if (!pfad.contains(QLatin1Char('/')) && !pfad.startsWith(QLatin1Char(' '))
        && !pfad.endsWith(QLatin1Char(' ')) && pfad.indexOf(QLatin1String("\\\\"), 1) < 0)
        FUZZ_PRUEFEN(ordner + datei == pfad);

    const QString gekuerzt = RechtsKuerzen(pfad, texte[1]);
    FUZZ_PRUEFEN(pfad.startsWith(gekuerzt));
    FUZZ_PRUEFEN(gekuerzt.isEmpty() || !texte[1].contains(gekuerzt.back()));
    return 0;
}
