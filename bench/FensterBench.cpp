// The copy run as the user meets it: the real main window, once in this
// process for the key latency, once as the program under Xvfb, timed from F5
// to the delete question.
#include "app/Main.h"
#include "bench/Karte.h"
#include "bench/Messung.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QListView>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace mirbelon::bench {

namespace {

constexpr int kFotos = 300;
constexpr int kRunden = 3;
// The delete question's title, without its umlaut: xdotool takes a pattern.
const QString kLoeschFrage = QStringLiteral("Fotos auf Quell-Laufwerk");

void Abbruch(const QString &was)
{
    std::fprintf(stderr, "%s\n", qPrintable(was));
    std::exit(1);
}

// A photo of about 4 MB: fine grain compresses as little as a camera's.
QByteArray VierMegabyteFoto()
{
    QImage bild(2000, 1700, QImage::Format_RGB32);
    QRandomGenerator zufall(7);
    for (int y = 0; y < bild.height(); ++y) {
        auto *zeile = reinterpret_cast<quint32 *>(bild.scanLine(y));
        for (int x = 0; x < bild.width(); ++x)
            zeile[x] = zufall.generate();
    }
    return AlsJpeg(bild);
}

// kFotos such photos in `ordner`, each of its own bytes and time.
qint64 Fotos(const QString &ordner)
{
    QDir().mkpath(ordner);
    const QByteArray bild = VierMegabyteFoto();
    const qint64 start = QDateTime::currentSecsSinceEpoch() - 86400 * 30;
    for (int n = 0; n < kFotos; ++n) {
        const QString pfad = ordner + QStringLiteral("/IMG_%1.JPG").arg(n, 4, 10, QLatin1Char('0'));
        Schreiben(pfad, bild + QByteArray::number(n));
        Altern(pfad, QDateTime::currentSecsSinceEpoch() - (start + 2 * n));
    }
    return qint64(kFotos) * bild.size();
}

QString Werkzeug(const QString &befehl, const QStringList &argumente, const QProcessEnvironment &env = {})
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(befehl, argumente);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// Notes each key press that reaches the list, and how long after it was sent.
class Tastenuhr : public QObject
{
public:
    std::atomic<qint64> gesendet{-1}; // ms on `uhr`, -1 while none is on its way
    QElapsedTimer uhr;
    double meisteMs = 0;
    int tasten = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress && gesendet.load() >= 0) {
            meisteMs = std::max(meisteMs, double(uhr.elapsed() - gesendet.load()));
            ++tasten;
            gesendet.store(-1);
        }
        return false;
    }
};

} // namespace

