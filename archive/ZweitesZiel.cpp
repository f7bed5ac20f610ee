#include "archive/ZweitesZiel.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "source/Fenster.h"
#include "text/Meldung.h"

namespace mirbelon {

namespace {

const QString kSektion = QStringLiteral("Mirbelon");
const QString kSchluessel = QStringLiteral("ZweitesZiel");

} // namespace

QString ZweitesZiel(Context &ctx)
{
    return IniLesen(ctx, ctx.einstellungsDatei, kSektion, kSchluessel, QString());
}

void mnuZweitesZiel(Context &ctx, Fenster &fenster)
{
    const std::optional<QString> antwort = ctx.host.dialogs.input(
        MeldungsText(QStringLiteral("In welchen Ordner soll jedes Foto ein zweites Mal kopiert werden, "
                                    "zum Beispiel auf einer Sicherungsplatte?~Platzhalter wie beim "
                                    "Ziel-Ordner sind möglich; leer: keine zweite Kopie.")),
        QStringLiteral("Zweites Ziel"), ZweitesZiel(ctx));
    if (!antwort)
        return;
    const QString ordner = antwort->trimmed();
    IniSchreiben(ctx, ctx.einstellungsDatei, kSektion, kSchluessel, ordner);
    fenster.setPanel(QStringLiteral("Status"), ordner.isEmpty()
                                                   ? QStringLiteral("Keine zweite Kopie beim Kopieren")
                                                   : QStringLiteral("Zweite Kopie jedes Fotos nach: ") + ordner);
}

} // namespace mirbelon
