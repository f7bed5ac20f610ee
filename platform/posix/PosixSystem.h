#pragma once

#include "platform/FileSystem.h"
#include "platform/System.h"

namespace mirbelon {

class PosixSystem : public System
{
public:
    explicit PosixSystem(const FileSystem &files) : m_files(files) {}

    qint64 availableMemory() const override;
    QString loginName() const override;
    QString env(const QString &name) const override;
    quint32 tickCount() const override;
    QDateTime now() const override;
    void sleepMs(int ms) override;
    QString currentFolder() const override;
    QString executablePath() const override;
    QString appDataFolder() const override;
    QString windowsFolder() const override;
    QString systemFolder() const override;
    QString picturesFolder() const override;
    QString newGuid() const override;

private:
    const FileSystem &m_files;
};

} // namespace mirbelon
