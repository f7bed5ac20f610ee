#pragma once

#include "platform/Desktop.h"
#include "platform/FileSystem.h"

#include <memory>

class QProcess;

namespace mirbelon {

class QtDesktop : public Desktop
{
public:
    explicit QtDesktop(const FileSystem &files);
    ~QtDesktop() override;

    void beep(Beep kind) override;
    void playSound(const QString &file) override;
    void stopSound() override;
    void clearClipboard() override;
    void setClipboardText(const QString &text) override;
    bool ctrlAndShiftDown() const override;
    void processEvents() override;
    void redraw() override;

private:
    const FileSystem &m_files;
    std::unique_ptr<QProcess> m_player; // the sound playing now, so it can be stopped
};

} // namespace mirbelon
