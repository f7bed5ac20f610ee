#pragma once

#include "platform/Processes.h"

#include <QList>
#include <QStringList>

namespace mirbelon {

// Records what would be started or opened. With `ausfuehren` set, command
// lines really run through /bin/sh and programs really run (and are waited for, so tests can look
// at what they did).
class FakeProcesses : public Processes
{
public:
    struct Gestartet
    {
        QString kommando;
        WindowStyle stil;
        QStringList argumente; // of startProgram; `kommando` is then the program
    };

    bool startDetached(const QString &commandLine, WindowStyle style) override;
    bool startProgram(const QString &program, const QStringList &arguments, WindowStyle style) override;
    int run(const QString &commandLine) override;
    bool openDocument(const QString &target, std::function<void()> failed = {}) override;
    bool sendKeys(const QString &keys) override;

    bool ausfuehren = false;
    QList<Gestartet> gestartet;
    QStringList ausgefuehrt; // by run()
    QStringList geoeffnet;
    bool oeffnenScheitert = false; // the opener starts, then reports failure
    QStringList tasten;
};

} // namespace mirbelon
