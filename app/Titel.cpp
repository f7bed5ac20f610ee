#include "app/Titel.h"

#include "app/Main.h"
#include "frame/Context.h"
#include "frame/IniStore.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace mirbelon {

namespace {

constexpr int kTitelZeit = 600;
constexpr int kTitelZeitDebug = 1500;
// The keys are looked at this often while the title shows.
constexpr int kTastenTakt = 50;
// The title stays this long over the freshly shown main window.
constexpr int kNachlauf = 300;

} // namespace

Titel::Titel(Context &ctx, QWidget *parent) : QWidget(parent, Qt::SplashScreen), m_ctx(ctx)
{
    // The first read resolves the folders before the main window loads.
    IniLesen(ctx, {}, QStringLiteral("Allgemein"), QStringLiteral("DebugMode"), QStringLiteral("0"));

    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(QStringLiteral("<h1>Mirbelon</h1>Fotos von der Kamera ins Archiv"), this);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    m_hinweis = new QLabel(this);
    m_hinweis->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_hinweis);
    resize(420, 200);

    m_zeit = new QTimer(this);
    m_zeit->setSingleShot(true);
    m_zeit->setInterval(kTitelZeit);
    connect(m_zeit, &QTimer::timeout, this, &Titel::fertig);
    m_tasten = new QTimer(this);
    m_tasten->setInterval(kTastenTakt);
    connect(m_tasten, &QTimer::timeout, this, &Titel::tastenPruefen);

    if (ctx.kommandozeile.contains(QLatin1String("#debug"), Qt::CaseInsensitive))
        debugAn();
    else
        tastenPruefen();
    m_zeit->start();
    if (!m_debug)
        m_tasten->start();
}

void Titel::tastenPruefen()
{
    if (m_ctx.host.desktop.ctrlAndShiftDown())
        debugAn();
}

void Titel::hideEvent(QHideEvent *event)
{
    m_tasten->stop();
    QWidget::hideEvent(event);
}

void Titel::debugAn()
{
    if (m_debug)
        return;
    m_debug = true;
    m_tasten->stop();
    // A log this run has already written to stays; an old one goes.
    if (m_ctx.debugModus < 1)
        m_ctx.host.files.remove(m_ctx.ordner.debugDatei);
    m_ctx.debugModus = 1;
    m_hinweis->setText(QStringLiteral("Das Debug-Logbuch ist aktiviert:\n") + m_ctx.ordner.debugDatei);
    m_hinweis->setStyleSheet(QStringLiteral("color: rgb(255, 64, 64); font-weight: bold;"));
    // Time to read the note, also when the keys came late.
    if (m_zeit->isActive())
        m_zeit->start(kTitelZeitDebug);
}

QString Titel::hinweis() const
{
    return m_hinweis->text();
}

void TitelAnschliessen(Titel &titel, Main &fenster)
{
    QObject::connect(&titel, &Titel::fertig, &fenster, [&titel, &fenster] {
        fenster.laden();
        fenster.show();
        QTimer::singleShot(kNachlauf, &titel, &QWidget::close);
    });
}

} // namespace mirbelon
