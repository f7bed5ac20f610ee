#pragma once

#include "platform/FileSystem.h"

#include <QList>
#include <QString>

#include <vector>

namespace mirbelon {

class Context;

// Before the first photo of a copy run: when the `anzahl` marked photos take
// more `bytes` than the disk of the target folder `ziel` has free, asks
// whether to begin all the same. True to begin (also when they fit).
bool PlatzVorDemLauf(Context &ctx, int anzahl, qint64 bytes, const QString &ziel);

// Whether a failed copy failed because the target disk is full.
bool PlatteVoll(const Fehler &fehler);

// The one report of a disk that filled during the run, at entry `i`: that
// photo and the marked ones after it stay uncopied, the copying ends.
void PlatteVollMelden(Context &ctx, const QStringList &pfade, const std::vector<char> &marken, int i,
                      const QString &ziel);

} // namespace mirbelon
