#pragma once

#include <QDialog>

namespace mirbelon {

class Context;
class Fenster;

// The about window: name, version and the switch for the debug log.
class Info : public QDialog
{
    Q_OBJECT

public:
    Info(Context &ctx, Fenster &fenster, QWidget *parent = nullptr);

    // befDebug: switches the log on (fresh file with header) and opens it.
    void befDebug();

private:
    Context &m_ctx;
    Fenster &m_fenster; // where a failed opening of the log is reported
};

} // namespace mirbelon
