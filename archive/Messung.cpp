#include "archive/Messung.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "text/Zahlen.h"

namespace mirbelon {

namespace {

void Speichern(Context &ctx, const QString &schluessel, double messung)
{
    const QString sektion = QStringLiteral("Performance");
    const double alt = IniZaehler(ctx, ctx.einstellungsDatei, sektion, schluessel, 0);
    IniSchreiben(ctx, ctx.einstellungsDatei, sektion, schluessel,
                 FormatZahl(Geglaettet(messung, alt), QStringLiteral("0")));
}

} // namespace

double Geglaettet(double messung, double alt)
{
    return (4 * messung + alt) / 5;
}

void GeschwindigkeitSpeichern(Context &ctx, quint32 millisekunden, double dateien, double bytes)
{
    IniZaehler(ctx, ctx.einstellungsDatei, QStringLiteral("Performance"),
               QStringLiteral("Messungen"), 1);
    if (millisekunden == 0)
        return;
    const double sekunden = millisekunden / 1000.0;
    Speichern(ctx, QStringLiteral("AnzMin"), dateien / sekunden * 60);
    Speichern(ctx, QStringLiteral("BySec"), bytes / sekunden);
}

} // namespace mirbelon
