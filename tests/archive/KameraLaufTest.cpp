#include "archive/Kopierlauf.h"
#include "archive/Loeschen.h"
#include "source/FotoListe.h"
#include "tests/support/TestFenster.h"
#include "tests/support/TestUmgebung.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <mutex>

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

Ergebnis Lauf(bool kamera, const TestUmgebung::KameraFs &kameraFs = {})
{
    QTemporaryDir kameraOrdner;
    const QStringList ports{QStringLiteral("disk:") + kameraOrdner.path()};
    TestUmgebung env(kamera ? QStringLiteral("C") : QStringLiteral("CE"), kamera ? ports : QStringList(), kameraFs);
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

// Notes the calls that go over a camera's cable made on the window's thread.
class Fadenwache : public KameraDateisystem
{
public:
    Fadenwache(FileSystem &basis, const QStringList &ports, QStringList &imFenster)
        : KameraDateisystem(basis, ports), m_imFenster(imFenster)
    {
    }
    std::optional<QList<DirEntry>> list(const FileRef &f) const override
    {
        merken("list", f);
        return KameraDateisystem::list(f);
    }
    std::optional<FileStamp> hostStamp(const QByteArray &host) const override
    {
        merken("hostStamp", FileRef({}, host));
        return KameraDateisystem::hostStamp(host);
    }
    Fehler removeListed(const FileRef &f, const FileStamp &s) override
    {
        merken("removeListed", f);
        return KameraDateisystem::removeListed(f, s);
    }
    bool mediumGone(const FileRef &f, quint64 geraet) const override
    {
        merken("mediumGone", f);
        return KameraDateisystem::mediumGone(f, geraet);
    }
    CopyResult copyBytes(const CopyOrder &auftrag, ByteProgress *fortschritt) const override
    {
        merken("copyBytes", FileRef({}, auftrag.from));
        return KameraDateisystem::copyBytes(auftrag, fortschritt);
    }
private:
    void merken(const char *was, const FileRef &f) const
    {
        const bool kamera = f.host.startsWith("gphoto2:") || f.path.startsWith(QStringLiteral("D:"), Qt::CaseInsensitive);
        if (kamera && QThread::currentThread() == QCoreApplication::instance()->thread()) {
            std::lock_guard lock(m_mutex);
            m_imFenster << QString::fromLatin1(was);
        }
    }
    mutable std::mutex m_mutex;
    QStringList &m_imFenster; // outlives the run's file system
};

TEST(KameraLauf, TheWindowsThreadNeverWaitsOnTheCable)
{
    QStringList imFenster;
    bool bewacht = false;
    const Ergebnis kamera = Lauf(true, [&](FileSystem &basis, const QStringList &ports) {
        bewacht = true;
        return std::make_unique<Fadenwache>(basis, ports, imFenster);
    });
    ASSERT_TRUE(bewacht);
    EXPECT_TRUE(kamera.uebrig.isEmpty()); // the run went through, with the rescan at its end
    EXPECT_EQ(imFenster.join(' ').toStdString(), "");
}

} // namespace
} // namespace mirbelon::test
