#include "platform/DateiAbbild.h"

#include <QFile>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon {

namespace {

// The mappings a SIGBUS may come from: read by the signal handler, so only
// atomics. A mapping is taken out of the table before it is unmapped.
struct Platz
{
    std::atomic<uintptr_t> anfang{0};
    std::atomic<uintptr_t> ende{0};
    std::atomic<bool> kaputt{false};
    std::atomic<bool> belegt{false};
};
constexpr int kPlaetze = 64;
std::array<Platz, kPlaetze> g_plaetze;
struct sigaction g_vorher;
uintptr_t g_seite = 4096; // sysconf is not for a signal handler

void BeiSigbus(int signal, siginfo_t *info, void *kontext)
{
    const uintptr_t adresse = reinterpret_cast<uintptr_t>(info->si_addr);
    for (Platz &platz : g_plaetze) {
        if (adresse < platz.anfang.load() || adresse >= platz.ende.load())
            continue;
        // The unreadable page becomes one of zeros; the read that failed runs again.
        const uintptr_t seite = adresse & ~(g_seite - 1);
        if (::mmap(reinterpret_cast<void *>(seite), size_t(g_seite), PROT_READ,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0)
            == MAP_FAILED)
            break;
        platz.kaputt.store(true);
        return;
    }
    // Not ours: what would have happened without this handler.
    if (g_vorher.sa_flags & SA_SIGINFO) {
        g_vorher.sa_sigaction(signal, info, kontext);
    } else if (g_vorher.sa_handler != SIG_DFL && g_vorher.sa_handler != SIG_IGN) {
        g_vorher.sa_handler(signal);
    } else {
        ::signal(SIGBUS, SIG_DFL); // the faulting read runs again and ends the program
    }
}

void HandlerEinrichten()
{
    static std::once_flag einmal;
    std::call_once(einmal, [] {
        g_seite = uintptr_t(::sysconf(_SC_PAGESIZE));
        struct sigaction neu = {};
        neu.sa_sigaction = BeiSigbus;
        neu.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&neu.sa_mask);
        ::sigaction(SIGBUS, &neu, &g_vorher);
    });
}

int PlatzNehmen(void *anfang, size_t laenge)
{
    for (int i = 0; i < kPlaetze; ++i) {
        Platz &platz = g_plaetze[size_t(i)];
        bool frei = false;
        if (!platz.belegt.compare_exchange_strong(frei, true))
            continue;
        platz.kaputt.store(false);
        platz.ende.store(0);
        platz.anfang.store(reinterpret_cast<uintptr_t>(anfang));
        platz.ende.store(reinterpret_cast<uintptr_t>(anfang) + laenge);
        return i;
    }
    return -1;
}

} // namespace

DateiAbbild::DateiAbbild(const QByteArray &hostPfad)
{
    const int fd = ::open(hostPfad.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        HandlerEinrichten();
        void *anfang = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (anfang != MAP_FAILED) {
            m_platz = PlatzNehmen(anfang, size_t(st.st_size));
            if (m_platz >= 0) {
                m_anfang = anfang;
                m_laenge = size_t(st.st_size);
                m_daten = QByteArray::fromRawData(static_cast<const char *>(anfang), qsizetype(st.st_size));
            } else {
                // Every place taken: a copy in memory can take no SIGBUS.
                ::munmap(anfang, size_t(st.st_size));
                QFile datei;
                if (datei.open(fd, QIODevice::ReadOnly))
                    m_daten = datei.readAll();
            }
        }
    }
    ::close(fd);
}

DateiAbbild::~DateiAbbild()
{
    if (m_platz < 0)
        return;
    Platz &platz = g_plaetze[size_t(m_platz)];
    platz.anfang.store(0);
    platz.ende.store(0);
    ::munmap(m_anfang, m_laenge);
    platz.belegt.store(false);
}

bool DateiAbbild::beschaedigt() const
{
    return m_platz >= 0 && g_plaetze[size_t(m_platz)].kaputt.load();
}

} // namespace mirbelon
