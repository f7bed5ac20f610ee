#include "archive/Kopierlauf.h"
#include "source/Scan.h"
#include "source/Vorschau.h"
#include "source/VorschauLader.h"
#include "tests/archive/ArchivTest.h"

#include <QBuffer>
#include <QDirIterator>
#include <QImage>
#include <QSignalSpy>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon::test {

namespace {

// Files on the card made by their host names, byte for byte, as a camera or
// another system may have written them.
class EintragDateiTest : public ArchivTest
{
protected:
    QByteArray dcim() const { return QFile::encodeName(env.laufwerk(QLatin1Char('E'))) + "/DCIM"; }

    // A small JPEG of its own per photo, stamped 14.03.2024 09:05:<sekunde>.
    void foto(const QByteArray &name, int sekunde)
    {
        ::mkdir(dcim().constData(), 0777);
        const QByteArray pfad = dcim() + '/' + name;
        const QByteArray daten = jpeg(sekunde);
        const int fd = ::open(pfad.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        ASSERT_GE(fd, 0) << pfad.constData();
        ASSERT_EQ(::write(fd, daten.constData(), size_t(daten.size())), daten.size());
        ::close(fd);
        struct timespec zeiten[2];
        zeiten[0] = {zeit(14, 9, 5, sekunde).toSecsSinceEpoch(), 0};
        zeiten[1] = zeiten[0];
        ASSERT_EQ(::utimensat(AT_FDCWD, pfad.constData(), zeiten, 0), 0);
    }

    static QByteArray jpeg(int n)
    {
        QImage bild(n + 1, 3, QImage::Format_RGB32);
        bild.fill(qRgb(40 * n, 0, 0));
        QBuffer puffer;
        puffer.open(QIODevice::WriteOnly);
        bild.save(&puffer, "JPG");
        return puffer.data();
    }

    QList<QByteArray> aufKarte() const
    {
        QList<QByteArray> namen;
        if (DIR *d = ::opendir(dcim().constData())) {
            while (const dirent *e = ::readdir(d)) {
                if (e->d_name[0] != '.')
                    namen << QByteArray(e->d_name);
            }
            ::closedir(d);
        }
        std::sort(namen.begin(), namen.end());
        return namen;
    }

    // Archive file name -> content.
    QMap<QString, QByteArray> imArchiv() const
    {
        QMap<QString, QByteArray> dateien;
        QDirIterator it(env.host(QStringLiteral("C:\\Archiv")), {QStringLiteral("*.jpg")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly))
                dateien.insert(it.fileName(), f.readAll());
        }
        return dateien;
    }
};

TEST_F(EintragDateiTest, EveryEntryCopiesPreviewsDatesAndDeletesItsOwnFile)
{
    const QList<QByteArray> namen{"IMG_0001.JPG", "img_0001.jpg", "a\\b.jpg", "bild\xff\xfe.jpg"};
    for (int i = 0; i < namen.size(); ++i)
        foto(namen.at(i), i + 1);
    QuelleScannen(ctx(), liste, fenster);
    ASSERT_EQ(liste.anzahl(), 4);

    fenster.setVorschauAn(true);
    VorschauLader lader{3};
    for (int i = 0; i < liste.anzahl(); ++i) {
        liste.setAktuell(i);
        fenster.vorschauBild = QImage();
        ListeKlick(ctx(), liste, fenster, lader);
        if (lader.beschaeftigt()) {
            QSignalSpy leer(&lader, &VorschauLader::leer);
            ASSERT_TRUE(leer.wait(10000));
        }
        EXPECT_FALSE(fenster.vorschauBild.isNull()) << qPrintable(liste.pfad(i));
        // Each its own picture: the width tells the photo.
        const QByteArray host = liste.datei(i).host;
        const int n = static_cast<int>(namen.indexOf(host.mid(host.lastIndexOf('/') + 1))) + 1;
        EXPECT_EQ(fenster.vorschauBild.width(), n + 1) << qPrintable(liste.pfad(i));
        FotoOeffnen(ctx(), fenster, liste);
        EXPECT_EQ(env.processes.geoeffnet.last(),
                  QLatin1String("file://" + (dcim() + '/' + namen.at(n - 1)).toPercentEncoding("/")));
    }

    // Copy all, then "Nein": the marked photos, all four, leave the card.
    env.dialogs.antworte(Answer::No);
    mnuKopieren(ctx(), liste, fenster);
    QMap<QString, QByteArray> erwartet;
    for (int i = 1; i <= namen.size(); ++i)
        erwartet.insert(QStringLiteral("2024_0314-09050%1.jpg").arg(i), jpeg(i));
    EXPECT_EQ(imArchiv(), erwartet);
    EXPECT_EQ(aufKarte(), QList<QByteArray>{});
}

} // namespace

} // namespace mirbelon::test
