#pragma once

#include "frame/Context.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/PosixSystem.h"

#include <QTemporaryDir>

#include <memory>

namespace mirbelon::fuzz {

// One context for a whole fuzz run: drives C: and E: in a temporary folder,
// the real POSIX file system, dialogs that take their default answer and
// processes that are only recorded. Folders as the test environment sets them.
class FuzzKontext
{
public:
    static FuzzKontext &instanz();

    Context &ctx() { return *m_ctx; }
    // Forgets what the last input showed or started, so memory stays flat.
    void vergessen();

private:
    FuzzKontext();

    QTemporaryDir m_wurzel;
    std::unique_ptr<PosixFileSystem> m_files;
    std::unique_ptr<PosixProfileFiles> m_profiles;
    std::unique_ptr<PosixSystem> m_system;
    FakeDialogs m_dialogs;
    FakeDesktop m_desktop;
    FakeProcesses m_processes;
    std::unique_ptr<Context> m_ctx;
};

} // namespace mirbelon::fuzz
