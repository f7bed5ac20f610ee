#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>

namespace mirbelon {

class Fenster;
class FotoListe;

// What a copy run shows: the window follows the run at about the screen's
// rate instead of drawing every photo, and once a second the photos done,
// the speed of the last seconds and the time left.
class Laufanzeige
{
public:
    Laufanzeige(Fenster &fenster, FotoListe &liste, int fotos, qint64 bytes);

    // The entry being copied; it becomes the current one while the list
    // still holds `pfad` there.
    void foto(int eintrag, const QString &pfad, const QString &status);
    void fortschritt(int prozent);
    // Photos and bytes done so far (those of a file under way included).
    void erledigt(int fotos, qint64 bytes);
    // Draws what is due; `jetzt` draws it all.
    void takt(bool jetzt = false);

    // "Kopiert: 300 Fotos (1,2 GiB) in 0:05, 251 MB/s": the photos that
    // reached the archive, not those that were tried.
    QString schlusszeile(int fotos, qint64 bytes) const;

    // "0:42", or "1:02:03" from an hour on.
    static QString dauer(qint64 sekunden);

private:
    struct Stand
    {
        qint64 ms;
        qint64 bytes;
    };
    void zahlenZeigen();

    Fenster &m_fenster;
    FotoListe &m_liste;
    const int m_fotos;
    const qint64 m_bytes;
    QElapsedTimer m_uhr;
    qint64 m_gezeichnet = -1000; // ms of the last drawing
    qint64 m_gezaehlt = 0;       // ms of the last figures
    int m_eintrag = -1;
    QString m_pfad;
    bool m_eintragNeu = false;
    QString m_status;
    bool m_statusNeu = false;
    int m_prozent = -1;
    bool m_prozentNeu = false;
    int m_fotosFertig = 0;
    qint64 m_bytesFertig = 0;
    QList<Stand> m_staende; // one a second, the last few
};

} // namespace mirbelon
