#pragma once

#include <QString>

namespace mirbelon {

enum class Beep { Exclamation, Question, Stop, Information };

// Sounds, the clipboard and the keyboard state.
class Desktop
{
public:
    virtual ~Desktop() = default;
    virtual void beep(Beep kind) = 0;
    virtual void playSound(const QString &file) = 0; // asynchronous; program path
    virtual void stopSound() = 0;
    virtual void clearClipboard() = 0;
    virtual void setClipboardText(const QString &text) = 0;
    virtual bool ctrlAndShiftDown() const = 0;
    virtual void processEvents() = 0; // let pending window events run
    // Paints what is pending; keys and clicks wait, so that a reaction of a
    // list view never runs inside the view's own key handling.
    virtual void redraw() = 0;
};

} // namespace mirbelon
