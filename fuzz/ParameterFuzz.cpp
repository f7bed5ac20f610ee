#include "fuzz/FuzzHilfe.h"

#include "text/Parameter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace mirbelon;
    const QStringList texte = fuzz::Texte(data, size, 3);
    const QString &kommandozeile = texte[0];
    const QString &trenner = texte[1];
    const QString &name = texte[2];

    for (const QString &t : {QString(), trenner}) {
        Parameter p;
        const int anzahl = p.ParameterZerlegen(kommandozeile, t);
        FUZZ_PRUEFEN(anzahl == p.anzahl());
        FUZZ_PRUEFEN(anzahl >= 0 && anzahl <= Parameter::kMax);
        FUZZ_PRUEFEN(p.argument(0).isNull() && p.argument(anzahl + 1).isNull());
        qsizetype laenge = 0;
        for (int i = 1; i <= anzahl; ++i)
            laenge += p.argument(i).size();
        FUZZ_PRUEFEN(laenge <= kommandozeile.size());

        // The value is the rest of an argument that begins with the name.
        const QString wert = p.ParameterWert(name);
        bool gefunden = wert.isEmpty();
        for (int i = 1; i <= anzahl && !gefunden; ++i) {
            const QString &a = p.argument(i);
            gefunden = a.startsWith(name, Qt::CaseInsensitive) && a.mid(name.size()).contains(wert);
        }
        FUZZ_PRUEFEN(gefunden);

        // A second split of another line forgets the first one.
        Parameter q;
        q.ParameterZerlegen(name, t);
        p.ParameterZerlegen(name, t);
        FUZZ_PRUEFEN(p.anzahl() == q.anzahl());
        for (int i = 1; i <= q.anzahl(); ++i)
            FUZZ_PRUEFEN(p.argument(i) == q.argument(i));
    }
    return 0;
}
