#pragma once

#include <QDialog>

namespace mirbelon {

class Context;

// The about window: name, version and the switch for the debug log.
class Info : public QDialog
{
    Q_OBJECT

public:
    Info(Context &ctx, QWidget *parent = nullptr);

    // befDebug: switches the log on (fresh file with header) and opens it.
    void befDebug();

private:
    Context &m_ctx;
};

} // namespace mirbelon
