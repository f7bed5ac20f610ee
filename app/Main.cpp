#include "app/Main.h"

#include "app/Einstellungen.h"
#include "app/Info.h"
#include "app/MainStatusFeld.h"
#include "app/MainTasten.h"
#include "app/Twips.h"
#include "archive/Datumskorrektur.h"
#include "archive/KartenBefehle.h"
#include "archive/Kopierlauf.h"
#include "archive/Loeschen.h"
#include "archive/NummernSync.h"
#include "archive/ZielName.h"
#include "archive/ZielStatus.h"
#include "frame/Context.h"
#include "frame/KartenBuchstaben.h"
#include "services/Adressen.h"
#include "source/Karte.h"
#include "source/KarteEntfernt.h"
#include "source/Markieren.h"
#include "source/Scan.h"
#include "source/Statusleiste.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace mirbelon {

namespace {

template <typename Box = QComboBox, typename... Mehr>
Box *neueCombo(QWidget *eltern, const QRect &rect, const QString &tipp, Mehr &&...mehr)
{
    auto *combo = new Box(std::forward<Mehr>(mehr)..., eltern);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setGeometry(rect);
    combo->setToolTip(tipp);
    return combo;
}

QPushButton *neuerKnopf(QWidget *eltern, const QString &text, const QRect &rect)
{
    auto *knopf = new QPushButton(text, eltern);
    knopf->setGeometry(rect);
    return knopf;
}

QPixmap rotesKreuz()
{
    QPixmap bild(32, 32);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setPen(QPen(QColor(220, 0, 0), 5, Qt::SolidLine, Qt::RoundCap));
    maler.drawLine(4, 4, 28, 28);
    maler.drawLine(28, 4, 4, 28);
    return bild;
}

// Arrow keys keep their Windows virtual-key codes; the list reaction
// only tells them apart.
int tastenCode(int qtTaste)
{
    switch (qtTaste) {
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    default:
        return qtTaste;
    }
}

// The combo box reactions: typing, a pick from the list, and a change by code.
void beiAenderung(QComboBox *combo, QObject *ziel, const std::function<void()> &reaktion)
{
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, ziel, [reaktion] { reaktion(); });
    QObject::connect(combo, &QComboBox::activated, ziel, [reaktion] { reaktion(); });
}

void textSetzen(QComboBox *combo, const QString &text, const std::function<void()> &reaktion)
{
    if (combo->currentText() == text)
        return;
    combo->setEditText(text);
    reaktion();
}

} // namespace

Main::Main(Context &ctx, std::function<void()> beenden, QWidget *parent)
    : QMainWindow(parent), m_ctx(ctx), m_beenden(std::move(beenden)), m_liste(this)
{
    setWindowTitle(QStringLiteral("Mirbelon"));
    bauen();
    verbinden();
    new MenueTasten(*this);
    resize(zuPixel(12270), zuPixel(8565) + menuBar()->sizeHint().height());
}

Main::~Main()
{
    m_ctx.host.files.whenMediaChange({});
    // The child widgets die in ~QWidget, after this window's own parts; a
    // combo box that still reports then must not reach the half-gone window.
    for (QComboBox *combo : {static_cast<QComboBox *>(m_txtQ), m_txtZ, m_txtZiel, m_txtStaKamera}) {
        QObject::disconnect(combo, nullptr, this, nullptr);
        QObject::disconnect(combo->lineEdit(), nullptr, this, nullptr);
    }
}

void Main::bauen()
{
    m_innen = new QWidget(this);
    setCentralWidget(m_innen);
    bauenWerkzeugleiste(m_innen);
    bauenQuelle(m_innen);
    bauenZiel(m_innen);

    m_imagePreview = new QLabel(m_innen);
    m_imagePreview->setScaledContents(true);
    m_imagePreview->setGeometry(twipsRect(3960, 600, 3735, 1335));
    m_imageFlag = new QLabel(m_innen);
    m_imageFlag->setPixmap(rotesKreuz());
    m_imageFlag->resize(32, 32);
    m_imageFlag->hide();

    bauenStatusleiste(m_innen);
    bauenMenues();

    m_timerInit = new QTimer(this);
    m_timerHinweise = new QTimer(this);
    m_timerInfo = new QTimer(this);
    for (QTimer *t : {m_timerInit, m_timerHinweise, m_timerInfo})
        t->setSingleShot(true);
    m_timerInit->setInterval(333);
    m_timerHinweise->setInterval(333);
    m_timerInfo->setInterval(1000);
}

