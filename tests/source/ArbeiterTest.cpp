#include "source/Arbeiter.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <mutex>
#include <vector>

namespace mirbelon::test {
namespace {

// Work of three lanes that builds on each other: each waits on its worker
// for the one before it, and the window thread waits in its event loop.
TEST(Arbeiter, VorabLanesBuildOnEachOtherWhileTheWindowsEventsRun)
{
    std::mutex mutex;
    std::vector<int> bytes;
    std::vector<int> gelesen;
    std::atomic<bool> kopiert{false};
    std::shared_ptr<Vorarbeit> letzte;
    std::vector<std::shared_ptr<Vorarbeit>> lesen;
    for (int i = 0; i < 6; ++i) {
        auto kopie = Vorab(Strecke::Bytes, [&, i] {
            QThread::msleep(i == 0 ? 200 : 5);
            std::lock_guard lock(mutex);
            bytes.push_back(i);
        });
        auto flush = Vorab(Strecke::Flush, [kopie, &kopiert] {
            kopie->blockieren();
            kopiert = true;
        });
        lesen.push_back(Vorab(Strecke::Lesen, [flush, &mutex, &gelesen, i] {
            flush->blockieren();
            std::lock_guard lock(mutex);
            gelesen.push_back(i);
        }));
    }

    int takte = 0;
    QTimer uhr;
    QObject::connect(&uhr, &QTimer::timeout, [&] { ++takte; });
    uhr.start(10);
    QElapsedTimer zeit;
    zeit.start();
    EXPECT_FALSE(lesen.front()->fertig());
    for (const auto &l : lesen)
        l->abwarten();
    EXPECT_GE(zeit.elapsed(), 190);
    EXPECT_GE(takte, 5) << "the window's timers run while it waits";
    EXPECT_TRUE(kopiert);
    // One byte thread: in the order given. The reading lane may interleave.
    EXPECT_EQ(bytes, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(gelesen.size(), 6u);
    for (const auto &l : lesen)
        EXPECT_TRUE(l->fertig());
}

} // namespace
} // namespace mirbelon::test
