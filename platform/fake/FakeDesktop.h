#pragma once

#include "platform/Desktop.h"

#include <QList>
#include <QStringList>

namespace mirbelon {

// Records sounds and clipboard text; events are really processed.
class FakeDesktop : public Desktop
{
public:
    void beep(Beep kind) override { beeps.append(kind); }
    void playSound(const QString &file) override { sounds.append(file); }
    void stopSound() override { ++stops; }
    void clearClipboard() override { clipboard.clear(); }
    void setClipboardText(const QString &text) override { clipboard = text; }
    bool ctrlAndShiftDown() const override { return ctrlShift; }
    void processEvents() override;
    void redraw() override;

    QList<Beep> beeps;
    QStringList sounds;
    int stops = 0;
    QString clipboard;
    bool ctrlShift = false;
};

} // namespace mirbelon
