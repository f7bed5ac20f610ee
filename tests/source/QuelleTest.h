#pragma once

#include "frame/IniStore.h"
#include "source/FotoListe.h"
#include "source/Scan.h"
#include "source/Vorschau.h"
#include "tests/support/TestFenster.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QObject>
#include <QSignalSpy>

#include <ostream>
#include <vector>

// Readable dates in failure messages.
inline void PrintTo(const QDateTime &wert, std::ostream *os)
{
    *os << wert.toString(Qt::ISODate).toStdString();
}

namespace mirbelon::test {

// A card on E:, the program folders on C:, a window without widgets wired
// as the main window wires it: txtQ scans, CheckPreview switches the
// preview, every change of the list runs its click reaction.
class QuelleTest : public ::testing::Test
{
protected:
    QuelleTest()
    {
        fenster.beiQuelle = [this] {
            gescannt << fenster.quelle();
            QuelleScannen(ctx(), liste, fenster);
        };
        fenster.beiVorschau = [this] { VorschauSchalter(liste, fenster); };
        QObject::connect(
            &liste, &FotoListe::geklickt, [this] { ListeKlick(ctx(), liste, fenster, lader); });
    }

    Context &ctx() { return *env.ctx; }

    // The card of the usual example: a photo, a raw file, a film and a file without a dot.
    void beispielKarte()
    {
        env.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0001.JPG"));
        env.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0002.CR2"));
        env.datei(QStringLiteral("E:\\DCIM\\100CANON\\MVI_0003.AVI"));
        env.datei(QStringLiteral("E:\\DCIM\\100CANON\\README"));
    }

    // Entries as set by code: sorted paths, then the given marks.
    void liste10(const std::vector<char> &marken)
    {
        QStringList pfade;
        for (int i = 0; i < static_cast<int>(marken.size()); ++i)
            pfade << QStringLiteral("E:\\Dcim\\Img_%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        liste.setPfade(pfade);
        liste.setMarken(marken);
    }

    int index(const QString &pfad) const { return static_cast<int>(liste.pfade().indexOf(pfad)); }

    std::vector<char> marken() const { return liste.marken(); }

    // The test environment sets the time before its data reach the disk, so
    // the write at closing moves it again; this sets it on the finished file.
    void datei(const QString &pfad, const QDateTime &zeit)
    {
        env.datei(pfad, "x");
        stempeln(env.host(pfad), zeit);
    }

    static void stempeln(const QString &hostPfad, const QDateTime &zeit)
    {
        QFile f(hostPfad);
        if (!f.open(QIODevice::ReadWrite)
            || !f.setFileTime(zeit, QFileDevice::FileModificationTime))
            ADD_FAILURE() << "cannot set the time of " << hostPfad.toStdString();
    }

    static QByteArray bild(int breite, int hoehe, const char *format = "JPG")
    {
        QImage image(breite, hoehe, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray daten;
        QBuffer puffer(&daten);
        puffer.open(QIODevice::WriteOnly);
        image.save(&puffer, format);
        return daten;
    }

    // Until the worker has handed over the picture asked for last.
    void bildAbwarten()
    {
        if (lader.beschaeftigt()) {
            QSignalSpy leer(&lader, &VorschauLader::leer);
            ASSERT_TRUE(leer.wait(10000));
        }
    }

    QString gemerkt(const QString &schluessel)
    {
        return IniLesen(ctx(), QStringLiteral("C:\\Tmp\\BrenloTemp.ini"),
            QStringLiteral("ListeSel"), schluessel, {});
    }

    TestUmgebung env;
    TestFenster fenster;
    FotoListe liste;
    VorschauLader lader { 3 };
    QStringList gescannt;
};

} // namespace mirbelon::test
