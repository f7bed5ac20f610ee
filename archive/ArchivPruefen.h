#pragma once

#include "platform/FileSystem.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace mirbelon {

class Context;
class Fenster;

// A hash line of a receipt as `xxhsum -H2` writes it: 32 hex digits of
// XXH3-128, two blanks, the path relative to the receipt's folder.
struct PruefZeile
{
    Hash128 hash;
    QByteArray pfad; // host bytes
};

// nullopt for any other line: a comment, the flag of a run that ended
// early, an empty line.
std::optional<PruefZeile> PruefZeileLesen(QByteArray zeile);

struct PruefErgebnis
{
    int listen = 0;  // receipts read
    int dateien = 0; // files they name, each once
    int gleich = 0;
    QStringList fehlen;    // program paths
    QStringList geaendert; // other bytes than any receipt names for them
    QStringList unlesbar;  // path and the reason, on one line
    bool abgebrochen = false;
};

// Checks the files that the receipts (*.xxh128) of `ordner` name: each is
// read from the disk and hashed on a worker, one after the other, with the
// progress bar and the "Status" panel following. `abbrechen` is asked
// between the files.
PruefErgebnis ArchivOrdnerPruefen(Context &ctx, Fenster &fenster, const QString &ordner,
                                  const std::function<bool()> &abbrechen);

// Menu "Archiv prüfen...": the user picks a receipt in the archive folder
// (the dialog opens at the target folder), every receipt of that folder is
// checked, and a report names the files missing, changed or unreadable, or
// says that all are as they were copied.
void ArchivPruefen(Context &ctx, Fenster &fenster, const std::function<bool()> &abbrechen);

} // namespace mirbelon
