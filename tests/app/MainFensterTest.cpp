#include "app/Einstellungen.h"
#include "app/Info.h"
#include "app/Layout.h"
#include "app/Main.h"
#include "app/Titel.h"
#include "frame/IniStore.h"
#include "tests/support/TestFenster.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace mirbelon {
namespace {

using test::TestUmgebung;

QString ini(TestUmgebung &u, const QString &sektion, const QString &schluessel)
{
    return IniLesen(*u.ctx, u.ctx->einstellungsDatei, sektion, schluessel, QStringLiteral("<fehlt>"));
}

struct Fenster
{
    explicit Fenster(TestUmgebung &u) : main(*u.ctx, [this] { ++beendet; }) {}
    // Started without a command line, then pointed at the card in E:.
    void aufKarteZeigen()
    {
        main.laden();
        main.setQuelle(QStringLiteral("E:\\"));
        main.show();
    }
    Main main;
    int beendet = 0;
};

void karteAnlegen(TestUmgebung &u)
{
    u.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0001.JPG"));
    u.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0002.JPG"));
    u.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0003.CR2"));
    u.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0004.JPG"));
}

TEST(MainFenster, HasItsElementsMenusPanelsAndTimers)
{
    TestUmgebung u;
    Fenster f(u);
    Main &m = f.main;
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Mirbelon"));
    EXPECT_EQ(m.txtQ()->toolTip(), QStringLiteral("In welchem Ordner sind die Fotos abgelegt (Speicherkarte)"));
    EXPECT_EQ(m.txtZiel()->toolTip(), QStringLiteral("Nach diesem Schema werden die kopierten Fotos umbenannt"));
    EXPECT_EQ(m.checkPreview()->text(), QStringLiteral("Bild Vorschau"));
    EXPECT_EQ(m.listBilder()->toolTip(), QStringLiteral("Lister der Fotos (Speicherkarte)"));

    const struct
    {
        const char *name;
        const char *text;
        QKeySequence taste;
    } aktionen[] = {
        {"mnuMarkieren(2)", "&umkehren", QKeySequence(Qt::Key_F4)},
        {"mnuMarkierenJmp(0)", "zur &vorherigen Markierung", QKeySequence(Qt::Key_F7)},
        {"mnuMarkierenJmp(1)", "zur &nächsten Markierung", QKeySequence(Qt::Key_F8)},
        {"mnuKopieren", "&Kopieren", QKeySequence(Qt::Key_F5)},
        {"mnuLöschenAlle", "&Fotos löschen...", QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {"mnuFotoOpen", "Ö&ffnen...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuSaveSet", "Einstellungen &sichern", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuEnde", "&Beenden", QKeySequence(Qt::Key_F12)},
        {"Fotos_Nr_Sync", "Fotos nummeriert syncronisieren", QKeySequence(Qt::CTRL | Qt::Key_F5)},
        {"mnuNote(0)", "&Logbuch / Einstellungen", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"mnuInfo", "&Info...", QKeySequence(Qt::Key_F1)},
        {"mnuAutoStartSave", "Autostart für 'Mirbelon' auf Quelle anlegen", QKeySequence()},
    };
    for (const auto &a : aktionen) {
        SCOPED_TRACE(a.name);
        QAction *aktion = m.aktion(QString::fromUtf8(a.name));
        ASSERT_NE(aktion, nullptr);
        EXPECT_EQ(aktion->text(), QString::fromUtf8(a.text));
        EXPECT_EQ(aktion->shortcut(), a.taste);
    }
    EXPECT_EQ(m.aktion(QStringLiteral("btnEnde"))->toolTip(), QStringLiteral("Programm beenden"));
    EXPECT_EQ(m.aktion(QStringLiteral("btnCopy"))->toolTip(), QStringLiteral("Fotos kopieren"));
    QStringList menues;
    for (QAction *menu : m.menuBar()->actions())
        menues << menu->text();
    EXPECT_EQ(menues, (QStringList{"&Fotos", "&Extras", "&Hilfe"}));

    EXPECT_EQ(m.timerInit()->interval(), 333);
    EXPECT_EQ(m.timerHinweise()->interval(), 333);
    EXPECT_EQ(m.timerInfo()->interval(), 1000);
    EXPECT_FALSE(m.aktion(QStringLiteral("mnuSaveSet"))->isChecked());

    const QStringList panels = {"Status", "Bilder", "Bytes", "Speicherkarte", "DateiInfos", "Statistik", "Datum"};
    const QList<QLabel *> labels = m.findChildren<QStatusBar *>().first()->findChildren<QLabel *>();
    ASSERT_EQ(labels.size(), panels.size());
    EXPECT_EQ(labels.at(1)->toolTip(), QStringLiteral("Bilder: ausgewählt (insgesamt)"));
    EXPECT_EQ(labels.at(6)->toolTip(), QStringLiteral("Aktuelles Datum"));
}

TEST(MainFenster, FirstStartLoadsTheDefaultsAndWritesThem)
{
    TestUmgebung u;
    Fenster f(u);
    f.main.laden();
    Main &m = f.main;
    EXPECT_EQ(m.txtZiel()->currentText(), QStringLiteral("{jjjj}_{mm}{tt}-{hh}{nn}{ss}"));
    const int jahr = QDate::currentDate().year();
    EXPECT_EQ(m.txtZiel()->itemText(0), QStringLiteral("%1-{######}").arg(jahr - 2));
    EXPECT_EQ(m.txtZiel()->itemText(4), QStringLiteral("%1-{######}").arg(jahr + 2));
    EXPECT_EQ(m.txtZiel()->count(), 12);
    EXPECT_EQ(m.txtStaKamera()->itemText(0), QStringLiteral("Bezeichnung der Kamera"));
    EXPECT_EQ(m.kamera(), QStringLiteral("Bezeichnung der Kamera"));
    EXPECT_EQ(m.txtQ()->itemText(0), QStringLiteral("A:\\"));
    EXPECT_EQ(m.quelle(), QString());
    EXPECT_EQ(m.txtZ()->itemText(0), QStringLiteral("C:\\Tmp"));
    // Not the program folder: the desktop's picture folder.
    EXPECT_EQ(m.ziel(), QStringLiteral("C:\\Bilder\\Fotoarchiv"));
    EXPECT_TRUE(m.bezZ()->text().contains(QStringLiteral("wird beim Kopieren angelegt")));
    EXPECT_TRUE(m.vorschauAn());
    EXPECT_EQ(ini(u, "Mirbelon", "Formate"), QStringLiteral("*.bmp;*.jpg;*.gif;*.tif;*.avi;*.mov;*.cr2"));
    EXPECT_EQ(ini(u, "Kameras", "01"), QStringLiteral("Bezeichnung der Kamera"));
    EXPECT_EQ(ini(u, "Quellen", "01"), QStringLiteral("a:\\"));
    EXPECT_EQ(ini(u, "Ziele", "01"), QStringLiteral("C:\\Tmp"));
    EXPECT_EQ(m.panel(QStringLiteral("Status")), QStringLiteral("Bereit"));
    EXPECT_GE(m.bildCacheGroesse(), 1);
    EXPECT_LE(m.bildCacheGroesse(), 10);
}

TEST(MainFenster, FirstStartInAHomeThatIsADrivesRootHasOneBackslash)
{
    TestUmgebung u;
    u.system->bilder = QStringLiteral("C:\\");
    Fenster f(u);
    f.main.laden();
    EXPECT_EQ(f.main.ziel(), QStringLiteral("C:\\Fotoarchiv"));
}

TEST(MainFenster, CommandLineSourceIsScanned)
{
    TestUmgebung u;
    karteAnlegen(u);
    u.ctx->kommandozeile = QStringLiteral("/x quelle=E:\\");
    Fenster f(u);
    f.main.laden();
    EXPECT_EQ(f.main.quelle(), QStringLiteral("E:\\"));
    ASSERT_EQ(f.main.liste().anzahl(), 4);
    EXPECT_EQ(f.main.liste().pfad(0), QStringLiteral("E:\\Dcim\\100canon\\Img_0001.jpg"));
}

TEST(MainFenster, SettingsSurviveTwoStartsOnlyWhenSaved)
{
    TestUmgebung u;
    u.ordner(QStringLiteral("C:\\Archiv"));
    {
        Fenster f(u);
        f.main.laden();
        f.main.setZiel(QStringLiteral("C:\\Archiv"));
        f.main.setZielMuster(QStringLiteral("  X-{######}  "));
        f.main.setKamera(QStringLiteral("EOS"));
        f.main.programmEnde();
        EXPECT_EQ(f.beendet, 1);
        f.main.programmEnde();
        EXPECT_EQ(f.beendet, 1) << "the end sequence runs once";
    }
    EXPECT_EQ(ini(u, "Ziele", "xx"), QStringLiteral("<fehlt>"));
    EXPECT_EQ(ini(u, "Mirbelon", "Nr1"), QStringLiteral("X-{######}"));
    EXPECT_EQ(ini(u, "Kameras", "last"), QStringLiteral("EOS"));
    {
        Fenster f(u);
        f.main.laden();
        EXPECT_EQ(f.main.ziel(), QStringLiteral("C:\\Bilder\\Fotoarchiv"));
        EXPECT_EQ(f.main.zielMuster(), QStringLiteral("X-{######}"));
        EXPECT_EQ(f.main.kamera(), QStringLiteral("EOS"));
        f.main.aktion(QStringLiteral("mnuSaveSet"))->trigger();
        f.main.setZiel(QStringLiteral("C:\\Archiv"));
        f.main.setVorschauAn(false);
        f.main.programmEnde();
    }
    {
        Fenster f(u);
        f.main.laden();
        EXPECT_EQ(f.main.ziel(), QStringLiteral("C:\\Archiv"));
        EXPECT_FALSE(f.main.vorschauAn());
    }
}

TEST(MainFenster, EndStartsTheExitScriptFromTheDataFolder)
{
    TestUmgebung u;
    u.datei(QStringLiteral("C:\\Prg\\Mirbelon_Exit.bat"), "exit 0\n");
    Fenster f(u);
    f.main.laden();
    f.main.programmEnde();
    ASSERT_EQ(u.processes.gestartet.size(), 1);
    EXPECT_EQ(u.processes.gestartet.first().argumente,
              QStringList{u.host(QStringLiteral("C:\\Prg\\Mirbelon_Exit.bat"))});
    EXPECT_EQ(f.beendet, 1);
}

TEST(MainFenster, EndIsRefusedWhileACopyRunGoesOn)
{
    TestUmgebung u;
    Fenster f(u);
    f.main.laden();
    u.ctx->lauf = Lauf::Kopieren;
    f.main.programmEnde();
    EXPECT_EQ(f.beendet, 0);
    u.ctx->lauf = Lauf::Keiner;
    f.main.programmEnde();
    EXPECT_EQ(f.beendet, 1);
}

TEST(MainFenster, EndingDuringAScanStopsItAndKeepsTheSettings)
{
    for (const bool schliessen : {false, true}) {
        SCOPED_TRACE(schliessen ? "window closed" : "F12");
        TestUmgebung u;
        for (int o = 0; o < 50; ++o)
            u.datei(QStringLiteral("E:\\DCIM\\%1CANON\\IMG_0001.JPG").arg(100 + o));
        Fenster f(u);
        f.main.laden();
        f.main.aktion(QStringLiteral("mnuSaveSet"))->trigger(); // the settings are stored at the end
        f.main.setVorschauAn(true);
        f.main.show();
        // At the scan's first look at the event queue, as a key pressed meanwhile.
        bool gefordert = false;
        QTimer::singleShot(0, &f.main, [&] {
            gefordert = true;
            if (schliessen)
                f.main.close();
            else
                f.main.aktion(QStringLiteral("mnuEnde"))->trigger();
        });
        // The scan must not read on.
        int danach = 0;
        QTimer zaehler;
        QObject::connect(&zaehler, &QTimer::timeout, [&] { danach += gefordert && f.beendet == 0; });
        zaehler.start(0);
        f.main.setQuelle(QStringLiteral("E:\\"));
        EXPECT_EQ(f.beendet, 1);
        EXPECT_LT(danach, 5);
        EXPECT_EQ(f.main.liste().anzahl(), 0) << "the scan went on to its end";
        EXPECT_EQ(IniLesen(*u.ctx, u.ctx->einstellungsDatei, {}, QStringLiteral("Preview"), {}),
                  QStringLiteral("1"));
    }
}

TEST(Layout, ThresholdsAreExclusive)
{
    const LayoutMasse start;
    const LayoutMasse bei4000 = LayoutAnwenden(start, 6800, 4000);
    EXPECT_EQ(bei4000.frame2Oben, start.frame2Oben);
    EXPECT_EQ(bei4000.vorschauBreite, start.vorschauBreite);
    const LayoutMasse bei4001 = LayoutAnwenden(start, 6801, 4001);
    EXPECT_EQ(bei4001.frame2Oben, 4001 - 2175 - 360);
    EXPECT_EQ(bei4001.frame1Hoehe, bei4001.frame2Oben - 600);
    EXPECT_EQ(bei4001.listeHoehe, bei4001.frame1Hoehe - 1080 - 80);
    EXPECT_EQ(bei4001.vorschauBreite, 6801 - 3960 - 120);
    EXPECT_EQ(bei4001.vorschauHoehe, bei4001.vorschauBreite * 864 / 1152);
}

TEST(MainFenster, ResizeAppliesTheLayout)
{
    TestUmgebung u;
    Fenster f(u);
    f.main.laden();
    f.main.show();
    f.main.resize(1000, 700);
    QCoreApplication::processEvents();
    EXPECT_GT(f.main.layoutMasse().frame2Oben, 4560);
    EXPECT_GT(f.main.layoutMasse().vorschauBreite, 3735);
}

TEST(MainFenster, ArrowKeysJumpBetweenMarkedPhotosAndMenusMark)
{
    TestUmgebung u;
    karteAnlegen(u);
    Fenster f(u);
    f.aufKarteZeigen();
    FotoListe &liste = f.main.liste();
    ASSERT_EQ(liste.anzahl(), 4); // 0001 jpg, 0002 jpg, 0003 cr2, 0004 jpg
    EXPECT_FALSE(liste.markiert(2));
    liste.setAktuell(1);
    QTest::keyClick(f.main.listBilder(), Qt::Key_Right);
    EXPECT_EQ(liste.aktuell(), 3);
    QTest::keyClick(f.main.listBilder(), Qt::Key_Right);
    EXPECT_EQ(liste.aktuell(), 3) << "no wrap-around";
    QTest::keyClick(f.main.listBilder(), Qt::Key_Left);
    EXPECT_EQ(liste.aktuell(), 1);

    f.main.aktion(QStringLiteral("mnuMarkieren(2)"))->trigger();
    EXPECT_TRUE(liste.markiert(2));
    EXPECT_FALSE(liste.markiert(0));
    f.main.aktion(QStringLiteral("mnuMarkieren(0)"))->trigger();
    EXPECT_EQ(liste.anzahlMarkiert(), 4);
    f.main.aktion(QStringLiteral("mnuMarkieren(1)"))->trigger();
    liste.setMarkiert(2, true);
    liste.setAktuell(3);
    f.main.aktion(QStringLiteral("mnuMarkierenJmp(1)"))->trigger();
    EXPECT_EQ(liste.aktuell(), 2) << "the jump wraps round";
    EXPECT_EQ(f.main.listBilder()->currentIndex().row(), 2);
}

TEST(MainFenster, HighlightFollowsTheCurrentPhotoAndSpaceTogglesItsMark)
{
    TestUmgebung u;
    karteAnlegen(u);
    Fenster f(u);
    f.aufKarteZeigen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.main));
    FotoListe &liste = f.main.liste();
    QListView *view = f.main.listBilder();
    liste.setAktuell(0);
    view->setFocus();
    const auto hervorgehoben = [view] {
        const QModelIndexList zeilen = view->selectionModel()->selectedIndexes();
        return zeilen.size() == 1 ? zeilen.first().row() : -1;
    };
    EXPECT_EQ(hervorgehoben(), 0);
    for (int zeile = 1; zeile <= 3; ++zeile) {
        QTest::keyClick(view, Qt::Key_Down);
        QTest::qWait(50);
        EXPECT_EQ(liste.aktuell(), zeile);
        EXPECT_EQ(hervorgehoben(), zeile);
    }
    EXPECT_TRUE(liste.markiert(3));
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_FALSE(liste.markiert(3));
    EXPECT_EQ(hervorgehoben(), 3);
}

TEST(MainFenster, TimerInitShowsTheFirstPhoto)
{
    TestUmgebung u;
    karteAnlegen(u);
    u.ctx->kommandozeile = QStringLiteral("Quelle=E:\\");
    Fenster f(u);
    f.main.laden();
    QTest::qWait(500);
    EXPECT_EQ(f.main.liste().aktuell(), 0);
    EXPECT_TRUE(f.main.isMaximized());
    EXPECT_EQ(f.main.focusWidget(), f.main.listBilder());
    QTest::qWait(400);
    EXPECT_EQ(f.main.panel(QStringLiteral("Bilder")), QStringLiteral(" Bilder: 3 (4) "));
}

TEST(TitelFenster, DebugArgumentSwitchesTheLogOn)
{
    TestUmgebung u;
    u.ctx->kommandozeile = QStringLiteral("#DEBUG");
    u.datei(QStringLiteral("C:\\Prg\\Debug.txt"), "alt");
    Titel titel(*u.ctx);
    EXPECT_EQ(u.ctx->debugModus, 1);
    EXPECT_TRUE(titel.hinweis().startsWith(QStringLiteral("Das Debug-Logbuch ist aktiviert:\n")));
    EXPECT_FALSE(u.files->exists(QStringLiteral("C:\\Prg\\Debug.txt")));
}

TEST(InfoFenster, DebugButtonStartsAFreshLogAndOpensIt)
{
    TestUmgebung u;
    u.ctx->debugModus = -1;
    test::TestFenster fenster;
    Info info(*u.ctx, fenster);
    info.befDebug();
    EXPECT_EQ(u.ctx->debugModus, 1);
    ASSERT_EQ(u.processes.geoeffnet.size(), 1);
    EXPECT_TRUE(u.inhalt(QStringLiteral("C:\\Prg\\Debug.txt")).contains("Debug-Logbuch"));
}

} // namespace
} // namespace mirbelon
