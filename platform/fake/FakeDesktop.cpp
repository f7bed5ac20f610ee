#include "platform/fake/FakeDesktop.h"

#include <QCoreApplication>

namespace mirbelon {

void FakeDesktop::processEvents()
{
    QCoreApplication::processEvents();
}

} // namespace mirbelon
