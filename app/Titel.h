#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace mirbelon {

class Context;
class Main;

// The title window shown while the program loads. Its loading is the first
// use of the ini store, which resolves the program folders. While it shows,
// Ctrl and Shift held down together switch the debug log on.
class Titel : public QWidget
{
    Q_OBJECT

public:
    explicit Titel(Context &ctx, QWidget *parent = nullptr);

    QString hinweis() const;

signals:
    // The title time is over: the main window is due.
    void fertig();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void tastenPruefen();
    void debugAn();

    Context &m_ctx;
    QLabel *m_hinweis = nullptr;
    QTimer *m_zeit = nullptr;
    QTimer *m_tasten = nullptr;
    bool m_debug = false;
};

// The hand-over from the title to the main window: when the title time is
// over the main window loads (its first scan runs under the title), shows,
// and the title goes a little later.
void TitelAnschliessen(Titel &titel, Main &fenster);

} // namespace mirbelon
