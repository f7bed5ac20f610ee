#pragma once

#include <QImage>
#include <QString>

namespace mirbelon {

// Sizes of the main window that the preview rule needs, in twips.
struct VorschauGeometrie
{
    int innenBreite = 0;  // inner width of the main window
    int innenHoehe = 0;   // inner height of the main window
    int vorschauLinks = 0;
    int vorschauOben = 0;
    int frame1Links = 0;
};

// What the reactions of the source and archive side read and write in the
// main window. The main window implements it; tests may too. Every setter
// that stands for a user-visible element runs that element's reaction when
// the value changes, exactly as a user action would; the same value again is
// no change.
class Fenster
{
public:
    virtual ~Fenster() = default;

    // txtQ: source drive or folder; a change scans the source.
    virtual QString quelle() const = 0;
    virtual void setQuelle(const QString &text) = 0;
    // The reaction of befQUpdate: the source as it is named now, read again.
    virtual void quelleEinlesen() = 0;
    virtual void fokusQuelle() = 0;

    // txtZ: target folder; a change refreshes the target status.
    virtual QString ziel() const = 0;
    virtual void setZiel(const QString &text) = 0;
    virtual void fokusZiel() = 0;

    // txtZiel: target-name pattern.
    virtual QString zielMuster() const = 0;

    // txtStaKamera: camera name; a change arms TimerInfo.
    virtual QString kamera() const = 0;
    virtual void setKamera(const QString &text) = 0;

    // CheckPreview; a change runs its click reaction.
    virtual bool vorschauAn() const = 0;
    virtual void setVorschauAn(bool an) = 0;

    // The preview picture ImagePreview and the cross ImageFlag over it.
    virtual VorschauGeometrie vorschauGeometrie() const = 0;
    virtual void zeigeVorschau(const QImage &bild, int breiteTwips, int hoeheTwips) = 0;
    virtual void versteckeVorschau() = 0;
    virtual void setKreuzSichtbar(bool sichtbar) = 0;

    // Status bar panels by key ("Status", "Bilder", "Bytes", "Speicherkarte",
    // "DateiInfos", "Statistik", "Datum").
    virtual QString panel(const QString &schluessel) const = 0;
    virtual void setPanel(const QString &schluessel, const QString &text) = 0;
    virtual void setPanelTipp(const QString &schluessel, const QString &tipp) = 0;
    virtual void statusNeuZeichnen() = 0; // redraw the status bar at once

    // bezZ and bezHinweisDatumOK.
    virtual void setZielStatus(const QString &text) = 0;
    virtual void setDatumHinweisSichtbar(bool sichtbar) = 0;

    // ProgressBar of copy and delete runs.
    virtual void setFortschrittSichtbar(bool sichtbar) = 0;
    virtual void setFortschritt(int prozent) = 0;

    // Arm the one-shot timers.
    virtual void timerInitAn() = 0;
    virtual void timerHinweiseAn() = 0;
    virtual void timerInfoAn() = 0;

    // mnuEnde: the one end sequence of the program.
    virtual void programmEnde() = 0;
};

} // namespace mirbelon
