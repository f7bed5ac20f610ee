#pragma once

#include "platform/Desktop.h"
#include "platform/FileSystem.h"

namespace mirbelon {

class QtDesktop : public Desktop
{
public:
    explicit QtDesktop(const FileSystem &files) : m_files(files) {}

    void beep(Beep kind) override;
    void playSound(const QString &file) override;
    void stopSound() override;
    void clearClipboard() override;
    void setClipboardText(const QString &text) override;
    bool ctrlAndShiftDown() const override;
    void processEvents() override;

private:
    const FileSystem &m_files;
};

} // namespace mirbelon
