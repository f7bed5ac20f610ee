#pragma once

#include "platform/System.h"

#include <QHash>
#include <optional>

namespace mirbelon {

// The real host facts, with the ones a test must pin overridable.
class FakeSystem : public System
{
public:
    explicit FakeSystem(System &echt) : m_echt(echt) {}

    qint64 availableMemory() const override { return speicher.value_or(m_echt.availableMemory()); }
    QString loginName() const override { return login.value_or(m_echt.loginName()); }
    QString env(const QString &name) const override;
    quint32 tickCount() const override { return tick.value_or(m_echt.tickCount()); }
    QDateTime now() const override { return jetzt.isValid() ? jetzt : m_echt.now(); }
    void sleepMs(int ms) override { m_echt.sleepMs(ms); }
    QString currentFolder() const override { return aktuellerOrdner.value_or(m_echt.currentFolder()); }
    QString executablePath() const override { return programmDatei.value_or(m_echt.executablePath()); }
    QString appDataFolder() const override { return appData.value_or(m_echt.appDataFolder()); }
    QString windowsFolder() const override { return windows.value_or(m_echt.windowsFolder()); }
    QString systemFolder() const override { return system.value_or(m_echt.systemFolder()); }
    QString picturesFolder() const override { return bilder.value_or(m_echt.picturesFolder()); }
    QString newGuid() const override { return m_echt.newGuid(); }

    std::optional<qint64> speicher;
    std::optional<QString> login;
    std::optional<quint32> tick;
    QDateTime jetzt;
    std::optional<QString> aktuellerOrdner;
    std::optional<QString> programmDatei;
    std::optional<QString> appData;
    std::optional<QString> windows;
    std::optional<QString> system;
    std::optional<QString> bilder;
    // Overrides by upper-cased name; an empty optional value unsets the variable.
    QHash<QString, std::optional<QString>> umgebung;

private:
    System &m_echt;
};

} // namespace mirbelon
