#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace mirbelon {

class Context;
class Fenster;

// A command line that a second start handed over, taken as if its source had
// been typed into txtQ. While the window is not loaded yet, a scan or a copy
// or delete run is going on, the newest one waits and is taken afterwards.
class QuellUebernahme : public QObject
{
    Q_OBJECT

public:
    // `neuEinlesen`: the Refresh reaction, for a source that is already the
    // current one (the card in it may be another one now); `nachVorne`
    // brings the window to the front.
    QuellUebernahme(Context &ctx, Fenster &fenster, std::function<void()> neuEinlesen,
                    std::function<void()> nachVorne);

    void uebernehmen(const QString &arbeitsordner, const QStringList &argumente);

private:
    void versuchen();

    Context &m_ctx;
    Fenster &m_fenster;
    std::function<void()> m_neuEinlesen;
    std::function<void()> m_nachVorne;
    QString m_wartend; // the command line still to be taken
    bool m_hatWartende = false;
    QTimer m_warten;
};

} // namespace mirbelon