void Main::bauenWerkzeugleiste(QWidget *innen)
{
    m_coolbar = new QToolBar(innen);
    m_coolbar->setGeometry(twipsRect(0, 0, 12270, 480));
    m_coolbar->setIconSize(QSize(20, 20));
    QAction *ende = m_coolbar->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), {});
    ende->setToolTip(QStringLiteral("Programm beenden"));
    ende->setObjectName(QStringLiteral("btnEnde"));
    connect(ende, &QAction::triggered, this, [this] {
        m_coolbar->hide();
        programmEnde();
        if (!m_endeGelaufen)
            m_coolbar->show();
    });
    m_coolbar->addSeparator();
    QAction *suche = m_coolbar->addAction(style()->standardIcon(QStyle::SP_DriveHDIcon), {});
    suche->setToolTip(QStringLiteral("Quell-Laufwerk suchen"));
    suche->setObjectName(QStringLiteral("btnSearch"));
    connect(suche, &QAction::triggered, this, [this] { LaufwerkSuchen(m_ctx, *this); });
    QAction *kopie = m_coolbar->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), {});
    kopie->setToolTip(QStringLiteral("Fotos kopieren"));
    kopie->setObjectName(QStringLiteral("btnCopy"));
    connect(kopie, &QAction::triggered, this, [this] { lauf([this] { mnuKopieren(m_ctx, m_liste, *this); }); });
    m_coolbar->addSeparator();
    m_aktionen.insert(QStringLiteral("btnEnde"), ende);
    m_aktionen.insert(QStringLiteral("btnSearch"), suche);
    m_aktionen.insert(QStringLiteral("btnCopy"), kopie);

    m_txtStaKamera = neueCombo(innen, twipsRect(1680, 81, 2655, 315), {});
    m_checkPreview = new QCheckBox(QStringLiteral("Bild Vorschau"), innen);
    m_checkPreview->setGeometry(twipsRect(4560, 82, 1695, 375));
    m_befWerbung = neuerKnopf(innen, QStringLiteral("Brenlo im Internet"), twipsRect(6120, 52, 2775, 375));
    m_befWerbung->setToolTip(QStringLiteral("Besuchen Sie die Brenlo im Internet"));
    m_befWerbung->setFlat(true);
}

void Main::bauenQuelle(QWidget *innen)
{
    m_frame1 = new QGroupBox(QStringLiteral("Fotos von der Kamera (Quelle)"), innen);
    m_frame1->setGeometry(twipsRect(120, 480, 3615, 3735));
    m_txtQ = neueCombo<QuellBox>(m_frame1, twipsRect(120, 360, 3375, 315),
                       QStringLiteral("In welchem Ordner sind die Fotos abgelegt (Speicherkarte)"),
                       [this](const QStringList &gespeichert) { return QuellAngebote(m_ctx, gespeichert); });
    m_befQUpdate = neuerKnopf(m_frame1, QStringLiteral("Refresh"), twipsRect(120, 720, 1575, 255));
    m_befQSuche = neuerKnopf(m_frame1, QStringLiteral("Suche..."), twipsRect(1920, 720, 1575, 255));
    m_listBilder = new QListView(m_frame1);
    m_listBilder->setGeometry(twipsRect(120, 1080, 3375, 1860));
    m_listBilder->setToolTip(QStringLiteral("Lister der Fotos (Speicherkarte)"));
    m_listBilder->setModel(&m_liste);
    m_listBilder->setUniformItemSizes(true);
    m_listBilder->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listBilder->installEventFilter(this);
    m_listBilder->viewport()->installEventFilter(this);
}

