#include "archive/NummernSync.h"

#include "frame/IniStore.h"
#include "platform/ShellQuote.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace mirbelon::test {
namespace {

const QString kTitel = QStringLiteral("Fotos nummeriert syncronisieren");

class NummernSyncTest : public ::testing::Test
{
protected:
    NummernSyncTest() { env.processes.ausfuehren = true; }

    Context &ctx() { return *env.ctx; }

    void ordnerSetzen(const QString &fotos, const QString &fotosNr)
    {
        IniSchreiben(ctx(), {}, QStringLiteral("Verknüpfung"), QStringLiteral("DirFotos"), fotos);
        IniSchreiben(ctx(), {}, QStringLiteral("Verknüpfung"), QStringLiteral("DirFotosNr"), fotosNr);
    }

    // Every byte value, plus the name, so a mix-up or a text-mode copy shows.
    static QByteArray inhaltVon(const QString &pfad)
    {
        QByteArray b = pfad.toUtf8();
        for (int i = 0; i < 256; ++i)
            b += char(i);
        return b;
    }

    void foto(const QString &pfad) { env.datei(pfad, inhaltVon(pfad)); }

    // Files below a program folder, by their path relative to it ("/"-separated).
    QStringList dateienUnter(const QString &programmOrdner) const
    {
        const QString wurzel = env.host(programmOrdner);
        QStringList namen;
        QDirIterator it(wurzel, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            namen << it.next().mid(wurzel.size() + 1);
        namen.sort();
        return namen;
    }

    bool irgendwoPwned() const
    {
        if (QFile::exists(QDir::current().filePath(QStringLiteral("pwned"))))
            return true;
        QDirIterator it(env.wurzel.path(), {QStringLiteral("pwned")}, QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        return it.hasNext();
    }

    TestUmgebung env;
};

TEST_F(NummernSyncTest, TempDateiNameJoinsTempFolderPrefixDateTickAndExtension)
{
    env.system->jetzt = QDateTime(QDate(2024, 3, 14), QTime(9, 8, 7));
    const struct
    {
        QString endung, praefix;
        quint32 tick;
        QString erwartet;
    } faelle[] = {
        {"cmd", "FotosNr_", 1234567, "C:\\Tmp\\FotosNr_20240314_01234567.cmd"},
        {".txt", "FotosNr_", 1234567, "C:\\Tmp\\FotosNr_20240314_01234567.txt"},
        {"", "FotosNr_", 0, "C:\\Tmp\\FotosNr_20240314_00000000.tmp"},
        {"", "", 42, "C:\\Tmp\\20240314_00000042.tmp"},
        {"log", "  Vor Satz  ", 42, "C:\\Tmp\\Vor Satz20240314_00000042.log"},
        {"cmd", "   ", 42, "C:\\Tmp\\20240314_00000042.cmd"},
        {"cmd", "X", 4294967295u, "C:\\Tmp\\X20240314_4294967295.cmd"},
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.erwartet.toStdString());
        env.system->tick = f.tick;
        EXPECT_EQ(TempDateiName(ctx(), f.endung, f.praefix), f.erwartet);
    }
}

TEST_F(NummernSyncTest, ListedLinesBelowXYZNamesOrEmptyAreLeftOut)
{
    const struct
    {
        QByteArray zeile;
        bool ausgelassen;
    } faelle[] = {
        {"/X_Alt/a.jpg", true},
        {"/X_Alt/Tief/b.jpg", true},
        {"/2024/x_weg/c.jpg", true},
        {"/Y_Privat/d.jpg", true},
        {"/z_test.jpg", true},
        {"/Z_TEST.JPG", true},
        {"", true},
        {"   ", true},
        {"/a.jpg", false},
        {"/Ax_Alt/a.jpg", false},
        {"/x-Alt/a.jpg", false},
        {"/2024/bild_x_1.jpg", false},
        {"/a\\x_b.jpg", false}, // "\" is part of a name here
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.zeile.toStdString());
        EXPECT_EQ(NummernSyncAusgelassen(f.zeile), f.ausgelassen);
        if (f.ausgelassen) {
            EXPECT_EQ(NummernSyncZeile(f.zeile, "/f", "/nr", 1), "");
        }
    }
}

TEST_F(NummernSyncTest, LineCopiesWithFolderBelowTargetAndNumberInFullBeforeName)
{
    const struct
    {
        QByteArray foto;
        int nummer;
        QByteArray zielOrdner, ziel;
    } faelle[] = {
        {"/IMG_0001.jpg", 3, "/nr/", "/nr/00003 IMG_0001.jpg"},
        {"/2024/Urlaub/IMG_0001.jpg", 3, "/nr/2024/Urlaub/", "/nr/2024/Urlaub/00003 IMG_0001.jpg"},
        {"/a.b.JPG", 99999, "/nr/", "/nr/99999 a.b.JPG"},
        {"/a.jpg", 100000, "/nr/", "/nr/100000 a.jpg"},
        {"/a.jpg", 1234567, "/nr/", "/nr/1234567 a.jpg"},
        {"/a\\b\n\xff.jpg", 1, "/nr/", "/nr/00001 a\\b\n\xff.jpg"},
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.ziel.toStdString());
        EXPECT_EQ(NummernSyncZeile(f.foto, "/f", "/nr", f.nummer),
                  "mkdir -p " + shellQuote(f.zielOrdner) + " && cp -p " + shellQuote("/f" + f.foto) + " "
                      + shellQuote(f.ziel));
    }
}

