#pragma once

#include "platform/Ejector.h"

namespace mirbelon {

// UDisks2 over D-Bus: the system bus, or the bus at `busAddress` where one
// is given (a test's own bus).
class UDisksEjector : public Ejector
{
public:
    explicit UDisksEjector(QString busAddress = {});
    EjectResult eject(const QString &hostPath) override;

private:
    QString m_busAddress;
};

} // namespace mirbelon
