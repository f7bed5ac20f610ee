#include "text/Pfad.h"

#include "text/Trimmen.h"

namespace mirbelon {

namespace {

struct PfadTeile
{
    QString laufwerk;
    QString ordner; // with its closing "\", or empty
    QString name;
    QString endung;
    QString datei;
};

PfadTeile Zerlegen(const QString &pfad)
{
    const QChar rueck(QLatin1Char('\\'));
    PfadTeile teile;
    // Only blanks count; tabs and other white space belong to the path.
    QString rest = Trimmen(pfad);

    // A command switch behind the path (" /s") is not part of it; the blank
    // in front of it stays because trimming came first.
    const qsizetype schraeg = rest.indexOf(QLatin1Char('/'));
    if (schraeg >= 0)
        rest.truncate(schraeg);

    if (rest.indexOf(QLatin1Char(':')) == 1) {
        teile.laufwerk = rest.left(2);
        rest.remove(0, 2);
    }

    if (rest.startsWith(QLatin1String("\\\\"))) {
        const qsizetype server = rest.indexOf(rueck, 3);
        const qsizetype freigabe = server >= 0 ? rest.indexOf(rueck, server + 1) : -1;
        if (freigabe >= 0) {
            teile.laufwerk = rest.left(freigabe);
            rest.remove(0, freigabe);
        } else {
            teile.laufwerk = rest;
            rest.clear();
        }
    }

    const qsizetype letzter = rest.lastIndexOf(rueck);
    teile.ordner = rest.left(letzter + 1);
    teile.datei = rest.mid(letzter + 1);

    const qsizetype punkt = teile.datei.lastIndexOf(QLatin1Char('.'));
    if (punkt < 0) {
        teile.name = teile.datei;
    } else {
        teile.name = teile.datei.left(punkt);
        teile.endung = teile.datei.mid(punkt + 1);
    }
    return teile;
}

} // namespace

QString PfadTeil(const QString &pfad, int modus)
{
    const PfadTeile teile = Zerlegen(pfad);
    switch (modus) {
    case -2:
        return teile.laufwerk;
    case -1: {
        // The last character goes whatever it is, so "C:" gives "C".
        const QString voll = teile.laufwerk + teile.ordner;
        return voll.left(voll.size() - 1);
    }
    case 0:
        return teile.laufwerk + teile.ordner;
    case 1:
        return teile.name;
    case 2:
        return teile.endung;
    case 3:
        return teile.datei;
    default:
        return QString();
    }
}

QString RechtsKuerzen(const QString &text, const QString &zeichen)
{
    qsizetype ende = text.size();
    while (ende > 0 && zeichen.contains(text.at(ende - 1)))
        --ende;
    return text.left(ende);
}

} // namespace mirbelon
