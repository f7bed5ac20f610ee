#pragma once

#include <QObject>

class QWidget;

namespace mirbelon {

// The menu keys of a window answer wherever the focus is in it. A focused
// element may claim a key for itself first (an editable combo box takes
// Ctrl+E as "end of line" and Shift+Del as "cut"); for a key that a menu
// entry of the window uses, the menu wins. Every other key, so all editing
// keys of a text field (Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z, Ctrl+A, Del, the
// arrows), stays with the focused element.
class MenueTasten : public QObject
{
public:
    // Watches the whole application; `fenster` is the parent.
    explicit MenueTasten(QWidget &fenster);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_fenster;
};

} // namespace mirbelon
