#pragma once

#include <QString>

#include <optional>

namespace mirbelon {

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNoCancel, YesNo };
// Values as Windows message boxes return them.
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// Every message box, input box and file dialog, and the mouse pointer.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons,
                           Answer defaultButton) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> input(const QString &prompt, const QString &title,
                                         const QString &preset) = 0;
    // An existing file chosen by the user, as a program path; nullopt when cancelled.
    virtual std::optional<QString> openFile(const QString &title, const QString &filterName,
                                            const QString &filter, const QString &startFolder) = 0;
    // Busy pointer, nested: every push is matched by a pop.
    virtual void pushBusy() = 0;
    virtual void popBusy() = 0;
};

// Shows the busy pointer for the lifetime of the object.
class BusyPointer
{
public:
    explicit BusyPointer(Dialogs &dialogs) : m_dialogs(dialogs) { m_dialogs.pushBusy(); }
    ~BusyPointer() { m_dialogs.popBusy(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    Dialogs &m_dialogs;
};

} // namespace mirbelon
