#pragma once

#include "platform/FileSystem.h"

#include <functional>
#include <optional>

namespace mirbelon {

// Runs `arbeit` on the worker thread that moves bytes, while this thread
// keeps the window's events going; `takt` runs here about every 50 ms until
// the work is done. The work gets plain values and gives a plain result: it
// must not touch the list, the context, the ini store or a widget.
void ImHintergrund(const std::function<void()> &arbeit, const std::function<void()> &takt = {});

template <typename T>
T ImHintergrund(const std::function<T()> &arbeit, const std::function<void()> &takt = {})
{
    std::optional<T> ergebnis;
    ImHintergrund([&] { ergebnis.emplace(arbeit()); }, takt);
    return std::move(*ergebnis);
}

// The byte operations of the file system, run that way. `anteil` gets the
// share of the file done so far, from 0 to 1, while a long copy goes on.
CopyResult KopierenImHintergrund(const FileSystem &files, const CopyOrder &auftrag,
                                 const std::function<void(double)> &anteil = {});
ReadBack ZurueckLesenImHintergrund(const FileSystem &files, const QString &host);
Fehler FlushImHintergrund(const FileSystem &files, const QStringList &hosts);

} // namespace mirbelon
