#include "archive/Kopierlauf.h"
#include "archive/Loeschen.h"
#include "bench/Karte.h"
#include "bench/Messung.h"
#include "frame/IniStore.h"
#include "tests/support/Einhaengung.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon::bench {

namespace {

constexpr int kKameraFotos = 100;
constexpr int kBilder = 8; // distinct pictures; the files differ in a comment
constexpr int kLoeschFotos = 300;
constexpr qint64 kLoeschBytes = 3 << 20;
constexpr qint64 kGrosseDatei = 3LL << 30;
constexpr int kRunden = 3;
const QString kLoeschFrage = QStringLiteral("Fotos auf Quell-Laufwerk löschen");

// The photos in a folder, not the run's receipt.
int Dateien(const QString &hostOrdner)
{
    const QStringList namen = QDir(hostOrdner).entryList(QDir::Files);
    return int(namen.size() - namen.filter(QStringLiteral(".xxh128")).size());
}

void Scheitern(const QString &was)
{
    std::fprintf(stderr, "%s\n", qPrintable(was));
    std::exit(1);
}

// A picture of camera size that compresses like a photo: shapes and grain.
QByteArray KameraBild(int nummer)
{
    QImage bild(6000, 4000, QImage::Format_RGB32);
    QRandomGenerator zufall(quint32(nummer + 1));
    {
        QPainter maler(&bild);
        QLinearGradient verlauf(0, 0, 6000, 4000);
        verlauf.setColorAt(0, QColor::fromHsv(nummer * 40 % 360, 120, 220));
        verlauf.setColorAt(1, QColor::fromHsv((nummer * 40 + 150) % 360, 200, 60));
        maler.fillRect(bild.rect(), verlauf);
        for (int k = 0; k < 400; ++k) {
            maler.setBrush(QColor::fromRgb(zufall.generate()));
            maler.setPen(Qt::NoPen);
            maler.drawEllipse(QPoint(zufall.bounded(6000), zufall.bounded(4000)),
                              zufall.bounded(20, 600), zufall.bounded(20, 600));
        }
    }
    for (int y = 0; y < bild.height(); ++y) {
        auto *zeile = reinterpret_cast<quint32 *>(bild.scanLine(y));
        for (int x = 0; x < bild.width(); ++x)
            zeile[x] ^= zufall.generate() & 0x0f0f0f;
    }
    return AlsJpeg(bild);
}

// Camera-size JPEGs, made once and kept in the user's cache folder: making
// them takes longer than every benchmark together.
QString KameraFotos()
{
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME", QDir::homePath() + QStringLiteral("/.cache"));
    const QString ordner = cache + QStringLiteral("/mirbelon-bench/jpeg-6000x4000-%1").arg(kKameraFotos);
    if (Dateien(ordner) == kKameraFotos)
        return ordner;
    Notiz(QStringLiteral("making %1 JPEGs of 6000x4000 once, in %2").arg(kKameraFotos).arg(ordner));
    QDir(ordner).removeRecursively();
    QDir().mkpath(ordner);
    std::vector<QByteArray> bilder;
    for (int b = 0; b < kBilder; ++b)
        bilder.push_back(KameraBild(b));
    for (int n = 0; n < kKameraFotos; ++n) {
        // A comment segment right after the start marker: another file, the same picture.
        const QByteArray &bild = bilder[size_t(n % kBilder)];
        const QByteArray text = QStringLiteral("Foto %1").arg(n).toLatin1();
        QByteArray com("\xff\xfe", 2);
        com.append(char((text.size() + 2) >> 8)).append(char((text.size() + 2) & 0xff)).append(text);
        Schreiben(ordner + QStringLiteral("/IMG_%1.JPG").arg(n, 4, 10, QLatin1Char('0')),
                  bild.left(2) + com + bild.mid(2));
    }
    return ordner;
}

// The cached photos on the card, two seconds apart, each of its own name.
void KameraKarte(Aufbau &a, const QString &fotos)
{
    const QString ziel = a.env.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM/100CANON");
    QDir().mkpath(ziel);
    const qint64 start = QDateTime::currentSecsSinceEpoch() - 86400 * 30;
    const QStringList namen = QDir(fotos).entryList(QDir::Files, QDir::Name);
    for (int n = 0; n < namen.size(); ++n) {
        const QByteArray von = QFile::encodeName(fotos + QLatin1Char('/') + namen.at(n));
        const QByteArray nach = QFile::encodeName(ziel + QLatin1Char('/') + namen.at(n));
        if (::link(von.constData(), nach.constData()) != 0 && !QFile::copy(von, nach))
            Scheitern(QStringLiteral("cannot put %1 on the card").arg(namen.at(n)));
        struct timespec zeiten[2] = {{start + 2 * n, 0}, {start + 2 * n, 0}};
        ::utimensat(AT_FDCWD, nach.constData(), zeiten, 0);
    }
}

// One copy run as the window runs it, the delete question answered Cancel.
void Kopierlauf(Aufbau &a, const QString &ziel, int erwartet)
{
    a.fenster.zielOhneReaktion(ziel);
    const qsizetype gezeigt = a.env.dialogs.gezeigt.size();
    a.env.dialogs.antworte(Answer::Cancel);
    mnuKopieren(a.ctx(), a.liste, a.fenster);
    if (Dateien(a.env.host(ziel)) != erwartet || a.env.dialogs.gezeigt.size() != gezeigt + 1
        || a.env.dialogs.gezeigt.last().titel != kLoeschFrage)
        Scheitern(QStringLiteral("copy run: %1 files, %2 dialogs")
                      .arg(Dateien(a.env.host(ziel)))
                      .arg(a.env.dialogs.gezeigt.size() - gezeigt));
}

} // namespace

