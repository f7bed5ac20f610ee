#pragma once

#include <QString>
#include <QStringList>

namespace mirbelon {

class Context;

// A new file name in the temp folder: prefix, today as "yyyymmdd_", the tick
// count as eight digits and the extension ("tmp" when empty).
QString TempDateiName(Context &ctx, const QString &endung, const QString &praefix);

// One line of the copy script for a listed photo (program paths), or "" for
// a photo in an x_, y_ or z_ folder. `nummer` is the running number it gets.
// The script runs under /bin/sh; every path is quoted.
QString NummernSyncZeile(Context &ctx, const QString &foto, const QString &dirFotos,
                         const QString &dirFotosNr, int nummer);

// Whether a listed line is left out (empty, or below an x_, y_, z_ name).
bool NummernSyncAusgelassen(const QString &zeile);

// Fotos_Nr_Sync: lists the .jpg photos below "DirFotos" and starts a script
// that copies each with a running number in front of its name below "DirFotosNr".
void Fotos_Nr_Sync(Context &ctx);

} // namespace mirbelon
