#include "tests/source/QuelleTest.h"

#include "services/Platzhalter.h"
#include "source/Scan.h"
#include "source/Statusleiste.h"
#include "tests/support/Einhaengung.h"
#include "text/Formatierung.h"

#include <QDir>

#include <algorithm>
#include <random>

#include <fcntl.h>
#include <unistd.h>

namespace mirbelon::test {

namespace {

using EingabeFehlerTest = QuelleTest;

// Bytes in no profile format: every byte value, NULs, lone CRs and LFs.
QByteArray Muell(int laenge, unsigned saat)
{
    std::mt19937 zufall(saat);
    QByteArray daten;
    for (int b = 0; b < 256; ++b)
        daten += char(b);
    while (daten.size() < laenge)
        daten += char(zufall());
    return daten;
}

QByteArray OhneZeilenenden(QByteArray daten)
{
    daten.replace('\r', QByteArray());
    daten.replace('\n', QByteArray());
    return daten;
}

TEST_F(EingabeFehlerTest, FamilyFileOfBinaryGarbageKeepsScanProperCaseAndPlaceholdersWorking)
{
    // One readable section between the garbage, as after a write by a broken program.
    const QByteArray alt = Muell(20000, 1) + "\r\n[Adressen]\r\nImmerKlein=canon\r\n" + Muell(5000, 2);
    env.datei("C:\\Brenlo\\Brenlo.ini", alt);
    env.datei("E:\\DCIM\\FOTOS CANON NEU\\IMG_0001.JPG");
    env.datei("E:\\DCIM\\FOTOS CANON NEU\\IMG_0002.CR2");

    fenster.setQuelle("E:\\");

    EXPECT_EQ(liste.pfade(), (QStringList{"E:\\Dcim\\Fotos canon Neu\\Img_0001.jpg",
                                          "E:\\Dcim\\Fotos canon Neu\\Img_0002.cr2"}));
    EXPECT_EQ(marken(), (std::vector<char>{1, 0}));
    EXPECT_EQ(Vario(ctx(), "C:\\Archiv\\{Counter3}"), "C:\\Archiv\\1");
    EXPECT_EQ(Vario(ctx(), "C:\\Archiv\\{Counter3}"), "C:\\Archiv\\2");
    EXPECT_FALSE(Vario(ctx(), "{username}").isEmpty());

    // The writes kept every byte of the foreign file; only line ends may have been made whole.
    const QByteArray neu = env.inhalt("C:\\Brenlo\\Brenlo.ini");
    EXPECT_TRUE(OhneZeilenenden(neu).startsWith(OhneZeilenenden(alt)));
    EXPECT_TRUE(neu.contains("VarioCount3=2"));
}

// A card of 40000 small files in 100 folders, written without Qt to be quick.
void VieleDateien(const QString &wurzel, int ordner, int jeOrdner)
{
    for (int o = 0; o < ordner; ++o) {
        const QString pfad = QString("%1/DCIM/%2CANON").arg(wurzel).arg(100 + o);
        ASSERT_TRUE(QDir().mkpath(pfad));
        for (int i = 0; i < jeOrdner; ++i) {
            const char *endung = i % 4 == 3 ? "CR2" : "JPG";
            const QByteArray name = QFile::encodeName(
                QString("%1/IMG_%2.%3").arg(pfad).arg(i, 4, 10, QChar('0')).arg(endung));
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(::write(fd, "xy", 2), 2);
            ::close(fd);
        }
    }
}

TEST_F(EingabeFehlerTest, CardOfFortyThousandFilesIsListedAndCountedWhole)
{
    // In memory where the host allows it: the disk would spend most of the
    // test's time making and removing the files.
    Einhaengung einhaengung;
    einhaengung.tmpfs(env.laufwerk('E'), "400m");
    VieleDateien(env.laufwerk('E'), 100, 400);
    env.datei("E:\\DCIM\\README"); // no dot: not listed
    env.datei("E:\\DCIM\\INFO.TXT"); // no photo type

    fenster.setQuelle("E:\\");

    ASSERT_EQ(liste.anzahl(), 40000);
    EXPECT_EQ(liste.anzahlMarkiert(), 30000);
    EXPECT_EQ(liste.pfad(0), "E:\\Dcim\\100canon\\Img_0000.jpg");
    EXPECT_EQ(liste.pfad(39999), "E:\\Dcim\\199canon\\Img_0399.cr2");
    EXPECT_TRUE(std::is_sorted(liste.pfade().begin(), liste.pfade().end(),
                               [](const QString &a, const QString &b) {
                                   return QString::compare(a, b, Qt::CaseInsensitive) < 0;
                               }));
    EXPECT_EQ(liste.pfade().count(), QSet<QString>(liste.pfade().begin(), liste.pfade().end()).size());

    HinweiseTick(ctx(), liste, fenster, [](int) { return QString(); });
    EXPECT_EQ(fenster.panel("Bilder"), " Bilder: 30000 (40000) ");
    EXPECT_EQ(fenster.panel("Bytes"),
              " Bytes: " + GroesseText(60000) + "B (" + GroesseText(80000) + "B) ");
    EXPECT_EQ(env.dialogs.busy(), 0);
    EXPECT_FALSE(ctx().scanLaeuft);
}

} // namespace

} // namespace mirbelon::test