void KopierFensterBench()
{
    const QString fotos = KameraFotos();
    Aufbau a;
    a.einstellungen();
    KameraKarte(a, fotos);
    a.scannen(kKameraFotos);
    a.liste.setMarken(std::vector<char>(kKameraFotos, 1));
    a.fenster.setVorschauAn(true);

    const QString quelle = a.env.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM/100CANON");
    const QString c = a.env.laufwerk(QLatin1Char('C'));
    QStringList alteZiele;
    // The same start for both: earlier copies gone and on disk, every photo read once.
    const auto vorher = [&] {
        for (const QString &ziel : std::as_const(alteZiele))
            QDir(ziel).removeRecursively();
        alteZiele.clear();
        Ruhe(c);
        AllesLesen(quelle);
    };

    double ours = 1e300, base = 1e300, ohneVorschau = 1e300, zwei = 1e300;
    for (int r = 0; r < kRunden; ++r) {
        vorher();
        const QString kopie = c + QStringLiteral("/Kopie%1").arg(r);
        alteZiele << kopie;
        base = std::min(base, ShellSekunden(QStringLiteral("cp -r %1 %2 && sync").arg(Sh(quelle), Sh(kopie))));
        if (Dateien(kopie) != kKameraFotos)
            Scheitern(QStringLiteral("cp copied %1 files").arg(Dateien(kopie)));

        vorher();
        const QString ziel = QStringLiteral("C:\\Archiv\\Lauf%1").arg(r);
        alteZiele << a.env.host(ziel);
        ours = std::min(ours, Sekunden([&] {
                            Kopierlauf(a, ziel, kKameraFotos);
                            Sync();
                        }));

        // The same without the preview: what the copying alone costs.
        vorher();
        const QString ohne = QStringLiteral("C:\\Archiv\\OhneVorschau%1").arg(r);
        alteZiele << a.env.host(ohne);
        a.fenster.setVorschauAn(false);
        ohneVorschau = std::min(ohneVorschau, Sekunden([&] {
                                    Kopierlauf(a, ohne, kKameraFotos);
                                    Sync();
                                }));
        a.fenster.setVorschauAn(true);

        // Each photo read once and written twice, both on the same disk.
        vorher();
        const QString erstes = QStringLiteral("C:\\Archiv\\Erstes%1").arg(r);
        const QString zweites = QStringLiteral("C:\\Archiv\\Zweites%1").arg(r);
        alteZiele << a.env.host(erstes) << a.env.host(zweites);
        IniSchreiben(a.ctx(), a.ctx().einstellungsDatei, QStringLiteral("Mirbelon"),
                     QStringLiteral("ZweitesZiel"), zweites);
        zwei = std::min(zwei, Sekunden([&] {
                            Kopierlauf(a, erstes, kKameraFotos);
                            Sync();
                        }));
        IniSchreiben(a.ctx(), a.ctx().einstellungsDatei, QStringLiteral("Mirbelon"),
                     QStringLiteral("ZweitesZiel"), QString());
        if (Dateien(a.env.host(zweites)) != kKameraFotos)
            Scheitern(QStringLiteral("second destination: %1 files").arg(Dateien(a.env.host(zweites))));
    }
    vorher();
    qint64 summe = 0;
    for (const QFileInfo &f : QDir(fotos).entryInfoList(QDir::Files))
        summe += f.size();
    Notiz(QStringLiteral("copy_window: %1 JPEGs of 6000x4000 (%2 MiB in all), preview on, copy run "
                         "into a new folder on the same disk, delete question answered Cancel, then "
                         "sync; base: cp -r and sync; best of %3, each on an idle disk after a read of every "
                         "photo")
              .arg(kKameraFotos)
              .arg(summe >> 20)
              .arg(kRunden));
    Ausgabe(Zeile(QStringLiteral("copy_window"), ours, base,
                  QStringLiteral("preview_off_ratio=%1 goal<=1.3").arg(ohneVorschau / base, 0, 'f', 2)));
    Notiz(QStringLiteral("copy_window_second_target: the same with a second destination on the same "
                         "disk (one read, two writes); base: cp -r and sync of one copy"));
    Ausgabe(Zeile(QStringLiteral("copy_window_second_target"), zwei, base, QStringLiteral("goal<=2.3")));
}

