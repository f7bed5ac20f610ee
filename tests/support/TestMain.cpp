#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

// Test programs are also run by test discovery, outside ctest's environment,
// so they choose the headless platform and the German locale themselves.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
