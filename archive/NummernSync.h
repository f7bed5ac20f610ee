#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace mirbelon {

class Context;

// A new file name in the temp folder: prefix, today as "yyyymmdd_", the tick
// count as eight digits and the extension ("tmp" when empty).
QString TempDateiName(Context &ctx, const QString &endung, const QString &praefix);

// One line of the copy script for a listed photo, given by its host path
// below DirFotos ("/Sub/IMG_0001.jpg", in the name's own bytes), or "" for
// one below an x_, y_ or z_ name. `nummer` is the running number it gets.
// The script runs under /bin/sh; every path is quoted.
QByteArray NummernSyncZeile(const QByteArray &relativ, const QByteArray &dirFotosHost,
                            const QByteArray &dirFotosNrHost, int nummer);

// Whether a listed path below DirFotos ("/"-separated) is left out: empty,
// or below an x_, y_ or z_ name.
bool NummernSyncAusgelassen(const QByteArray &relativ);

// The order of a bare recursive listing: a folder's files by name, case
// ignored, before its sub-folders, each of those in turn.
bool NummernSyncVorher(const QByteArray &a, const QByteArray &b);

// Fotos_Nr_Sync: lists the .jpg photos below "DirFotos" and starts a script
// that copies each with a running number in front of its name below "DirFotosNr".
void Fotos_Nr_Sync(Context &ctx);

} // namespace mirbelon