void KopierTastenBench()
{
    test::TestUmgebung u;
    const qint64 bytes = Fotos(u.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM/100CANON"));
    Main main(*u.ctx, [] {});
    main.laden();
    main.setVorschauAn(true);
    main.setQuelle(QStringLiteral("E:\\"));
    main.setZiel(QStringLiteral("C:\\Archiv"));
    main.show();
    if (main.liste().anzahl() != kFotos)
        Abbruch(QStringLiteral("copy_key_ms: %1 photos listed").arg(main.liste().anzahl()));
    main.liste().setMarken(std::vector<char>(kFotos, 1));
    u.dialogs.antworte(Answer::Cancel);
    Ruhe(u.laufwerk(QLatin1Char('C')));
    AllesLesen(u.laufwerk(QLatin1Char('E')));

    // A key every 20 ms from another thread, as the X server sends them:
    // each waits until the window has taken the one before.
    Tastenuhr tastenuhr;
    tastenuhr.uhr.start();
    main.listBilder()->installEventFilter(&tastenuhr);
    std::atomic<bool> ende{false};
    QListView *liste = main.listBilder();
    std::thread sender([&] {
        while (!ende.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (tastenuhr.gesendet.load() >= 0)
                continue;
            tastenuhr.gesendet.store(tastenuhr.uhr.elapsed());
            QCoreApplication::postEvent(liste, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
        }
    });
    const double sekunden = Sekunden([&] { main.aktion(QStringLiteral("mnuKopieren"))->trigger(); });
    ende.store(true);
    sender.join();
    main.listBilder()->removeEventFilter(&tastenuhr);
    Sync();

    Notiz(QStringLiteral("copy_key_ms: the main window (offscreen) copies %1 photos of %2 MiB in all "
                         "(%3 s), preview on; a key is sent every 20 ms once the last one arrived; %4 "
                         "keys; the longest a key waited")
              .arg(kFotos)
              .arg(bytes >> 20)
              .arg(sekunden, 0, 'f', 1)
              .arg(tastenuhr.tasten));
    Ausgabe(QStringLiteral("copy_key_ms max_ms=%1 goal<=100").arg(tastenuhr.meisteMs, 0, 'f', 1));
}

void EchtesFensterBench()
{
    const QString programm = QCoreApplication::applicationDirPath() + QStringLiteral("/../mirbelon");
    if (!QFile::exists(programm) || QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        Notiz(QStringLiteral("copy_real_window: needs %1, Xvfb and xdotool; skipped").arg(programm));
        return;
    }
    QTemporaryDir wurzel;
    const QString w = wurzel.path();
    const QString karte = w + QStringLiteral("/e/DCIM/100CANON");
    const qint64 bytes = Fotos(karte);
    Schreiben(w + QStringLiteral("/e/Foto.ini"), "[Infos]\r\nKamera=Bench\r\n");
    QDir().mkpath(w + QStringLiteral("/c/prog"));
    QDir().mkpath(w + QStringLiteral("/c/cfg"));
    if (!QFile::copy(programm, w + QStringLiteral("/c/prog/mirbelon")))
        Abbruch(QStringLiteral("cannot copy the program"));

    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                        QStringLiteral("0"), QStringLiteral("1400x900x24"), QStringLiteral("-nolisten"),
                                        QStringLiteral("tcp")});
    if (!xvfb.waitForReadyRead(20000))
        Abbruch(QStringLiteral("Xvfb did not start"));
    const QString anzeige = QLatin1Char(':') + QString::fromLatin1(xvfb.readLine()).trimmed();
    QProcessEnvironment x = QProcessEnvironment::systemEnvironment();
    x.insert(QStringLiteral("DISPLAY"), anzeige);
    const auto xdotool = [&x](const QStringList &argumente) { return Werkzeug(QStringLiteral("xdotool"), argumente, x); };

    double ours = 1e300, base = 1e300;
    for (int r = 0; r < kRunden; ++r) {
        const auto vorher = [&] {
            QDir(w + QStringLiteral("/c/out")).removeRecursively();
            QDir(w + QStringLiteral("/c/cp")).removeRecursively();
            Ruhe(w + QStringLiteral("/c"));
            AllesLesen(karte);
        };
        vorher();
        base = std::min(base, ShellSekunden(QStringLiteral("cp -r %1 %2 && sync").arg(Sh(karte), Sh(w + QStringLiteral("/c/cp")))));

        vorher();
        Schreiben(w + QStringLiteral("/c/prog/Mirbelon.ini"),
                  "[Quellen]\r\nxx=E:\\\r\n[Ziele]\r\nxx=C:\\out\r\n[Mirbelon]\r\nNr1={jjjj}_{mm}{tt}-{hh}{nn}{ss}\r\n"
                  "Preview=1\r\n");
        QProcessEnvironment env = x;
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("MIRBELON_DRIVES"), QStringLiteral("C=%1/c;E=%1/e").arg(w));
        env.insert(QStringLiteral("HOME"), w + QStringLiteral("/c"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), w + QStringLiteral("/c/cfg"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), w + QStringLiteral("/c/data"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
        QProcess mirbelon;
        mirbelon.setProcessEnvironment(env);
        mirbelon.setStandardOutputFile(QProcess::nullDevice());
        mirbelon.setStandardErrorFile(QProcess::nullDevice());
        mirbelon.start(w + QStringLiteral("/c/prog/mirbelon"), {});
        QString fenster;
        for (int k = 0; k < 100 && fenster.isEmpty(); ++k) {
            fenster = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                               QStringLiteral("^Mirbelon$")})
                          .section(QLatin1Char('\n'), -1);
            if (fenster.isEmpty())
                QThread::msleep(200);
        }
        if (fenster.isEmpty())
            Abbruch(QStringLiteral("copy_real_window: no main window"));
        QThread::sleep(3); // the start-up's scan and preview are done
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), fenster});
        QElapsedTimer uhr;
        uhr.start();
        xdotool({QStringLiteral("key"), QStringLiteral("F5")});
        bool frage = false;
        while (!frage && uhr.elapsed() < 120000) {
            frage = !xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), kLoeschFrage}).isEmpty();
            if (!frage)
                QThread::msleep(10);
        }
        const double sekunden = uhr.elapsed() / 1000.0;
        const int kopiert = int(QDir(w + QStringLiteral("/c/out")).entryList({QStringLiteral("*.jpg")}, QDir::Files).size());
        xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        mirbelon.terminate();
        if (!mirbelon.waitForFinished(5000))
            mirbelon.kill();
        mirbelon.waitForFinished(5000);
        if (!frage || kopiert != kFotos)
            Abbruch(QStringLiteral("copy_real_window: %1 photos copied, delete question %2").arg(kopiert).arg(frage ? "seen" : "not seen"));
        ours = std::min(ours, sekunden);
    }
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    Notiz(QStringLiteral("copy_real_window: the program under Xvfb, %1 photos of %2 MiB in all, preview on, "
                         "F5 until the delete question shows (polled every 10 ms), into a new folder on "
                         "the same disk; base: cp -r and sync; best of %3, each after a read of every photo")
              .arg(kFotos)
              .arg(bytes >> 20)
              .arg(kRunden));
    Ausgabe(Zeile(QStringLiteral("copy_real_window"), ours, base, QStringLiteral("goal<=1.3")));
}

} // namespace mirbelon::bench
