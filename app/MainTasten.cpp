#include "app/MainTasten.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace mirbelon {

MenueTasten::MenueTasten(QWidget &fenster) : QObject(&fenster), m_fenster(fenster)
{
    qApp->installEventFilter(this);
}

bool MenueTasten::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *element = qobject_cast<QWidget *>(watched);
    if (!element || element->window() != &m_fenster)
        return false;
    const auto *taste = static_cast<QKeyEvent *>(event);
    const QKeySequence folge(QKeyCombination(taste->modifiers() & ~Qt::KeypadModifier, Qt::Key(taste->key())));
    const QList<QAction *> aktionen = m_fenster.findChildren<QAction *>();
    for (const QAction *aktion : aktionen) {
        if (aktion->isEnabled() && aktion->shortcuts().contains(folge)) {
            // Not accepted: the key goes on to the window's shortcuts.
            event->ignore();
            return true;
        }
    }
    return false;
}

} // namespace mirbelon