TEST(NummernSyncVorher, FilesByNameCaseIgnoredBeforeSubFolders)
{
    QList<QByteArray> liste = {"/b/a.jpg", "/Z.jpg", "/a/x.jpg", "/B.jpg", "/a/A/y.jpg", "/a.jpg", "/b.jpg"};
    std::sort(liste.begin(), liste.end(), NummernSyncVorher);
    EXPECT_EQ(liste, QList<QByteArray>({"/a.jpg", "/B.jpg", "/b.jpg", "/Z.jpg", "/a/x.jpg", "/a/A/y.jpg",
                                        "/b/a.jpg"}));
}

TEST_F(NummernSyncTest, EveryNameGetsItsNumberAndALinkedDirFotosIsFollowed)
{
    // Names Linux allows that a line-based listing or a "\"-path splits.
    const QString echt = env.host("E:\\Echt");
    for (const QString &name : {QString("zeile\nzwei.jpg"), QString("a\\b.jpg"), QString("Sub/c.jpg")}) {
        QDir().mkpath(QFileInfo(echt + "/" + name).path());
        QFile f(echt + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(name.toUtf8());
    }
    ASSERT_TRUE(QFile::link(echt, env.host("E:\\Fotos")));
    ordnerSetzen("E:\\Fotos", "E:\\FotosNr");

    Fotos_Nr_Sync(ctx());

    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
    EXPECT_EQ(dateienUnter("E:\\FotosNr"),
              QStringList({"00001 a\\b.jpg", "00002 zeile\nzwei.jpg", "Sub/00003 c.jpg"}));
    QFile kopie(env.host("E:\\FotosNr") + "/00002 zeile\nzwei.jpg");
    ASSERT_TRUE(kopie.open(QIODevice::ReadOnly));
    EXPECT_EQ(kopie.readAll(), QByteArray("zeile\nzwei.jpg"));
}

TEST_F(NummernSyncTest, RefusesWithMessageWhenAFolderIsMissing)
{
    env.ordner("E:\\Fotos");
    const struct
    {
        QString fotos, fotosNr, meldung;
    } faelle[] = {
        {"", "E:\\FotosNr", "Bitte tragen Sie in der Datei Brenlo.ini im Abschnitt [Verknüpfung] "
                            "die Ordner \"DirFotos\" und \"DirFotosNr\" ein."},
        {"E:\\Fotos", "", "Bitte tragen Sie in der Datei Brenlo.ini im Abschnitt [Verknüpfung] "
                          "die Ordner \"DirFotos\" und \"DirFotosNr\" ein."},
        {"\\\\", "E:\\FotosNr", "Bitte tragen Sie in der Datei Brenlo.ini im Abschnitt [Verknüpfung] "
                                "die Ordner \"DirFotos\" und \"DirFotosNr\" ein."},
        {"E:\\Fehlt", "E:\\FotosNr", "Der Ordner »E:\\Fehlt« (DirFotos) wurde nicht gefunden."},
        {"E:\\Fotos", "Q:\\FotosNr",
         "Der Ordner »Q:\\FotosNr« (DirFotosNr) liegt auf keinem bekannten Laufwerk."},
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE((f.fotos + " | " + f.fotosNr).toStdString());
        ordnerSetzen(f.fotos, f.fotosNr);
        env.dialogs.gezeigt.clear();
        Fotos_Nr_Sync(ctx());
        ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
        EXPECT_EQ(env.dialogs.gezeigt.at(0).text, f.meldung);
        EXPECT_EQ(env.dialogs.gezeigt.at(0).titel, kTitel);
        EXPECT_EQ(env.dialogs.gezeigt.at(0).icon, Icon::Exclamation);
        EXPECT_TRUE(env.processes.gestartet.isEmpty());
        EXPECT_TRUE(dateienUnter("C:\\Tmp").isEmpty());
        EXPECT_EQ(env.dialogs.busy(), 0);
    }
}

TEST_F(NummernSyncTest, TrailingBackslashesOfBothFoldersAreRemoved)
{
    foto("E:\\Fotos\\IMG_0001.jpg");
    foto("E:\\Fotos\\Sub\\IMG_0002.jpg");
    ordnerSetzen("E:\\Fotos\\\\\\", "E:\\FotosNr\\");

    Fotos_Nr_Sync(ctx());

    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
    EXPECT_EQ(dateienUnter("E:\\FotosNr"), QStringList({"00001 IMG_0001.jpg", "Sub/00002 IMG_0002.jpg"}));
    ASSERT_EQ(env.processes.gestartet.size(), 2);
    EXPECT_EQ(env.inhalt("E:\\FotosNr\\00001 IMG_0001.jpg"), inhaltVon("E:\\Fotos\\IMG_0001.jpg"));
}

TEST_F(NummernSyncTest, CopiesEveryKeptPhotoByteForByteWithoutRunningAnyName)
{
    const QStringList behalten = {
        "E:\\Fotos\\2024\\$(touch pwned).jpg",
        "E:\\Fotos\\2024\\$HOME & 100%\\a;b`c.jpg",
        "E:\\Fotos\\2024\\%TEMP%.jpg",
        "E:\\Fotos\\2024\\Urlaub am See\\Bild \"zwei\".JPG",
        "E:\\Fotos\\2024\\Urlaub am See\\Bild 'eins'.jpg",
        "E:\\Fotos\\2024\\`touch pwned`.jpg",
        "E:\\Fotos\\2024\\x; touch pwned; #.jpg",
        "E:\\Fotos\\IMG_0001.jpg",
        "E:\\Fotos\\Tür & Tor\\' ; touch pwned ; '.jpg",
    };
    for (const QString &p : behalten)
        foto(p);
    for (const char *p : {"E:\\Fotos\\X_Alt\\alt.jpg", "E:\\Fotos\\X_Alt\\Tief\\alt2.jpg",
                          "E:\\Fotos\\z_test.jpg", "E:\\Fotos\\2024\\notiz.txt",
                          "E:\\Fotos\\2024\\film.mov"})
        foto(QString::fromUtf8(p));
    ordnerSetzen("E:\\Fotos", "E:\\FotosNr");

    Fotos_Nr_Sync(ctx());

    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
    EXPECT_EQ(env.dialogs.busy(), 0);
    // A folder's photos by name before its sub-folders, as a bare listing has them.
    const QMap<QString, QString> erwartet = {
        {"2024/00002 $(touch pwned).jpg", behalten[0]},
        {"2024/$HOME & 100%/00006 a;b`c.jpg", behalten[1]},
        {"2024/00003 %TEMP%.jpg", behalten[2]},
        {"2024/Urlaub am See/00007 Bild \"zwei\".JPG", behalten[3]},
        {"2024/Urlaub am See/00008 Bild 'eins'.jpg", behalten[4]},
        {"2024/00005 `touch pwned`.jpg", behalten[5]},
        {"2024/00004 x; touch pwned; #.jpg", behalten[6]},
        {"00001 IMG_0001.jpg", behalten[7]},
        {"Tür & Tor/00009 ' ; touch pwned ; '.jpg", behalten[8]},
    };
    EXPECT_EQ(dateienUnter("E:\\FotosNr"), QStringList(erwartet.keys()));
    for (auto it = erwartet.constBegin(); it != erwartet.constEnd(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        QString ziel = "E:\\FotosNr\\" + it.key();
        ziel.replace('/', '\\');
        EXPECT_EQ(env.inhalt(ziel), inhaltVon(it.value()));
    }
    EXPECT_FALSE(irgendwoPwned());

    // Both work files stay in the temp folder; the script was started twice.
    const QStringList arbeit = dateienUnter("C:\\Tmp");
    ASSERT_EQ(arbeit.size(), 2);
    EXPECT_TRUE(arbeit[0].startsWith("FotosNr_") && arbeit[0].endsWith(".cmd"));
    EXPECT_TRUE(arbeit[1].startsWith("FotosNr_") && arbeit[1].endsWith(".txt"));
    ASSERT_EQ(env.processes.gestartet.size(), 2);
    for (const auto &g : env.processes.gestartet) {
        EXPECT_EQ(g.kommando, "/bin/sh " + shellQuote(env.host("C:\\Tmp\\" + arbeit[0])));
        EXPECT_EQ(g.stil, WindowStyle::Normal);
    }
}

TEST_F(NummernSyncTest, FolderSettingSpelledInOtherCaseStillNumbersBelowIt)
{
    foto("E:\\Fotos\\Sub\\IMG_0001.jpg");
    env.ordner("E:\\FotosNr");
    ordnerSetzen("E:\\FOTOS", "E:\\fotosnr");

    Fotos_Nr_Sync(ctx());

    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
    EXPECT_EQ(dateienUnter("E:\\FotosNr"), QStringList({"Sub/00001 IMG_0001.jpg"}));
}

TEST_F(NummernSyncTest, EmptyTreeWritesScriptWithoutCopies)
{
    env.ordner("E:\\Fotos");
    ordnerSetzen("E:\\Fotos", "E:\\FotosNr");

    Fotos_Nr_Sync(ctx());

    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
    EXPECT_EQ(env.processes.gestartet.size(), 2);
    EXPECT_FALSE(QFile::exists(env.host("E:\\FotosNr")));
}

} // namespace
} // namespace mirbelon::test
