#pragma once

#include <QString>

namespace mirbelon {

class Context;

// The three operations through which every setting is read and written.
// An empty file means the family file Brenlo.ini, an empty section the
// section named after the executable, an empty key "NoKey". Line breaks are
// stored as "**", quotation marks as U+201C. Failures are never reported
// but where a caller asks for them.
QString IniLesen(Context &ctx, const QString &datei, const QString &sektion, const QString &schluessel,
                 const QString &vorgabe);
// `geschrieben`, where given, tells whether the write was made (or kept by
// an open batch).
QString IniSchreiben(Context &ctx, const QString &datei, const QString &sektion,
                     const QString &schluessel, const QString &wert, bool *geschrieben = nullptr);
QString IniLesenMitVorgabe(Context &ctx, const QString &datei, const QString &sektion,
                           const QString &schluessel, const QString &vorgabe);

// Raises a whole number kept in an ini file by `schritt` and returns the sum.
double IniZaehler(Context &ctx, const QString &datei, const QString &sektion,
                  const QString &schluessel, double schritt);

// The full program path that the store uses for a file name.
QString IniDateiPfad(Context &ctx, const QString &datei);

} // namespace mirbelon
