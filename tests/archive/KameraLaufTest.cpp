#include "archive/Kopierlauf.h"
#include "archive/Loeschen.h"
#include "source/FotoListe.h"
#include "tests/support/TestFenster.h"
#include "tests/support/TestUmgebung.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mirbelon::test {
namespace {

struct Ergebnis
{
    QStringList dialoge;
    QMap<QString, QByteArray> archiv; // name below C:\Archiv -> bytes
    QStringList uebrig;               // files left on the source
};

// Copies three photos, two marked, then deletes all, with the photos on a
// folder card or on a camera through libgphoto2's directory driver.
void Fotos(const QString &ordner)
{
    QDir().mkpath(ordner + QStringLiteral("/DCIM/100CANON"));
    for (int n = 1; n <= 3; ++n) {
        QFile f(ordner + QStringLiteral("/DCIM/100CANON/IMG_000%1.JPG").arg(n));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("JPEG") + QByteArray(2000 * n, char('0' + n)));
        f.flush();
        f.setFileTime(QDateTime(QDate(2024, 3, 14), QTime(9, n, 0)), QFileDevice::FileModificationTime);
    }
}

Ergebnis Lauf(bool kamera)
{
    QTemporaryDir kameraOrdner;
    const QStringList ports{QStringLiteral("disk:") + kameraOrdner.path()};
    TestUmgebung env(kamera ? QStringLiteral("C") : QStringLiteral("CE"), kamera ? ports : QStringList());
    const QString quelle = kamera ? kameraOrdner.path() : env.laufwerk('E');
    Fotos(quelle);
    const QString wurzel = kamera ? QStringLiteral("D:\\") : QStringLiteral("E:\\");
    TestFenster fenster;
    FotoListe liste;
    fenster.quelleOhneReaktion(wurzel);
    fenster.zielOhneReaktion(QStringLiteral("C:\\Archiv"));
    fenster.kameraOhneReaktion(QStringLiteral("Canon"));
    env.system->jetzt = QDateTime(QDate(2026, 5, 4), QTime(10, 11, 12));
    QStringList pfade;
    for (int n = 1; n <= 3; ++n)
        pfade << wurzel + QStringLiteral("DCIM\\100CANON\\IMG_000%1.JPG").arg(n);
    liste.setPfade(pfade);
    liste.setMarken({1, 0, 1});

    env.dialogs.antworte(Answer::Cancel);
    mnuKopieren(*env.ctx, liste, fenster);
    env.dialogs.antworte(Answer::Yes);
    mnuLoeschenAlle(*env.ctx, liste, fenster);

    Ergebnis e;
    for (const auto &g : env.dialogs.gezeigt)
        e.dialoge << g.titel + QLatin1Char('|') + QString(g.text).replace(wurzel, QStringLiteral("Q:\\"));
    QDir archiv(env.laufwerk('C') + QStringLiteral("/Archiv"));
    for (const QString &name : archiv.entryList(QDir::Files, QDir::Name)) {
        QFile f(archiv.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        e.archiv.insert(name, f.readAll());
    }
    e.uebrig = QDir(quelle + QStringLiteral("/DCIM/100CANON")).entryList(QDir::Files);
    return e;
}

TEST(KameraLauf, CopiesAndDeletesAsTheSamePhotosOnAFolderCard)
{
    const Ergebnis karte = Lauf(false);
    const Ergebnis kamera = Lauf(true);
    EXPECT_EQ(karte.archiv.size(), 3); // two photos and the run's receipt
    EXPECT_EQ(kamera.archiv, karte.archiv);
    EXPECT_EQ(kamera.dialoge.join('\n').toStdString(), karte.dialoge.join('\n').toStdString());
    EXPECT_TRUE(karte.uebrig.isEmpty());
    EXPECT_EQ(kamera.uebrig, karte.uebrig);
}

} // namespace
} // namespace mirbelon::test
