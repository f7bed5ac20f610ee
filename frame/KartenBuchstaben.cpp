#include "frame/KartenBuchstaben.h"

#include "frame/Aufruf.h"
#include "frame/Context.h"
#include "frame/IniStore.h"

namespace mirbelon {

namespace {

const QString kSektion = QStringLiteral("Laufwerke");

} // namespace

void BuchstabenLaden(Context &ctx)
{
    QMap<QChar, QString> gemerkt;
    for (char b = 'D'; b < 'Z'; ++b) {
        const QString wert = IniLesen(ctx, ctx.einstellungsDatei, kSektion, QString(QLatin1Char(b)), {});
        if (!wert.isEmpty())
            gemerkt.insert(QLatin1Char(b), wert);
    }
    ctx.host.files.setLetterMemory(gemerkt);
    ctx.gemerkteBuchstaben = gemerkt;
    // A card named by its host path is named by the letter it has now.
    if (!ctx.argumente.isEmpty())
        ctx.kommandozeile = Kommandozeile(ctx.host.files, ctx.argumente, ctx.arbeitsordner);
    BuchstabenSichern(ctx); // the media mounted now, lettered for the first time
}

void BuchstabenSichern(Context &ctx)
{
    const QMap<QChar, QString> jetzt = ctx.host.files.letterMemory();
    if (jetzt == ctx.gemerkteBuchstaben || ctx.einstellungsDatei.isEmpty())
        return;
    ProfileBatch stapel(ctx.host.profiles);
    for (char b = 'D'; b < 'Z'; ++b) {
        const QChar buchstabe = QLatin1Char(b);
        if (jetzt.value(buchstabe) != ctx.gemerkteBuchstaben.value(buchstabe))
            IniSchreiben(ctx, ctx.einstellungsDatei, kSektion, QString(buchstabe), jetzt.value(buchstabe));
    }
    ctx.gemerkteBuchstaben = jetzt;
}

} // namespace mirbelon
