#include "app/Info.h"

#include "frame/Context.h"
#include "frame/DebugLog.h"
#include "services/Version.h"
#include "source/Vorschau.h"
#include "text/DateiVorhanden.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirbelon {

Info::Info(Context &ctx, Fenster &fenster, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_fenster(fenster)
{
    setWindowTitle(QStringLiteral("Info"));
    auto *layout = new QVBoxLayout(this);
    auto *titel = new QLabel(QStringLiteral("<b>Mirbelon</b> %1.%2")
                                 .arg(kVersionMajor)
                                 .arg(kVersionMinor, 2, 10, QLatin1Char('0')),
                             this);
    layout->addWidget(titel);
    layout->addWidget(new QLabel(QStringLiteral("Fotos von der Speicherkarte ins Archiv auf der Festplatte."), this));
    layout->addWidget(new QLabel(QStringLiteral("Einstellungen: ") + ctx.einstellungsDatei, this));

    auto *knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto *debug = knoepfe->addButton(QStringLiteral("Debug-Infos..."), QDialogButtonBox::ActionRole);
    debug->setObjectName(QStringLiteral("befDebug"));
    debug->setToolTip(QStringLiteral("Infos zum internen Ablauf des Programms - dient der Fehlersuche"));
    connect(debug, &QPushButton::clicked, this, &Info::befDebug);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(knoepfe);
}

void Info::befDebug()
{
    if (m_ctx.debugModus < 1) {
        m_ctx.debugModus = 1;
        DebugLog(m_ctx, QStringLiteral("clr"));
    }
    if (DateiVorhanden(m_ctx.host.files, m_ctx.ordner.debugDatei)) {
        DokumentOeffnen(m_ctx, m_fenster, m_ctx.ordner.debugDatei);
    } else {
        m_ctx.host.dialogs.message(m_ctx.ordner.debugDatei + QStringLiteral(" nicht gefunden."),
                                   QStringLiteral("Debug"), Icon::Critical, Buttons::Ok, Answer::Ok);
    }
}

} // namespace mirbelon
