#include "archive/Datumskorrektur.h"

#include "frame/Context.h"
#include "services/Meldungen.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "text/Ersetzen.h"
#include "text/Meldung.h"
#include "text/Zahlen.h"

#include <QLocale>

#include <cmath>
#include <limits>
#include <optional>

namespace mirbelon {

namespace {

const QString kTitel = QStringLiteral("Datum der Quell-Datei korrigieren");

std::optional<double> SekundenJeEinheit(QChar einheit)
{
    constexpr double tag = 86400;
    switch (einheit.toLower().unicode()) {
    case 'y':
    case 'j':
    case 'a':
        return tag * 365.2425;
    case 'm':
        return tag * 30.436875;
    case 'w':
        return tag * 7;
    case 'd':
    case 't':
        return tag;
    case 'h':
        return 3600;
    case 'n':
        return 60;
    case 's':
        return 1;
    default:
        return std::nullopt;
    }
}

// The correction as the user's locale writes a single-precision number.
QString KorrekturText(float minuten)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(minuten), 'g', 7);
}

} // namespace

double DateJump2(Context &ctx, const QString &wert)
{
    const auto fehler = [&] {
        return FehlerMelden(ctx, FehlerAusNummer(6, QStringLiteral("DateJump2")),
                            QStringLiteral("Es ist ein Fehler beim Auswerten von »DateJump2,")
                                + QStringLiteral(", ") + wert + QStringLiteral("« aufgetreten."));
    };

    double zahl = ZahlWert(Ersetzen(wert, QStringLiteral(","), QStringLiteral(".")));
    if (!std::isfinite(zahl)) {
        if (fehler() == 2)
            return 0;
        zahl = 0;
    }
    if (wert.isEmpty())
        return zahl;
    const std::optional<double> einheit = SekundenJeEinheit(wert.back());
    if (!einheit)
        return zahl;
    const double sekunden = zahl * *einheit;
    if (!std::isfinite(sekunden)) {
        fehler();
        return zahl;
    }
    return sekunden;
}

void mnuFileDateDiff(Context &ctx, FotoListe &liste, Fenster &fenster)
{
    const QString frage = MeldungsText(QStringLiteral(
        "Gib eine Korrektor für das Datum der Fotos an.~Eingaben wie z. B. 1h, -2h, 30m sind "
        "möglich."));
    const std::optional<QString> antwort =
        ctx.host.dialogs.input(frage, kTitel, QStringLiteral("0 h"));
    if (!antwort || antwort->isEmpty())
        return;

    const double minuten =
        DateJump2(ctx, Ersetzen(*antwort, QStringLiteral("m"), QStringLiteral("n"))) / 60;
    if (!std::isfinite(minuten) || std::fabs(minuten) > std::numeric_limits<float>::max()) {
        ctx.host.dialogs.message(
            MeldungsText(QStringLiteral("Die Korrektur ´") + *antwort
                         + QStringLiteral("´ ist zu groß und wird nicht übernommen.~Es bleibt bei ")
                         + KorrekturText(ctx.datumKorrektur) + QStringLiteral(" Minuten.")),
            kTitel, Icon::Exclamation, Buttons::Ok, Answer::Ok);
        return;
    }
    ctx.datumKorrektur = static_cast<float>(minuten);
    fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Das Datum der Fotos wird um ")
                                                   + KorrekturText(ctx.datumKorrektur)
                                                   + QStringLiteral(" Minuten korrigiert"));
    liste.klicken();
}

} // namespace mirbelon
