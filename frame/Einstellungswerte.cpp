#include "frame/Einstellungswerte.h"

#include "frame/Context.h"
#include "frame/IniStore.h"

namespace mirbelon {

void EinstellungswerteLesen(Context &ctx)
{
    const QString &datei = ctx.einstellungsDatei;
    const QString sektion = QStringLiteral("Mirbelon");
    ctx.dateiTypen = IniLesenMitVorgabe(ctx, datei, sektion, QStringLiteral("Formate"),
                                        QStringLiteral("*.bmp;*.jpg;*.gif;*.tif;*.avi;*.mov;*.cr2"));
    ctx.fotoDatumAufnahme = IniLesenMitVorgabe(ctx, datei, sektion, QStringLiteral("FotoDatum"),
                                               QStringLiteral("Datei"))
                                .compare(QStringLiteral("Aufnahme"), Qt::CaseInsensitive) == 0;
    ctx.doppelteAuslassen = IniLesenMitVorgabe(ctx, datei, sektion, QStringLiteral("Doppelte"),
                                               QStringLiteral("Auslassen"))
                                .compare(QStringLiteral("Kopieren"), Qt::CaseInsensitive) != 0;
    // After the reads: a default they wrote is no change by the user.
    ctx.einstellungsStempel = ctx.host.files.stamp(IniDateiPfad(ctx, datei));
}

bool EinstellungenAuffrischen(Context &ctx)
{
    if (!ctx.einstellungsStempel)
        return false;
    // The program's own writes (counters, running number) change the stamp
    // too; reading the two keys again is cheap and changes nothing then.
    if (ctx.host.files.stamp(IniDateiPfad(ctx, ctx.einstellungsDatei)) == ctx.einstellungsStempel)
        return false;
    EinstellungswerteLesen(ctx);
    return true;
}

} // namespace mirbelon
