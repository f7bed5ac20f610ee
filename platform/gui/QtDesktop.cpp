#include "platform/gui/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QProcess>
#include <QStandardPaths>

namespace mirbelon {

QtDesktop::QtDesktop(const FileSystem &files) : m_files(files) {}

QtDesktop::~QtDesktop()
{
    stopSound();
}

void QtDesktop::beep(Beep kind)
{
    Q_UNUSED(kind) // the host has one bell
    QApplication::beep();
}

void QtDesktop::playSound(const QString &file)
{
    stopSound();
    QString player = QStandardPaths::findExecutable(QStringLiteral("paplay"));
    if (player.isEmpty())
        player = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    const QString host = m_files.hostPath(file);
    if (player.isEmpty() || host.isEmpty())
        return;
    m_player = std::make_unique<QProcess>();
    m_player->setStandardOutputFile(QProcess::nullDevice());
    m_player->setStandardErrorFile(QProcess::nullDevice());
    m_player->start(player, {host});
}

void QtDesktop::stopSound()
{
    if (!m_player)
        return;
    if (m_player->state() != QProcess::NotRunning) {
        m_player->kill();
        m_player->waitForFinished(1000);
    }
    m_player.reset();
}

void QtDesktop::clearClipboard()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

void QtDesktop::setClipboardText(const QString &text)
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

bool QtDesktop::ctrlAndShiftDown() const
{
    const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    return m.testFlag(Qt::ControlModifier) && m.testFlag(Qt::ShiftModifier);
}

void QtDesktop::processEvents()
{
    QCoreApplication::processEvents();
}

void QtDesktop::redraw()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace mirbelon