void Main::bauenZiel(QWidget *innen)
{
    m_frame2 = new QGroupBox(QStringLiteral("Archiv auf Festplatte (Ziel)"), innen);
    m_frame2->setGeometry(twipsRect(120, 4560, 3615, 2175));
    m_txtZ = neueCombo(m_frame2, twipsRect(120, 360, 3375, 315),
                       QStringLiteral("In diesen Ordner werden die Fotos kopiert (Festplatte)"));
    m_befZUpdate = neuerKnopf(m_frame2, QStringLiteral("Refresh"), twipsRect(120, 720, 1575, 255));
    m_befZSuche = neuerKnopf(m_frame2, QStringLiteral("Suche..."), twipsRect(1920, 720, 1575, 255));
    m_txtZiel = neueCombo(m_frame2, twipsRect(120, 1560, 3375, 315),
                          QStringLiteral("Nach diesem Schema werden die kopierten Fotos umbenannt"));
    // The rows follow the font, so that a wrapped status line and the date
    // hint each have room of their own.
    const ZielZeilen z = ZielZeilenBerechnen(fontMetrics().lineSpacing(),
                                             std::max(zuPixel(315), m_txtZiel->sizeHint().height()));
    const int links = zuPixel(120);
    const int breite = zuPixel(3375);
    m_bezZ = new QLabel(QStringLiteral("..."), m_frame2);
    m_bezZ->setGeometry(links, z.bezZOben, breite, z.bezZHoehe);
    m_bezZ->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_bezZ->setWordWrap(true);
    m_bezHinweisDatumOK = new QLabel(QStringLiteral("Bild-Datum ok ?"), m_frame2);
    m_bezHinweisDatumOK->setGeometry(links + zuPixel(240), z.hinweisOben, breite - zuPixel(240), z.hinweisHoehe);
    m_bezHinweisDatumOK->setStyleSheet(QStringLiteral("color: red;"));
    m_bezHinweisDatumOK->hide();
    m_txtZiel->setGeometry(links, z.musterOben, breite, z.musterHoehe);
    m_progressBar = new QProgressBar(m_frame2);
    m_progressBar->setGeometry(links, z.fortschrittOben, breite, z.fortschrittHoehe);
    m_frame2->resize(m_frame2->width(), z.frameHoehe);
    m_masse.frame2Hoehe = zuTwips(z.frameHoehe);
    m_progressBar->setRange(0, 100);
    m_progressBar->setTextVisible(false);
    m_progressBar->hide();
}

