#include "app/QuellUebernahme.h"

#include "frame/Aufruf.h"
#include "frame/Context.h"
#include "source/Fenster.h"
#include "source/Karte.h"

namespace mirbelon {

namespace {
constexpr int kNachsehenMs = 200;
}

QuellUebernahme::QuellUebernahme(Context &ctx, Fenster &fenster, std::function<void()> neuEinlesen,
                                 std::function<void()> nachVorne)
    : m_ctx(ctx), m_fenster(fenster), m_neuEinlesen(std::move(neuEinlesen)),
      m_nachVorne(std::move(nachVorne))
{
    m_warten.setInterval(kNachsehenMs);
    connect(&m_warten, &QTimer::timeout, this, [this] { versuchen(); });
}

void QuellUebernahme::uebernehmen(const QString &arbeitsordner, const QStringList &argumente)
{
    // Converted now: the drive table is the one of the moment the card came.
    m_wartend = Kommandozeile(m_ctx.host.files, argumente, arbeitsordner);
    m_hatWartende = true;
    m_nachVorne();
    versuchen();
}

void QuellUebernahme::versuchen()
{
    const bool geladen = !m_ctx.einstellungsDatei.isEmpty();
    if (!m_hatWartende || !geladen || m_ctx.lauf != Lauf::Keiner || m_ctx.scanLaeuft) {
        if (m_hatWartende)
            m_warten.start();
        return;
    }
    m_warten.stop();
    m_hatWartende = false;
    Parameter parameter;
    parameter.ParameterZerlegen(m_wartend);
    const QString quelle = parameter.ParameterWert(QStringLiteral("Quelle="));
    if (quelle.isEmpty())
        return; // the window only comes to the front
    if (quelle.startsWith(QLatin1Char('?')))
        LaufwerkSuchen(m_ctx, m_fenster);
    else if (quelle == m_fenster.quelle())
        m_neuEinlesen();
    else
        m_fenster.setQuelle(quelle);
}

} // namespace mirbelon
