#include "archive/Auswerfen.h"

#include "archive/Laufsperre.h"
#include "frame/Context.h"
#include "source/Fenster.h"
#include "source/Statusleiste.h"

namespace mirbelon {

namespace {

QString Grund(const EjectResult &r)
{
    switch (r.outcome) {
    case EjectOutcome::Ejected:
        break;
    case EjectOutcome::NoDrive:
        return QStringLiteral("kein Wechseldatenträger, den UDisks2 kennt.");
    case EjectOutcome::NoBus:
        return QStringLiteral("UDisks2 nicht erreichbar (kein System-D-Bus).");
    case EjectOutcome::NoService:
        return QStringLiteral("UDisks2 läuft nicht.");
    case EjectOutcome::NoAnswer:
        return QStringLiteral("UDisks2 antwortet nicht.");
    case EjectOutcome::Busy:
        return QStringLiteral("sie wird noch benutzt.");
    case EjectOutcome::NotAllowed:
        return QStringLiteral("UDisks2 erlaubt es nicht.");
    case EjectOutcome::Refused:
        break;
    }
    return QStringLiteral("UDisks2 lehnt ab (") + r.reason + QStringLiteral(").");
}

QString Meldung(const EjectResult &r, const QString &quelle)
{
    const QString karte = QStringLiteral("Karte »") + quelle + QStringLiteral("« ");
    if (r.outcome == EjectOutcome::Ejected)
        return karte + (r.poweredOff ? QStringLiteral("ausgeworfen") : QStringLiteral("ausgehängt"))
            + QStringLiteral(": sie kann entnommen werden.");
    if (r.unmounted)
        return karte + QStringLiteral("ausgehängt, ihr Laufwerk nicht abgeschaltet: ") + Grund(r);
    return karte + QStringLiteral("nicht ausgeworfen: ") + Grund(r);
}

void Auswerfen(Context &ctx, Fenster &fenster, const QString &quelle, bool nurWechseldatentraeger)
{
    if (LaufBesetzt(ctx, fenster))
        return;
    const QString host = quelle.isEmpty() ? QString() : ctx.host.files.hostPath(quelle);
    QString text;
    if (host.isEmpty()) {
        if (nurWechseldatentraeger)
            return;
        text = quelle.isEmpty() ? QStringLiteral("Keine Karte ausgeworfen: keine Quelle gewählt.")
                                : QStringLiteral("Karte »") + quelle
                + QStringLiteral("« nicht ausgeworfen: das Laufwerk ist nicht da.");
    } else if (!ctx.host.ejector) {
        text = QStringLiteral("Karte »") + quelle
            + QStringLiteral("« nicht ausgeworfen: dieses System kann keine Karte auswerfen.");
    } else {
        EjectResult r;
        {
            LaufSperre sperre(ctx, Lauf::Auswerfen);
            BusyPointer busy(ctx.host.dialogs);
            fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Karte wird ausgeworfen: ") + quelle);
            fenster.statusNeuZeichnen();
            r = ctx.host.ejector->eject(host);
        }
        if (r.outcome == EjectOutcome::NoDrive && nurWechseldatentraeger)
            return;
        text = Meldung(r, quelle);
    }
    HinweisZeigen(ctx, fenster, text);
    // A card that went empties the list at once.
    fenster.timerHinweiseAn();
}

} // namespace

void KarteAuswerfen(Context &ctx, Fenster &fenster)
{
    Auswerfen(ctx, fenster, fenster.quelle(), false);
}

void LeereKarteAuswerfen(Context &ctx, Fenster &fenster, const QString &quelle)
{
    Auswerfen(ctx, fenster, quelle, true);
}

} // namespace mirbelon
