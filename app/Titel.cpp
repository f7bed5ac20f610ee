#include "app/Titel.h"

#include "frame/Context.h"
#include "frame/IniStore.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace mirbelon {

Titel::Titel(Context &ctx, QWidget *parent) : QWidget(parent, Qt::SplashScreen)
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

    const bool debug = ctx.kommandozeile.contains(QLatin1String("#debug"), Qt::CaseInsensitive)
        || ctx.host.desktop.ctrlAndShiftDown();
    if (debug) {
        ctx.debugModus = 1;
        m_hinweis->setText(QStringLiteral("Das Debug-Logbuch ist aktiviert:\n") + ctx.ordner.debugDatei);
        m_hinweis->setStyleSheet(QStringLiteral("color: rgb(255, 64, 64); font-weight: bold;"));
        ctx.host.files.remove(ctx.ordner.debugDatei);
    }
    QTimer::singleShot(debug ? 1500 : 600, this, [this] {
        emit fertig();
        close();
    });
}

QString Titel::hinweis() const
{
    return m_hinweis->text();
}

} // namespace mirbelon
