#include "platform/gui/QtDialogs.h"
#include "platform/posix/PosixFileSystem.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace mirbelon {
namespace {

// The pointer while the box is open, read once the box is up; the box is then closed.
Qt::CursorShape zeigerImKasten(const std::function<void()> &zeigen)
{
    Qt::CursorShape form = Qt::BlankCursor;
    QTimer warten;
    QObject::connect(&warten, &QTimer::timeout, [&] {
        QWidget *kasten = QApplication::activeModalWidget();
        if (!kasten)
            return;
        form = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
        kasten->close();
    });
    warten.start(10);
    zeigen();
    return form;
}

TEST(QtDialogs, ABoxDuringABusyRunShowsTheNormalPointer)
{
    PosixFileSystem files;
    QtDialogs dialogs(files);
    const std::function<void()> kaesten[] = {
        [&] { dialogs.message(QStringLiteral("Fehler"), QStringLiteral("Titel"), Icon::Critical, Buttons::Ok, Answer::Ok); },
        [&] { dialogs.input(QStringLiteral("Name?"), QStringLiteral("Titel"), {}); },
    };
    for (const auto &kasten : kaesten) {
        dialogs.pushBusy();
        EXPECT_EQ(zeigerImKasten(kasten), Qt::ArrowCursor);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor) << "the busy pointer comes back";
        dialogs.popBusy();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

} // namespace
} // namespace mirbelon
