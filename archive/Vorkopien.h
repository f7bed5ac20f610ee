#pragma once

#include "platform/FileSystem.h"

#include <QList>

#include <atomic>
#include <functional>
#include <memory>

namespace mirbelon {

class Vorarbeit;

// The bytes of a copy run's photos, copied ahead in list order to temporary
// names in a folder of their own while the window's thread names and places
// them one by one. Copies not taken are removed with their folder when this
// ends, so a run that stops early leaves nothing of them behind.
class Vorkopien
{
public:
    // One order per list entry, with `ahead` set and `to` in the host folder
    // `ordner` (and `to2`, where set, in `ordner2`); an empty `from` copies
    // nothing.
    Vorkopien(const FileSystem &files, QString ordner, QString ordner2, QList<CopyOrder> auftraege);
    ~Vorkopien();
    Vorkopien(const Vorkopien &) = delete;
    Vorkopien &operator=(const Vorkopien &) = delete;

    // Entry i's copy, once its bytes are in: the window's events run
    // meanwhile, `anteil` gets the share of the file done about every 50 ms.
    // The copies after it are started so that the disk never waits.
    CopyResult abholen(int i, const std::function<void(double)> &anteil);

    // The copies not started yet leave out the second target.
    void zweitesZielAus() { m_ohneZweites->store(true); }

    // Stops the copies not started yet and removes those made and not taken,
    // letting the window's events run while one still goes on.
    void aufgeben();

private:
    struct Kopie;
    void nachlegen(int ab);
    void wegwerfen(const Kopie &kopie) const;

    const FileSystem &m_files;
    const QString m_ordner;
    const QString m_ordner2;
    const QList<CopyOrder> m_auftraege;
    QList<std::shared_ptr<Kopie>> m_kopien; // by entry, null until started
    std::shared_ptr<std::atomic<bool>> m_halt = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> m_ohneZweites = std::make_shared<std::atomic<bool>>(false);
    int m_gestartet = 0; // entries up to here have been looked at
};

} // namespace mirbelon