void Main::bauenStatusleiste(QWidget *innen)
{
    m_statusBar = new QStatusBar(innen);
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setGeometry(twipsRect(0, 8310, 12270, 255));
    m_statusBar->setContentsMargins(0, 0, 0, 0);
    const QList<QPair<QString, QString>> panels = {
        {QStringLiteral("Status"), QStringLiteral("Allgemeiner Hinweis")},
        {QStringLiteral("Bilder"), QStringLiteral("Bilder: ausgewählt (insgesamt)")},
        {QStringLiteral("Bytes"), QStringLiteral("Bytes: ausgewählt (insgesamt)")},
        {QStringLiteral("Speicherkarte"), QStringLiteral("Speicherkarte: frei (insgesamt)")},
        {QStringLiteral("DateiInfos"), QStringLiteral("Name des Ziel-Fotos")},
        {QStringLiteral("Statistik"), QStringLiteral("Statistik")},
        {QStringLiteral("Datum"), QStringLiteral("Aktuelles Datum")},
    };
    for (const auto &[schluessel, tipp] : panels) {
        auto *feld = new StatusFeld(m_statusBar);
        feld->setToolTip(tipp);
        // "Status" takes the room the others leave; they ask for their texts' width.
        const bool status = schluessel == QLatin1String("Status");
        if (status) {
            feld->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            feld->setText(QStringLiteral("Bereit"));
            feld->setMinimumWidth(feld->sizeHint().width());
        }
        m_statusBar->addWidget(feld, status ? 1 : 0);
        m_panels.insert(schluessel, feld);
    }
    // The bar's own gaps of 6 pixels would take the room of a panel's text.
    if (auto *reihe = m_statusBar->findChild<QHBoxLayout *>())
        reihe->setSpacing(1);
    m_panels.value(QStringLiteral("Datum"))->setText(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
}

void Main::verbinden()
{
    beiAenderung(m_txtQ, this, [this] { QuelleScannen(m_ctx, m_liste, *this); });
    beiAenderung(m_txtZ, this, [this] { befZUpdate(m_ctx, *this); });
    beiAenderung(m_txtZiel, this, [this] { timerHinweiseAn(); });
    beiAenderung(m_txtStaKamera, this, [this] { timerInfoAn(); });
    // The arrow keys walk the fresh list, not the button.
    connect(m_befQUpdate, &QPushButton::clicked, this, [this] {
        quelleEinlesen();
        m_listBilder->setFocus();
    });
    connect(m_befQSuche, &QPushButton::clicked, this, [this] { QuelleWaehlen(m_ctx, *this); });
    connect(m_befZUpdate, &QPushButton::clicked, this, [this] { befZUpdate(m_ctx, *this); });
    connect(m_befZSuche, &QPushButton::clicked, this, [this] { befZSuche(m_ctx, *this); });
    connect(m_befWerbung, &QPushButton::clicked, this, [this] { DokumentOeffnen(m_ctx, *this, kHomepage); });
    connect(m_checkPreview, &QCheckBox::toggled, this, [this] { VorschauSchalter(m_liste, *this); });

    connect(&m_liste, &FotoListe::geklickt, this, [this] {
        if (m_lader)
            ListeKlick(m_ctx, m_liste, *this, *m_lader);
    });
    connect(&m_liste, &FotoListe::aktuellGeaendert, this, [this](int index) {
        if (m_listBilder->currentIndex().row() != index)
            m_listBilder->setCurrentIndex(m_liste.index(index, 0));
    });
    connect(m_listBilder->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &aktuell) { m_liste.setAktuell(aktuell.isValid() ? aktuell.row() : -1); });
    // A reset of the model replaces the selection model's current entry.
    connect(&m_liste, &QAbstractItemModel::modelReset, this, [this] {
        m_listBilder->selectionModel()->clearCurrentIndex();
    });

    connect(m_timerInit, &QTimer::timeout, this, [this] { timerInitTick(); });
    connect(m_timerHinweise, &QTimer::timeout, this, [this] {
        m_panels.value(QStringLiteral("Datum"))->setText(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        QuelleNochDa(m_ctx, m_liste, *this);
        HinweiseTick(m_ctx, m_liste, *this,
                     [this](int offset) { return ZielName(m_ctx, m_liste, *this, offset); });
    });
    connect(m_timerInfo, &QTimer::timeout, this, [this] { TimerInfoTick(m_ctx, *this); });
    // A card pulled out or put in shows in the list and the status bar at once.
    m_ctx.host.files.whenMediaChange([this] { timerHinweiseAn(); });
}

void Main::laden()
{
    m_ctx.einstellungsDatei = m_ctx.ordner.prg + QStringLiteral("\\Mirbelon.ini");
    setPanel(QStringLiteral("Status"), QStringLiteral("Bereit"));
    statusNeuZeichnen();
    m_lader = std::make_unique<VorschauLader>(BildCacheGroesse(m_ctx.host.system.availableMemory()));

    BuchstabenLaden(m_ctx);
    KonfigLaden(m_ctx, *this);

    m_ctx.parameter.ParameterZerlegen(m_ctx.kommandozeile);
    QString quelle = m_ctx.parameter.ParameterWert(QStringLiteral("Quelle="));
    if (quelle.startsWith(QLatin1Char('?'))) {
        LaufwerkSuchen(m_ctx, *this);
        quelle.clear();
    }
    if (!quelle.isEmpty())
        setQuelle(quelle);

    mnuLoeschenTmp(m_ctx, false);
    timerHinweiseAn();
    timerInfoAn();
    timerInitAn();
}

int Main::bildCacheGroesse() const
{
    return m_lader ? m_lader->cache().groesse() : 0;
}

bool Main::einstellungenSichern() const
{
    return m_aktionen.value(QStringLiteral("mnuSaveSet"))->isChecked();
}

void Main::timerInitTick()
{
    m_timerInit->stop();
    showMaximized();
    if (m_liste.anzahl() > 0) {
        m_liste.setAktuell(0);
        // After the start the arrow keys should walk the photos; later the
        // focus stays where the user or a search put it.
        if (m_fokusAufListe)
            m_listBilder->setFocus();
    }
    m_fokusAufListe = false;
    m_liste.klicken();
}

void Main::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutAnwenden();
}

