#pragma once

#include "app/Layout.h"
#include "app/QuellBox.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "source/Vorschau.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListView;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolBar;

namespace mirbelon {

class Context;
class StatusFeld;

// The main window: the source and target areas, the photo list, the
// preview, tool bar, menus and status bar. It only wires the elements to
// the reactions of their subsystems.
class Main : public QMainWindow, public Fenster
{
    Q_OBJECT

public:
    // `beenden` ends the process after the end sequence (a test passes a recorder).
    Main(Context &ctx, std::function<void()> beenden, QWidget *parent = nullptr);
    ~Main() override;

    // The load handler: settings, command line, preview cache, TimerInit.
    void laden();

    FotoListe &liste() { return m_liste; }
    bool einstellungenSichern() const;

    // Fenster
    QString quelle() const override;
    void setQuelle(const QString &text) override;
    void quelleEinlesen() override;
    void fokusQuelle() override;
    QString ziel() const override;
    void setZiel(const QString &text) override;
    void fokusZiel() override;
    QString zielMuster() const override;
    // Sets txtZiel; a change arms TimerHinweise.
    void setZielMuster(const QString &text);
    QString kamera() const override;
    void setKamera(const QString &text) override;
    bool vorschauAn() const override;
    void setVorschauAn(bool an) override;
    VorschauGeometrie vorschauGeometrie() const override;
    void zeigeVorschau(const QImage &bild, int breiteTwips, int hoeheTwips) override;
    void versteckeVorschau() override;
    void setKreuzSichtbar(bool sichtbar) override;
    QString panel(const QString &schluessel) const override;
    void setPanel(const QString &schluessel, const QString &text) override;
    void setPanelTipp(const QString &schluessel, const QString &tipp) override;
    void statusNeuZeichnen() override;
    void setZielStatus(const QString &text) override;
    void setDatumHinweisSichtbar(bool sichtbar) override;
    void setFortschrittSichtbar(bool sichtbar) override;
    void setFortschritt(int prozent) override;
    void timerInitAn() override;
    void timerHinweiseAn() override;
    void timerInfoAn() override;
    void programmEnde() override;

    // Elements by their names, for tests and the settings routines.
    QuellBox *txtQ() const { return m_txtQ; }
    QComboBox *txtZ() const { return m_txtZ; }
    QComboBox *txtZiel() const { return m_txtZiel; }
    QComboBox *txtStaKamera() const { return m_txtStaKamera; }
    QCheckBox *checkPreview() const { return m_checkPreview; }
    QListView *listBilder() const { return m_listBilder; }
    QLabel *imagePreview() const { return m_imagePreview; }
    QLabel *imageFlag() const { return m_imageFlag; }
    QLabel *bezZ() const { return m_bezZ; }
    QLabel *bezHinweisDatumOK() const { return m_bezHinweisDatumOK; }
    StatusFeld *statusFeld(const QString &schluessel) const { return m_panels.value(schluessel); }
    QAction *aktion(const QString &name) const { return m_aktionen.value(name); }
    const LayoutMasse &layoutMasse() const { return m_masse; }
    QTimer *timerInit() const { return m_timerInit; }
    QTimer *timerHinweise() const { return m_timerHinweise; }
    QTimer *timerInfo() const { return m_timerInfo; }
    int bildCacheGroesse() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void bauen();
    void bauenQuelle(QWidget *innen);
    void bauenZiel(QWidget *innen);
    void bauenStatusleiste(QWidget *innen);
    void bauenWerkzeugleiste(QWidget *innen);
    void bauenMenues();
    QAction *neueAktion(const QString &name, const QString &text, const QKeySequence &taste,
                        std::function<void()> reaktion);
    void verbinden();
    void layoutAnwenden();
    void timerInitTick();
    void listeAktuellNachAnsicht(int index);
    void infoZeigen();
    bool endeErlaubt();
    // Runs a copy or delete run, then what follows every run: the target
    // status anew and an end that was asked for meanwhile.
    void lauf(const std::function<void()> &reaktion);
    // The card of a run that began with photos and left none is ejected, once.
    void leereKarteAuswerfen();

    Context &m_ctx;
    std::function<void()> m_beenden;
    FotoListe m_liste;
    std::unique_ptr<VorschauLader> m_lader;
    LayoutMasse m_masse;
    bool m_endeGelaufen = false;
    bool m_endeAngefordert = false; // asked for during a run
    bool m_fokusAufListe = true;    // the start-up's first photo takes the focus
    QString m_karteVorLauf;         // the source of the run going on, when it listed photos

    QWidget *m_innen = nullptr;
    QToolBar *m_coolbar = nullptr;
    QComboBox *m_txtStaKamera = nullptr;
    QCheckBox *m_checkPreview = nullptr;
    QPushButton *m_befWerbung = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QuellBox *m_txtQ = nullptr;
    QPushButton *m_befQUpdate = nullptr;
    QPushButton *m_befQSuche = nullptr;
    QListView *m_listBilder = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QComboBox *m_txtZ = nullptr;
    QPushButton *m_befZUpdate = nullptr;
    QPushButton *m_befZSuche = nullptr;
    QLabel *m_bezZ = nullptr;
    QLabel *m_bezHinweisDatumOK = nullptr;
    QComboBox *m_txtZiel = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QLabel *m_imagePreview = nullptr;
    QLabel *m_imageFlag = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QHash<QString, StatusFeld *> m_panels;
    QTimer *m_timerInit = nullptr;
    QTimer *m_timerHinweise = nullptr;
    QTimer *m_timerInfo = nullptr;
    QHash<QString, QAction *> m_aktionen;
};

} // namespace mirbelon
