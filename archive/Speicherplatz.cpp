#include "archive/Speicherplatz.h"

#include "frame/Context.h"
#include "source/Statusleiste.h"
#include "text/Formatierung.h"
#include "text/Meldung.h"
#include "text/Pfad.h"

namespace mirbelon {

namespace {

const QString kTitel = QStringLiteral("Fotos kopieren");
constexpr int kDatentraegerVoll = 61;

// "C:" for C:\Archiv; the folder itself where it names no drive.
QString Laufwerk(const QString &ziel)
{
    const QString laufwerk = PfadTeil(ziel, -2);
    return laufwerk.isEmpty() ? ziel : laufwerk;
}

} // namespace

bool PlatzVorDemLauf(Context &ctx, int anzahl, qint64 bytes, const QString &ziel)
{
    const double frei = PlatzFrei(ctx, ziel);
    // A disk that cannot be asked (0 bytes of 0) is left to the copies to find out.
    if (double(bytes) <= frei || PlatzGesamt(ctx, ziel) <= 0)
        return true;
    const QString fotosText = anzahl == 1 ? QStringLiteral("Für das markierte Foto")
                                          : QStringLiteral("Für die %1 markierten Fotos").arg(anzahl);
    const QString text = fotosText + QStringLiteral(" (") + GroesseText(double(bytes)) + QStringLiteral("B) ist auf ")
                         + Laufwerk(ziel) + QStringLiteral(" nur ") + GroesseText(frei)
                         + QStringLiteral("B frei.~~Trotzdem beginnen?");
    return ctx.host.dialogs.message(MeldungsText(text), kTitel, Icon::Exclamation, Buttons::YesNo, Answer::No)
           == Answer::Yes;
}

bool PlatteVoll(const Fehler &fehler)
{
    return fehler.nummer == kDatentraegerVoll;
}

void PlatteVollMelden(Context &ctx, const QStringList &pfade, const std::vector<char> &marken, int i,
                      const QString &ziel)
{
    int danach = 0;
    for (size_t k = static_cast<size_t>(i) + 1; k < marken.size(); ++k)
        danach += marken[k] ? 1 : 0;
    QString text = QStringLiteral("Auf ") + Laufwerk(ziel) + QStringLiteral(" ist kein Platz mehr frei: ´")
                   + pfade.at(i) + QStringLiteral("´ wurde nicht nach ´") + ziel
                   + QStringLiteral("´ kopiert");
    if (danach == 1)
        text += QStringLiteral(", das markierte Foto danach auch nicht");
    else if (danach > 1)
        text += QStringLiteral(", die %1 markierten Fotos danach auch nicht").arg(danach);
    text += QStringLiteral(".~~Das Kopieren endet hier.");
    ctx.host.dialogs.message(MeldungsText(text), kTitel, Icon::Critical, Buttons::Ok, Answer::Ok);
}

} // namespace mirbelon