void Main::layoutAnwenden()
{
    const int breite = zuTwips(m_innen->width());
    const int hoehe = zuTwips(m_innen->height());
    m_masse = LayoutAnwenden(m_masse, breite, hoehe);
    m_frame2->move(m_frame2->x(), zuPixel(m_masse.frame2Oben));
    m_frame1->resize(m_frame1->width(), zuPixel(m_masse.frame1Hoehe));
    m_listBilder->resize(m_listBilder->width(), zuPixel(m_masse.listeHoehe));
    m_imagePreview->resize(zuPixel(m_masse.vorschauBreite), zuPixel(m_masse.vorschauHoehe));
    m_coolbar->resize(m_innen->width(), m_coolbar->height());
    const int statusHoehe = m_statusBar->sizeHint().height();
    m_statusBar->setGeometry(0, m_innen->height() - statusHoehe, m_innen->width(), statusHoehe);
    m_liste.klicken();
}

bool Main::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_listBilder && event->type() == QEvent::KeyPress) {
        const auto *taste = static_cast<QKeyEvent *>(event);
        if (ListeTaste(m_ctx, m_liste, *this, tastenCode(taste->key())))
            return true;
    } else if (watched == m_listBilder->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // The mark set by this click lands first, then the marks are saved.
        QTimer::singleShot(0, this, [this] { ListeMausLos(m_ctx, m_liste, *this); });
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Main::endeErlaubt()
{
    if (m_ctx.lauf == Lauf::Keiner)
        return true;
    // The run's own status texts must not hide that the end is coming.
    m_endeAngefordert = true;
    m_panels.value(QStringLiteral("Status"))->setVorsatz(QStringLiteral("Das Programm endet nach diesem Lauf. "));
    return false;
}

void Main::lauf(const std::function<void()> &reaktion)
{
    if (m_ctx.lauf == Lauf::Keiner)
        m_karteVorLauf = m_liste.anzahl() > 0 ? quelle() : QString();
    reaktion();
    if (m_endeGelaufen || m_ctx.lauf != Lauf::Keiner)
        return;
    leereKarteAuswerfen();
    // The run may have made or filled the target folder.
    befZUpdate(m_ctx, *this);
    if (m_endeAngefordert)
        programmEnde();
}

void Main::programmEnde()
{
    // A running scan stops first and then comes back here itself.
    if (m_endeGelaufen || !endeErlaubt() || ScanAbbrechen(m_ctx))
        return;
    // The copy run ends the program when its deletion emptied the card.
    leereKarteAuswerfen();
    m_endeGelaufen = true;
    KonfigSpeichern(m_ctx, *this);
    ExitSkriptStarten(m_ctx);
    hide();
    m_ctx.host.desktop.processEvents();
    if (m_beenden)
        m_beenden();
}

void Main::closeEvent(QCloseEvent *event)
{
    if (m_endeGelaufen) {
        event->accept();
        return;
    }
    if (!endeErlaubt()) {
        event->ignore();
        return;
    }
    programmEnde();
    event->accept();
}

void Main::infoZeigen()
{
    Info info(m_ctx, *this, this);
    info.exec();
}

// Fenster

QString Main::quelle() const { return m_txtQ->currentText(); }
void Main::setQuelle(const QString &text)
{
    textSetzen(m_txtQ, text, [this] { QuelleScannen(m_ctx, m_liste, *this); });
}
void Main::quelleEinlesen() { QuelleScannen(m_ctx, m_liste, *this); }
void Main::fokusQuelle()
{
    m_fokusAufListe = false;
    m_txtQ->setFocus();
}
QString Main::ziel() const { return m_txtZ->currentText(); }
void Main::setZiel(const QString &text)
{
    textSetzen(m_txtZ, text, [this] { befZUpdate(m_ctx, *this); });
}
void Main::fokusZiel()
{
    m_fokusAufListe = false;
    m_txtZ->setFocus();
}
QString Main::zielMuster() const { return m_txtZiel->currentText(); }
void Main::setZielMuster(const QString &text)
{
    textSetzen(m_txtZiel, text, [this] { timerHinweiseAn(); });
}
QString Main::kamera() const { return m_txtStaKamera->currentText(); }
void Main::setKamera(const QString &text)
{
    textSetzen(m_txtStaKamera, text, [this] { timerInfoAn(); });
}
bool Main::vorschauAn() const { return m_checkPreview->isChecked(); }
void Main::setVorschauAn(bool an) { m_checkPreview->setChecked(an); }

VorschauGeometrie Main::vorschauGeometrie() const
{
    return {zuTwips(m_innen->width()), zuTwips(m_innen->height()), zuTwips(m_imagePreview->x()),
            zuTwips(m_imagePreview->y()), zuTwips(m_frame1->x())};
}

void Main::zeigeVorschau(const QImage &bild, int breiteTwips, int hoeheTwips)
{
    if (bild.isNull())
        m_imagePreview->clear();
    else
        m_imagePreview->setPixmap(QPixmap::fromImage(bild));
    m_imagePreview->resize(std::max(1, zuPixel(breiteTwips)), std::max(1, zuPixel(hoeheTwips)));
    m_imagePreview->show();
    m_imageFlag->move(m_imagePreview->x() + (m_imagePreview->width() - m_imageFlag->width()) / 2,
                      m_imagePreview->y() + (m_imagePreview->height() - m_imageFlag->height()) / 2);
    m_imageFlag->raise();
}

void Main::versteckeVorschau() { m_imagePreview->hide(); }

void Main::setKreuzSichtbar(bool sichtbar)
{
    m_imageFlag->setVisible(sichtbar);
    m_imageFlag->raise();
}

QString Main::panel(const QString &schluessel) const
{
    const StatusFeld *label = m_panels.value(schluessel);
    return label ? label->text() : QString();
}

void Main::setPanel(const QString &schluessel, const QString &text)
{
    if (StatusFeld *label = m_panels.value(schluessel))
        label->setText(text);
}

void Main::setPanelTipp(const QString &schluessel, const QString &tipp)
{
    if (StatusFeld *label = m_panels.value(schluessel))
        label->setToolTip(tipp);
}

void Main::statusNeuZeichnen() { m_statusBar->repaint(); }
void Main::setZielStatus(const QString &text) { m_bezZ->setText(text); }
void Main::setDatumHinweisSichtbar(bool sichtbar) { m_bezHinweisDatumOK->setVisible(sichtbar); }
void Main::setFortschrittSichtbar(bool sichtbar) { m_progressBar->setVisible(sichtbar); }
void Main::setFortschritt(int prozent)
{
    // setValue() repaints at once, which waits for the display; the bar is
    // drawn with the window's next paint instead.
    m_progressBar->setUpdatesEnabled(false);
    m_progressBar->setValue(std::clamp(prozent, 0, 100));
    m_progressBar->setUpdatesEnabled(true);
}
void Main::timerInitAn() { m_timerInit->start(); }
void Main::timerHinweiseAn() { m_timerHinweise->start(); }
void Main::timerInfoAn() { m_timerInfo->start(); }

} // namespace mirbelon
