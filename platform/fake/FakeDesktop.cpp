#include "platform/fake/FakeDesktop.h"

#include <QCoreApplication>

namespace mirbelon {

void FakeDesktop::processEvents()
{
    QCoreApplication::processEvents();
}

void FakeDesktop::redraw()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace mirbelon
