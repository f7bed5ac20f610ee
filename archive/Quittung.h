#pragma once

#include "platform/FileSystem.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace mirbelon {

// One line of a checksum receipt as `xxhsum -H2` writes it: the XXH3-128 in
// 32 hex digits, two blanks, the path relative to the receipt's folder with
// "/" between folders. `xxhsum -c` reads it back years later.
QString QuittungsZeile(const Hash128 &hash, const QString &relativ);

// "Mirbelon-20260504-101112.xxh128" for a run begun then. A run that ended
// early gets "-unvollstaendig" before the extension: `xxhsum -c` checks it
// all the same, and a look into the folder tells it apart.
QString QuittungsName(const QDateTime &beginn, bool vollstaendig);

// The receipt of one destination folder, filled photo by photo and written
// once at the end of the run.
class Quittung
{
public:
    void eintragen(const Hash128 &hash, const QString &relativ);
    bool leer() const { return m_zeilen.isEmpty(); }
    // Written atomically into `ordner` (program path); a receipt of the same
    // name already there is kept and this one gets -01, -02 ...
    Fehler schreiben(FileSystem &files, const QString &ordner, const QDateTime &beginn,
                     bool vollstaendig) const;

private:
    QStringList m_zeilen;
};

} // namespace mirbelon
