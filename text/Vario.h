#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace mirbelon {

// Everything the placeholder engine needs from outside. Folders and paths are
// program paths without a trailing "\"; an empty ini file means Brenlo.ini.
class VarioUmgebung
{
public:
    virtual ~VarioUmgebung() = default;

    virtual QDateTime jetzt() = 0; // the reference moment, local time
    virtual quint32 tickCount() = 0; // milliseconds since system start
    virtual QString iniLesen(const QString &datei, const QString &sektion,
        const QString &schluessel, const QString &vorgabe)
        = 0;
    virtual void iniSchreiben(const QString &datei, const QString &sektion,
        const QString &schluessel, const QString &wert)
        = 0;
    // Raises the number under the key by `schritt` and returns the new value.
    virtual double iniZaehler(
        const QString &datei, const QString &sektion, const QString &schluessel, double schritt)
        = 0;
    virtual QString benutzername() = 0;
    virtual QString neueGuid() = 0; // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
    virtual double zufall() = 0; // in [0, 1)
    virtual void zufallNeuSaeen() = 0; // from the time of day
    virtual QString aktuellerOrdner() = 0;
    virtual QString laufwerksBezeichnung(const QString &laufwerk) = 0; // "" when none
    virtual QString ordnerPrg() = 0;
    virtual QString ordnerDat() = 0;
    virtual QString ordnerBrenlo() = 0;
    virtual QString ordnerWin() = 0;
    virtual QString ordnerSys() = 0;
    virtual QString grossKlein(const QString &text) = 0;
    // Names (without folder) of the files matching a pattern such as
    // "C:\Bilder\*.jpg", in the order the file system lists them.
    virtual QStringList dateienSuchen(const QString &muster) = 0;
    virtual QString umgebung(const QString &name) = 0; // "" when not set
};

// Expands the placeholders in braces and the environment references of
// `text` against the reference moment read once from `umgebung`. Unknown
// placeholders stay as written; never fails.
QString Vario(VarioUmgebung &umgebung, const QString &text);

// Replaces every occurrence of `platzhalter` in `text`, ignoring case, by
// `wert`; inserted text is not searched again. An occurrence that starts
// after the 32767th character stays (positions are 16-bit in this engine).
void PlatzhalterErsetzen(QString &text, const QString &platzhalter, const QString &wert);
// Index of the first occurrence from `ab` on that PlatzhalterErsetzen would
// replace, or -1; both texts already lower-cased with KleinGleichLang. Lets
// callers compute a value only for a placeholder that occurs.
qsizetype PlatzhalterPosition(
    const QString &kleinText, const QString &kleinPlatzhalter, qsizetype ab = 0);

// The first placeholder with `praefix` ("Counter" or "{counter"), in lower
// case: part 1 the whole placeholder up to its "}", any other part the text
// between prefix and "}". Empty when the prefix is missing or has no "}".
QString PlatzhalterTeil(const QString &text, const QString &praefix, int teil);

// Replaces the references "%NAME%" by environment values, at most 8 passes,
// each starting at the first "%". "%ERRORLEVEL%" stays, "%%" becomes "".
QString UmgebungErsetzen(VarioUmgebung &umgebung, const QString &text);

// Lower-cases character by character, so positions stay those of the input.
QString KleinGleichLang(const QString &text);

} // namespace mirbelon
