#include "source/Statusleiste.h"

#include "frame/Context.h"
#include "source/Fenster.h"
#include "source/FotoDatum.h"
#include "source/FotoListe.h"
#include "text/DateiVorhanden.h"
#include "text/Formatierung.h"

namespace mirbelon {

namespace {

// A photo dated more than a year back suggests a camera clock that was never set.
constexpr qint64 kTageBisHinweis = 365;

bool DatumVerdaechtig(Context &ctx, const QString &pfad)
{
    if (pfad.isEmpty())
        return false;
    const std::optional<QDateTime> datum = Picture_DT(ctx, pfad);
    return datum && datum->date().daysTo(ctx.host.system.now().date()) > kTageBisHinweis;
}

} // namespace

double PlatzFrei(Context &ctx, const QString &pfad)
{
    return ctx.host.files.space(pfad).freeBytes;
}

double PlatzGesamt(Context &ctx, const QString &pfad)
{
    return ctx.host.files.space(pfad).totalBytes;
}

void HinweiseTick(Context &ctx, const FotoListe &liste, Fenster &fenster,
    const std::function<QString(int)> &zielName)
{
    double alle = 0;
    double markiert = 0;
    const int anzahl = liste.anzahl();
    for (int i = 0; i < anzahl; ++i) {
        const QString &pfad = liste.pfade().at(i);
        if (!DateiVorhanden(ctx.host.files, pfad))
            continue;
        const qint64 bytes = ctx.host.files.size(pfad);
        if (bytes < 0)
            continue;
        alle += static_cast<double>(bytes);
        if (liste.markiert(i))
            markiert += static_cast<double>(bytes);
    }

    fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Bereit"));
    fenster.setPanel(QStringLiteral("Bilder"),
        QStringLiteral(" Bilder: %1 (%2) ").arg(liste.anzahlMarkiert()).arg(anzahl));
    fenster.setPanel(QStringLiteral("Bytes"),
        QStringLiteral(" Bytes: ") + GroesseText(markiert) + QStringLiteral("B (")
            + GroesseText(alle) + QStringLiteral("B) "));
    const QString quelle = fenster.quelle();
    fenster.setPanel(QStringLiteral("Speicherkarte"),
        QStringLiteral(" Speicherkarte: ") + GroesseText(PlatzFrei(ctx, quelle))
            + QStringLiteral("B (") + GroesseText(PlatzGesamt(ctx, quelle))
            + QStringLiteral("B) "));

    const int aktuell = liste.aktuell();
    const QString info = aktuell >= 0 ? QLatin1Char(' ') + zielName(aktuell) + QLatin1Char(' ')
                                      : QStringLiteral(" Kein Foto gewählt ");
    if (fenster.panel(QStringLiteral("DateiInfos")) != info)
        fenster.setPanel(QStringLiteral("DateiInfos"), info);

    fenster.setDatumHinweisSichtbar(DatumVerdaechtig(ctx, liste.aktuellerPfad()));
}

} // namespace mirbelon
