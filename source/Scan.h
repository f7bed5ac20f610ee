#pragma once

#include "platform/FileSystem.h"

#include <QString>
#include <QStringList>

namespace mirbelon {

class Context;
class Fenster;
class FotoListe;

// Appends every file below `ordner` (sub-folders first, depth first) whose
// lower-cased name fits `muster` ("*" any run, "?" one character), with the
// host file it was found as. The paths start with `ordner` in lower case;
// names are spelled as the disk reports them. A folder that cannot be listed
// adds nothing. Every real folder is read once and no file is met twice;
// links are not followed, so nothing outside `ordner` is listed.
void DateienSuchen(
    Context &ctx, const QString &ordner, const QString &muster, QList<FileRef> &liste);

// The end of the program was asked for: a running scan stops at once and
// then runs the end sequence itself. False when no scan runs.
bool ScanAbbrechen(Context &ctx);

// Sum of position x Windows-1252 code over the entries, each followed by ";".
// A whole number; it changes with any added, removed, renamed or re-cased entry.
double ListenPruefsumme(const FotoListe &liste);

// Mode beginning with "l"/"L": restores the marks remembered for exactly this
// list; any other mode remembers the current marks. Kept in section
// "ListeSel" of BrenloTemp.ini in the temp folder, keyed by the checksum.
void ListenAuswahl(Context &ctx, FotoListe &liste, const QString &modus);

// Reaction of befQUpdate and of a change of txtQ. Refused while a copy or
// delete run goes on; asked for during a scan, it runs once more afterwards.
void QuelleScannen(Context &ctx, FotoListe &liste, Fenster &fenster);

// The scan itself: settings changed on disk, list, auto marks, remembered
// marks, camera name, timers.
void QuelleEinlesen(Context &ctx, FotoListe &liste, Fenster &fenster);

// Reaction of befQSuche: the folder of a chosen file becomes the source.
void QuelleWaehlen(Context &ctx, Fenster &fenster);

} // namespace mirbelon
