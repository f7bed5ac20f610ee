#include "archive/Laufanzeige.h"

#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "text/Formatierung.h"

#include <QLocale>

namespace mirbelon {

namespace {

constexpr qint64 kBildMs = 33;     // about the screen's rate
constexpr qint64 kZahlenMs = 1000; // figures a user can read
constexpr int kStaende = 6;        // the speed is that of the last five seconds

QString MBs(double bytes, double ms)
{
    const double rate = ms > 0 ? bytes / ms / 1000.0 : 0;
    return QLocale(QLocale::German).toString(rate, 'f', rate < 100 ? 1 : 0) + QStringLiteral(" MB/s");
}

} // namespace

Laufanzeige::Laufanzeige(Fenster &fenster, FotoListe &liste, int fotos, qint64 bytes)
    : m_fenster(fenster), m_liste(liste), m_fotos(fotos), m_bytes(bytes)
{
    m_uhr.start();
    m_staende << Stand{0, 0};
}

QString Laufanzeige::dauer(qint64 sekunden)
{
    const qint64 s = qMax<qint64>(0, sekunden);
    if (s >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(s / 3600)
            .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(s % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

void Laufanzeige::foto(int eintrag, const QString &pfad, const QString &status)
{
    m_eintrag = eintrag;
    m_pfad = pfad;
    m_eintragNeu = true;
    m_status = status;
    m_statusNeu = true;
    takt();
}

void Laufanzeige::fortschritt(int prozent)
{
    if (prozent == m_prozent)
        return;
    m_prozent = prozent;
    m_prozentNeu = true;
    takt();
}

void Laufanzeige::erledigt(int fotos, qint64 bytes)
{
    m_fotosFertig = fotos;
    m_bytesFertig = bytes;
}

void Laufanzeige::takt(bool jetzt)
{
    const qint64 ms = m_uhr.elapsed();
    if (!jetzt && ms - m_gezeichnet < kBildMs)
        return;
    // At the end the figures say where the run stopped.
    if (jetzt)
        m_gezaehlt = -kZahlenMs;
    m_gezeichnet = ms;
    if (m_eintragNeu && m_liste.pfad(m_eintrag) == m_pfad)
        m_liste.setAktuell(m_eintrag);
    if (m_prozentNeu)
        m_fenster.setFortschritt(m_prozent);
    if (m_statusNeu)
        m_fenster.setPanel(QStringLiteral("Status"), m_status);
    m_eintragNeu = m_prozentNeu = m_statusNeu = false;
    if (ms - m_gezaehlt >= kZahlenMs) {
        m_gezaehlt = ms;
        zahlenZeigen();
    }
}

void Laufanzeige::zahlenZeigen()
{
    const Stand jetzt{m_uhr.elapsed(), m_bytesFertig};
    m_staende << jetzt;
    while (m_staende.size() > kStaende)
        m_staende.removeFirst();
    const Stand &vorher = m_staende.first();
    const double bytes = double(jetzt.bytes - vorher.bytes);
    const double ms = double(jetzt.ms - vorher.ms);
    // Short: the panel is narrow.
    QString text = QStringLiteral(" %1/%2 Fotos, ").arg(m_fotosFertig).arg(m_fotos) + MBs(bytes, ms);
    if (bytes > 0 && m_bytes > m_bytesFertig)
        text += QStringLiteral(", noch ") + dauer(qint64(double(m_bytes - m_bytesFertig) * ms / bytes / 1000.0 + 0.5));
    m_fenster.setPanel(QStringLiteral("Bilder"), text + QLatin1Char(' '));
}

QString Laufanzeige::schlusszeile(int fotos, qint64 bytes) const
{
    const qint64 ms = m_uhr.elapsed();
    return QStringLiteral("Kopiert: %1 Fotos (%2B) in %3, ")
               .arg(fotos)
               .arg(GroesseText(double(bytes)))
               .arg(dauer((ms + 500) / 1000))
           + MBs(double(bytes), double(ms));
}

} // namespace mirbelon
