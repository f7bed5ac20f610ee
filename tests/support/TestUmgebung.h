#pragma once

#include "frame/Context.h"
#include "platform/FlushingDialogs.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeSystem.h"
#include "platform/gphoto/KameraDateisystem.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/PosixSystem.h"

#include <QByteArray>
#include <QDateTime>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace mirbelon::test {

// The local zone of the test, for as long as it lives.
class Zeitzone
{
public:
    explicit Zeitzone(const char *tz);
    ~Zeitzone();
    Zeitzone(const Zeitzone &) = delete;
    Zeitzone &operator=(const Zeitzone &) = delete;

private:
    QByteArray m_alt;
    bool m_hatte;
};

// Real temporary drives through MIRBELON_DRIVES, the real POSIX file system
// and ini files, scripted dialogs and recorded processes. The folders of the
// context are set without the start-up resolution: program folder C:\Prg,
// family folder C:\Brenlo, temp folder C:\Tmp, data folder C:\Prg.
class TestUmgebung
{
public:
    // `laufwerke`: drive letters to create, e.g. "CE".
    // With `kameras`, the ports of cameras ("disk:<folder>") beside the drives.
    // `kameraFs` makes the file system with the cameras in place of a plain one.
    using KameraFs = std::function<std::unique_ptr<KameraDateisystem>(FileSystem &, const QStringList &)>;
    explicit TestUmgebung(const QString &laufwerke = QStringLiteral("CE"), const QStringList &kameras = {},
                          const KameraFs &kameraFs = {});
    // C: and the media mounted below `medien()` (a folder under the root),
    // lettered as the running program letters them.
    struct MitMedien {};
    explicit TestUmgebung(MitMedien);
    ~TestUmgebung();

    // Host folder of a drive letter.
    QString laufwerk(QChar buchstabe) const;
    // Host path of a program path, spelled as given (no case resolution).
    QString host(const QString &programmPfad) const;

    // Creates a file with its folders; an invalid `zeit` keeps the current time.
    void datei(const QString &programmPfad, const QByteArray &inhalt = "x",
               const QDateTime &zeit = {});
    QByteArray inhalt(const QString &programmPfad) const;
    void ordner(const QString &programmPfad);
    // Host folder below which media are mounted ("<root>/media/anna").
    QString medien() const;

    QTemporaryDir wurzel;
    std::unique_ptr<PosixFileSystem> files;
    std::unique_ptr<KameraDateisystem> kameras; // the context's files when there are cameras
    std::unique_ptr<PosixProfileFiles> profiles;
    std::unique_ptr<PosixSystem> echtesSystem;
    std::unique_ptr<FakeSystem> system;
    FakeDialogs dialogs;
    std::unique_ptr<FlushingDialogs> boxen; // the dialogs as the program sees them
    FakeDesktop desktop;
    FakeProcesses processes;
    std::unique_ptr<Context> ctx;

private:
    void einrichten(const QString &laufwerke);
    QByteArray m_alteLaufwerke;
    bool m_hatteLaufwerke = false;
};

} // namespace mirbelon::test
