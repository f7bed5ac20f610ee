#include "app/Einstellungen.h"

#include "app/Main.h"
#include "frame/Context.h"
#include "frame/Einstellungswerte.h"
#include "frame/GrossKlein.h"
#include "frame/IniStore.h"
#include "frame/KartenBuchstaben.h"
#include "services/Platzhalter.h"
#include "text/Zahlen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>

namespace mirbelon {

namespace {

const QString kStandardMuster = QStringLiteral("{jjjj}_{mm}{tt}-{hh}{nn}{ss}");
const QString kStandardKamera = QStringLiteral("Bezeichnung der Kamera");

QString schluessel(int nummer)
{
    return QStringLiteral("%1").arg(nummer, 2, 10, QLatin1Char('0'));
}

// Adds items without changing the shown text (filling a list is no change).
void eintraegeSetzen(QComboBox *combo, const QStringList &eintraege)
{
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(eintraege);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

// The folder lists "00" to "99": trimmed, expanded, in proper case.
QStringList ordnerListe(Context &ctx, const QString &sektion)
{
    QStringList liste;
    for (int i = 0; i <= 99; ++i) {
        const QString roh = IniLesen(ctx, ctx.einstellungsDatei, sektion, schluessel(i), {}).trimmed();
        if (roh.isEmpty())
            continue;
        const QString wert = GrossKlein(ctx, Vario(ctx, roh));
        if (!wert.isEmpty())
            liste << wert;
    }
    return liste;
}

QStringList musterVorgaben(int jahr)
{
    QStringList muster;
    for (int j = jahr - 2; j <= jahr + 2; ++j)
        muster << QStringLiteral("%1-{######}").arg(j, 4, 10, QLatin1Char('0'));
    muster << QStringLiteral("X-{######}") << kStandardMuster
           << QStringLiteral("{jjjj}_{mm}{tt}-{hh}{nn}{ss} ({ddd})")
           << QStringLiteral("{jjjj}_{mm}{tt}-{hh}{nn}{ss} (Q{q})") << QStringLiteral("{#####}")
           << QStringLiteral("{######}") << QStringLiteral("Vom {jjjj}_{mm}{tt}-{hh}{nn}{ss} Nr {######}");
    return muster;
}

} // namespace

void KonfigLaden(Context &ctx, Main &fenster)
{
    const QString &datei = ctx.einstellungsDatei;
    eintraegeSetzen(fenster.txtZiel(), musterVorgaben(ctx.host.system.now().date().year()));
    fenster.setZielMuster(IniLesen(ctx, datei, {}, QStringLiteral("Nr1"), kStandardMuster));

    EinstellungswerteLesen(ctx);

    const QString kameras = QStringLiteral("Kameras");
    IniLesenMitVorgabe(ctx, datei, kameras, QStringLiteral("01"), kStandardKamera);
    QStringList kameraNamen;
    for (int i = 1; i <= 99; ++i) {
        const QString name = IniLesen(ctx, datei, kameras, schluessel(i), {});
        if (!name.isEmpty())
            kameraNamen << name;
    }
    eintraegeSetzen(fenster.txtStaKamera(), kameraNamen);
    fenster.setKamera(IniLesen(ctx, datei, kameras, QStringLiteral("last"), kStandardKamera));

    const QString quellen = QStringLiteral("Quellen");
    IniLesenMitVorgabe(ctx, datei, quellen, QStringLiteral("01"), QStringLiteral("a:\\"));
    fenster.txtQ()->setGespeichert(ordnerListe(ctx, quellen));
    fenster.setQuelle(IniLesen(ctx, datei, quellen, QStringLiteral("xx"), {}));

    const QString ziele = QStringLiteral("Ziele");
    IniLesenMitVorgabe(ctx, datei, ziele, QStringLiteral("01"), ctx.ordner.tmp);
    eintraegeSetzen(fenster.txtZ(), ordnerListe(ctx, ziele));
    QString ziel = IniLesen(ctx, datei, ziele, QStringLiteral("xx"), {});
    // The program folder of an installed program is hidden away; photos
    // belong where the desktop keeps pictures.
    if (ziel.isEmpty()) {
        ziel = ctx.host.system.picturesFolder();
        // A home that is a drive's root comes as "C:\".
        if (!ziel.endsWith(QLatin1Char('\\')))
            ziel += QLatin1Char('\\');
        ziel += QStringLiteral("Fotoarchiv");
    }
    fenster.setZiel(ziel);

    const QString vorschau = IniLesen(ctx, datei, {}, QStringLiteral("Preview"), QStringLiteral("1"));
    fenster.setVorschauAn(ZahlWert(vorschau) != 0);
}

void KonfigSpeichern(Context &ctx, Main &fenster)
{
    const QString &datei = ctx.einstellungsDatei;
    const QString muster = fenster.zielMuster().trimmed();
    if (fenster.einstellungenSichern()) {
        IniSchreiben(ctx, datei, QStringLiteral("Ziele"), QStringLiteral("xx"), fenster.ziel());
        IniSchreiben(ctx, datei, QStringLiteral("Quellen"), QStringLiteral("xx"), fenster.quelle());
        IniSchreiben(ctx, datei, {}, QStringLiteral("Nr1"), muster);
        IniSchreiben(ctx, datei, {}, QStringLiteral("Preview"),
                     fenster.vorschauAn() ? QStringLiteral("1") : QStringLiteral("0"));
    }
    IniSchreiben(ctx, datei, {}, QStringLiteral("Nr1"), muster);
    IniSchreiben(ctx, datei, QStringLiteral("Kameras"), QStringLiteral("last"), fenster.kamera().trimmed());
    BuchstabenSichern(ctx);
}

} // namespace mirbelon
