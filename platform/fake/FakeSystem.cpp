#include "platform/fake/FakeSystem.h"

namespace mirbelon {

QString FakeSystem::env(const QString &name) const
{
    const auto it = umgebung.constFind(name.toUpper());
    if (it != umgebung.constEnd())
        return it->value_or(QString());
    return m_echt.env(name);
}

} // namespace mirbelon
