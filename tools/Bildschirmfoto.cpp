// Saves a picture of an X window, for the window test's artefacts:
//   bildschirmfoto WINDOW_ID FILE.png
// WINDOW_ID as xdotool prints it; 0 takes the whole screen.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char **argv)
{
    // Another program's window can only be read through the X server itself.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const QStringList argumente = QCoreApplication::arguments().mid(1);
    bool zahl = false;
    const WId fenster = argumente.value(0).toULongLong(&zahl);
    if (argumente.size() != 2 || !zahl) {
        std::fprintf(stderr, "Aufruf: bildschirmfoto FENSTER-ID DATEI.png\n");
        return 2;
    }
    QScreen *schirm = QGuiApplication::primaryScreen();
    const QPixmap bild = schirm ? schirm->grabWindow(fenster) : QPixmap();
    if (bild.isNull() || !bild.save(argumente.at(1), "PNG")) {
        std::fprintf(stderr, "%s: nicht gespeichert\n", qPrintable(argumente.at(1)));
        return 1;
    }
    return 0;
}
