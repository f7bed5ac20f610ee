#pragma once

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

class QWidget;

namespace mirbelon {

// QMessageBox, QInputDialog and QFileDialog with German texts.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(const FileSystem &files) : m_files(files) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons,
                   Answer defaultButton) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &preset) override;
    std::optional<QString> openFile(const QString &title, const QString &filterName,
                                    const QString &filter, const QString &startFolder) override;
    void pushBusy() override;
    void popBusy() override;

private:
    const FileSystem &m_files;
    QWidget *m_parent = nullptr;
};

} // namespace mirbelon