void KopierLueckeBench()
{
    Aufbau a;
    a.einstellungen();
    const QString ordner = a.env.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM/100CANON");
    QDir().mkpath(ordner);
    // Sparse: made at once, read at memory speed; the copy is written in full.
    const QString video = ordner + QStringLiteral("/MVI_0001.MOV");
    Schreiben(video, QByteArray());
    if (::truncate(QFile::encodeName(video).constData(), kGrosseDatei) != 0)
        Scheitern(QStringLiteral("cannot make the large file"));
    a.scannen(1);
    a.liste.setMarken({1});

    LueckenMesser luecken;
    luecken.start();
    const double sekunden = Sekunden([&] { Kopierlauf(a, QStringLiteral("C:\\Archiv\\Video"), 1); });
    luecken.stop();
    QDir(a.env.host(QStringLiteral("C:\\Archiv"))).removeRecursively();
    QFile::remove(video);
    Sync();

    Notiz(QStringLiteral("copy_gap: one sparse file of %1 GiB copied by the copy run (%2 s); "
                         "longest stretch without a pass of the event loop")
              .arg(kGrosseDatei >> 30)
              .arg(sekunden, 0, 'f', 1));
    Ausgabe(QStringLiteral("copy_gap max_gap_ms=%1 goal<=100").arg(luecken.maxMs(), 0, 'f', 1));
}

void LoeschBench()
{
    Aufbau a;
    // A card is a device of its own: its reads and deletions do not queue
    // behind the disk's writes. Only root can mount one; else the card shares
    // the disk, and the figure says so.
    test::Einhaengung karte;
    const bool eigeneKarte = karte.tmpfs(a.env.laufwerk(QLatin1Char('E')), QStringLiteral("2g"));
    a.neueSitzung();
    a.einstellungen();
    const QString quelle = a.env.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM/100CANON");
    const QString c = a.env.laufwerk(QLatin1Char('C'));

    double ours = 1e300, base = 1e300;
    for (int r = 0; r < kRunden; ++r) {
        QDir(a.env.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM")).removeRecursively();
        a.karte(1, kLoeschFotos, kLoeschBytes);
        a.scannen(kLoeschFotos);
        a.liste.setMarken(std::vector<char>(kLoeschFotos, 1));

        const QString kopie = c + QStringLiteral("/Kopie%1").arg(r);
        Ruhe(c);
        AllesLesen(quelle);
        base = std::min(base, ShellSekunden(QStringLiteral("cp -r %1 %2 && sync").arg(Sh(quelle), Sh(kopie))));
        QDir(kopie).removeRecursively();

        Kopierlauf(a, QStringLiteral("C:\\Archiv\\Lauf%1").arg(r), kLoeschFotos);
        Ruhe(c);
        AllesLesen(quelle);
        a.env.dialogs.antworte(Answer::Yes);
        ours = std::min(ours, Sekunden([&] { mnuLoeschenAlle(a.ctx(), a.liste, a.fenster); }));
        if (a.liste.anzahl() != 0 || Dateien(a.env.host(a.ctx().ordner.tmp)) < kLoeschFotos)
            Scheitern(QStringLiteral("deletion left %1 photos").arg(a.liste.anzahl()));
        QDir(a.env.host(QStringLiteral("C:\\Archiv"))).removeRecursively();
        QDir(a.env.host(a.ctx().ordner.tmp)).removeRecursively();
        QDir().mkpath(a.env.host(a.ctx().ordner.tmp));
    }
    Sync();
    Notiz(QStringLiteral("delete_verified: %1 copied photos of %2 MiB deleted with \"Ja\": safety "
                         "copy, flush, page cache dropped, safety and archive copy read back; "
                         "base: cp -r of the same photos and sync; best of %3; card %4")
              .arg(kLoeschFotos)
              .arg(kLoeschBytes >> 20)
              .arg(kRunden)
              .arg(eigeneKarte ? QStringLiteral("on a tmpfs of its own")
                               : QStringLiteral("on the same disk (no mount without root)")));
    Ausgabe(Zeile(QStringLiteral("delete_verified"), ours, base, QStringLiteral("goal<=2")));
}

} // namespace mirbelon::bench
