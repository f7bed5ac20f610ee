#include "services/Benutzer.h"

#include "frame/Context.h"
#include "frame/GrossKlein.h"
#include "frame/IniStore.h"
#include "text/Trimmen.h"
#include "services/Meldungen.h"

namespace mirbelon {

namespace {
constexpr int kMaxLaenge = 99;

QString UmgebungsName(Context &ctx)
{
    for (const char *variable : {"User", "USERID", "Station", "Username"}) {
        const QString wert = ctx.host.system.env(QString::fromLatin1(variable));
        if (!wert.isEmpty())
            return wert;
    }
    return {};
}
} // namespace

QString SystemBenutzer(Context &ctx)
{
    QString name = ctx.host.system.loginName().left(255);
    const qsizetype null = name.indexOf(QChar(0));
    if (null >= 0)
        name.truncate(null);
    return Trimmen(name);
}

QString Benutzername(Context &ctx)
{
    const QString sektion = QStringLiteral("Allgemein");
    const QString schluessel = QStringLiteral("User");
    const QString gespeichert = IniLesen(ctx, {}, sektion, schluessel, {});

    QString name = gespeichert;
    if (gespeichert.toLower() == QLatin1String("%user")) {
        const QString login = SystemBenutzer(ctx);
        if (!login.isEmpty())
            return login;
        name.clear();
    }
    if (name.isEmpty())
        name = SystemBenutzer(ctx);
    if (name.isEmpty())
        name = UmgebungsName(ctx);
    if (name.isEmpty())
        name = IniLesen(ctx, QStringLiteral("win.ini"), QStringLiteral("MS User Info"),
                        QStringLiteral("DefName"), {});

    name = Trimmen(name).left(kMaxLaenge);
    if (!name.isEmpty())
        name = GrossKlein(ctx, name);

    while (name.isEmpty()) {
        QString ton = QStringLiteral("#SystemQuestion");
        TonAusgeben(ctx, ton);
        const std::optional<QString> antwort =
            ctx.host.dialogs.input(QStringLiteral("Wählen Sie bitte einen Benutzernamen aus."),
                                   QStringLiteral("Benutzername"), {});
        // Blanks alone are no name: they would be stored as an empty value.
        name = Trimmen(antwort.value_or(QString())).left(kMaxLaenge);
    }

    if (gespeichert.isEmpty())
        IniSchreiben(ctx, {}, sektion, schluessel, name);
    return name;
}

} // namespace mirbelon
