#include "frame/Entwicklung.h"

#include <QtGlobal>

namespace mirbelon {

namespace {

enum class Zustand { Unbekannt, Nein, Ja };

Zustand g_zustand = Zustand::Unbekannt;

} // namespace

bool Entwicklungslauf()
{
    if (g_zustand == Zustand::Unbekannt) {
        bool ok = false;
        const int wert = qEnvironmentVariableIntValue("MIRBELON_ENTWICKLUNGSLAUF", &ok);
        g_zustand = ok && wert == 1 ? Zustand::Ja : Zustand::Nein;
    }
    return g_zustand == Zustand::Ja;
}

} // namespace mirbelon
