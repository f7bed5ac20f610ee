#pragma once

#include "platform/Dialogs.h"
#include "platform/ProfileFiles.h"

namespace mirbelon {

// Dialogs that put every ini write so far on disk before a box shows: what
// the program recorded (an error report, the counters of a batch) is kept
// when the user ends the program at the box.
class FlushingDialogs : public Dialogs
{
public:
    FlushingDialogs(Dialogs &dialogs, ProfileFiles &profiles)
        : m_dialogs(dialogs), m_profiles(profiles)
    {
    }

    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons,
                   Answer defaultButton) override
    {
        m_profiles.flush();
        return m_dialogs.message(text, title, icon, buttons, defaultButton);
    }
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &preset) override
    {
        m_profiles.flush();
        return m_dialogs.input(prompt, title, preset);
    }
    std::optional<QString> openFile(const QString &title, const QString &filterName,
                                    const QString &filter, const QString &startFolder) override
    {
        m_profiles.flush();
        return m_dialogs.openFile(title, filterName, filter, startFolder);
    }
    void pushBusy() override { m_dialogs.pushBusy(); }
    void popBusy() override { m_dialogs.popBusy(); }

private:
    Dialogs &m_dialogs;
    ProfileFiles &m_profiles;
};

} // namespace mirbelon
