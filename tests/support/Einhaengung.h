#pragma once

#include <QString>
#include <QStringList>

namespace mirbelon::test {

// Mounts made by a test, undone when the object goes (or by loesen()). Only
// root may mount, and a container may refuse it even then: every call says
// whether it worked, so a test can skip.
class Einhaengung
{
public:
    Einhaengung() = default;
    Einhaengung(const Einhaengung &) = delete;
    Einhaengung &operator=(const Einhaengung &) = delete;
    ~Einhaengung() { loesen(); }

    // A fresh tmpfs of `groesse` ("2m") over the host folder.
    bool tmpfs(const QString &ordner, const QString &groesse);
    // The host folder mounted over itself without write access.
    bool nurLesen(const QString &ordner);
    void loesen();

private:
    QStringList m_ordner;
};

} // namespace mirbelon::test
