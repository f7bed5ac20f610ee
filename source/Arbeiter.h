#pragma once

#include "platform/FileSystem.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class QAbstractEventDispatcher;

namespace mirbelon {

// The worker lanes of Vorab, so that copying, flushing and reading back
// of different files overlap. Bytes is the thread of ImHintergrund; Flush
// has one of its own: each runs its work in the order it was given. Lesen
// has two threads, for reading two files back at once. Blick looks at the
// source (a listing, a stamp, a delete), which on a camera goes over its
// cable: never queued behind the copies made ahead on Bytes.
enum class Strecke { Bytes, Flush, Lesen, Blick };

// Runs `arbeit` on the worker thread of `strecke`, while this thread
// keeps the window's events going; `takt` runs here about every 50 ms until
// the work is done. The work gets plain values and gives a plain result: it
// must not touch the list, the context, the ini store or a widget.
void ImHintergrund(const std::function<void()> &arbeit, const std::function<void()> &takt = {},
                   Strecke strecke = Strecke::Bytes);

template <typename T>
T ImHintergrund(const std::function<T()> &arbeit, const std::function<void()> &takt = {},
                Strecke strecke = Strecke::Bytes)
{
    std::optional<T> ergebnis;
    ImHintergrund([&] { ergebnis.emplace(arbeit()); }, takt, strecke);
    return std::move(*ergebnis);
}

// ImHintergrund on the lane Blick.
template <typename T>
T Nachsehen(const std::function<T()> &arbeit)
{
    return ImHintergrund<T>(arbeit, {}, Strecke::Blick);
}

// Work started on a worker before its result is needed: the window thread
// goes on with its own steps and collects the result later, in its event
// loop. The same rules hold as for ImHintergrund.
class Vorarbeit
{
public:
    bool fertig() const;
    // Lets the window's events run until the work is done; `takt` runs
    // about every 50 ms meanwhile.
    void abwarten(const std::function<void()> &takt = {}) const;
    // For work on another worker that builds on this one: waits, blocking.
    void blockieren() const;

private:
    friend std::shared_ptr<Vorarbeit> Vorab(Strecke, std::function<void()>);
    void erledigt();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_fertig;
    bool m_erledigt = false;
    QAbstractEventDispatcher *m_dispatcher = nullptr; // of the thread that started the work
};

std::shared_ptr<Vorarbeit> Vorab(Strecke strecke, std::function<void()> arbeit);

// The byte operations of the file system, run that way. `anteil` gets the
// share of the file done so far, from 0 to 1, while a long copy goes on.
CopyResult KopierenImHintergrund(const FileSystem &files, const CopyOrder &auftrag,
                                 const std::function<void(double)> &anteil = {});
ReadBack ZurueckLesenImHintergrund(const FileSystem &files, const QString &host);
Fehler FlushImHintergrund(const FileSystem &files, const QStringList &hosts);

} // namespace mirbelon
