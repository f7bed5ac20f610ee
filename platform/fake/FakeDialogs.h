#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <functional>
#include <QQueue>
#include <QString>

namespace mirbelon {

// Dialogs answered from a script: tests queue the answers and read back what
// was shown. An unanswered message box gets its default button; an
// unanswered input box or file dialog is cancelled.
class FakeDialogs : public Dialogs
{
public:
    struct Gezeigt
    {
        QString art; // "message", "input", "file"
        QString text;
        QString titel;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        Answer vorgabe = Answer::Ok;
        QString preset;
    };

    void antworte(Answer answer) { m_antworten.enqueue(answer); }
    void antworteEingabe(std::optional<QString> text) { m_eingaben.enqueue(std::move(text)); }
    void antworteDatei(std::optional<QString> pfad) { m_dateien.enqueue(std::move(pfad)); }

    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons,
                   Answer defaultButton) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &preset) override;
    std::optional<QString> openFile(const QString &title, const QString &filterName,
                                    const QString &filter, const QString &startFolder) override;
    void pushBusy() override { ++m_busy; }
    void popBusy() override { --m_busy; }

    QList<Gezeigt> gezeigt;
    std::function<void()> beimZeigen; // called as a box shows
    int busy() const { return m_busy; }
    int unbeantwortet = 0;

private:
    QQueue<Answer> m_antworten;
    QQueue<std::optional<QString>> m_eingaben;
    QQueue<std::optional<QString>> m_dateien;
    int m_busy = 0;
};

} // namespace mirbelon
