#include "app/Main.h"
#include "app/MainStatusFeld.h"
#include "app/Titel.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace mirbelon {
namespace {

using test::TestUmgebung;

struct Fenster
{
    explicit Fenster(TestUmgebung &u) : main(*u.ctx, [this] { ++beendet; }) {}
    // Loaded, pointed at the card in E: and at the target `ziel`.
    void laden(const QString &ziel)
    {
        main.laden();
        main.setQuelle(QStringLiteral("E:\\"));
        main.setZiel(ziel);
    }
    void zeigen()
    {
        main.show();
        QApplication::setActiveWindow(&main);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    }
    Main main;
    int beendet = 0;
};

void karteAnlegen(TestUmgebung &u)
{
    for (const char *name : {"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"})
        u.datei(QStringLiteral("E:\\DCIM\\100CANON\\") + QLatin1String(name));
}

// A button of the source area ("Refresh", "Suche...").
QPushButton *quellKnopf(Main &m, const QString &text)
{
    for (QPushButton *knopf : m.findChildren<QPushButton *>()) {
        if (knopf->text() == text && knopf->parentWidget()->isAncestorOf(m.txtQ()))
            return knopf;
    }
    return nullptr;
}

// A picture of the window for a person to judge, in the test's artefacts.
void artefakt(QWidget &fenster, const QString &name)
{
    QDir().mkpath(QStringLiteral("fenster-artefakte"));
    EXPECT_TRUE(fenster.grab().save(QStringLiteral("fenster-artefakte/") + name));
}

// Where a label draws its text, in the coordinates of its parent; a closing
// line break draws nothing.
QRect textRechteck(const QLabel *label)
{
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QString text = label->text().trimmed();
    return label->fontMetrics().boundingRect(label->contentsRect(), flags, text).translated(label->pos());
}

TEST(MainFenster, StatusPanelsShowTheirWholeTextAtTheDesignSizeAndCutOnlyOverlongOnes)
{
    TestUmgebung u;
    Fenster f(u);
    f.zeigen(); // at the design size
    const QList<QPair<QString, QString>> texte = {
        {QStringLiteral("Status"), QStringLiteral("Bereit")},
        {QStringLiteral("Bilder"), QStringLiteral(" Bilder: 5 (6) ")},
        {QStringLiteral("Bytes"), QStringLiteral(" Bytes: 2,3 MiB (2,9 MiB) ")},
        {QStringLiteral("Speicherkarte"), QStringLiteral(" Speicherkarte: 28,7 GiB (29,7 GiB) ")},
        {QStringLiteral("DateiInfos"), QStringLiteral(" 2024_0314-090530.jpg ")},
        {QStringLiteral("Statistik"), QStringLiteral(" 5 (6 Bilder) ")},
    };
    for (const auto &[schluessel, text] : texte)
        f.main.setPanel(schluessel, text);
    QCoreApplication::processEvents();
    for (const auto &[schluessel, text] : texte) {
        SCOPED_TRACE(schluessel.toStdString());
        const QLabel *feld = f.main.statusFeld(schluessel);
        // Descenders and the underscore need the font's whole height.
        EXPECT_GE(feld->contentsRect().height(), feld->fontMetrics().height());
        EXPECT_GE(feld->contentsRect().width(), feld->fontMetrics().horizontalAdvance(text.trimmed()));
        EXPECT_FALSE(f.main.statusFeld(schluessel)->gekuerzt());
    }

    const QString lang = QStringLiteral(" %1.jpg ").arg(QString(200, QLatin1Char('x')));
    f.main.setPanel(QStringLiteral("DateiInfos"), lang);
    QCoreApplication::processEvents();
    const StatusFeld *feld = f.main.statusFeld(QStringLiteral("DateiInfos"));
    EXPECT_TRUE(feld->gekuerzt());
    EXPECT_TRUE(feld->sichtbarerText().endsWith(QStringLiteral("...")));
    EXPECT_LE(feld->fontMetrics().horizontalAdvance(feld->sichtbarerText()), feld->contentsRect().width());
    EXPECT_EQ(feld->tipp(), lang);
    EXPECT_EQ(f.main.panel(QStringLiteral("DateiInfos")), lang);
    QCoreApplication::processEvents();
    artefakt(f.main, QStringLiteral("statusleiste-gekuerzt.png"));
}

TEST(MainFenster, TargetStatusAndDateHintLeaveEachOthersTextsVisible)
{
    TestUmgebung u;
    Fenster f(u);
    f.main.laden();
    f.zeigen();
    f.main.setZiel(QStringLiteral("C:\\Archiv\\gibt es nicht"));
    f.main.setDatumHinweisSichtbar(true);
    QCoreApplication::processEvents();
    const QLabel *bezZ = f.main.bezZ();
    const QLabel *hinweis = f.main.bezHinweisDatumOK();
    ASSERT_TRUE(bezZ->text().contains(QStringLiteral("keine")));
    const QRect zielText = textRechteck(bezZ);
    EXPECT_TRUE(bezZ->geometry().contains(zielText)) << "bezZ's whole text fits into it";
    EXPECT_FALSE(textRechteck(hinweis).intersects(zielText));
    for (const QWidget *nachbar : {static_cast<const QWidget *>(f.main.txtZiel()), static_cast<const QWidget *>(f.main.txtZ())}) {
        EXPECT_FALSE(hinweis->geometry().intersects(nachbar->geometry()));
        EXPECT_FALSE(zielText.intersects(nachbar->geometry()));
    }
    artefakt(f.main, QStringLiteral("zielbereich-mit-datumshinweis.png"));
}

TEST(MainFenster, TargetStatusIsRefreshedAfterEveryRun)
{
    const struct
    {
        const char *aktion;
        int dateienVorher; // put into the target folder behind the program's back
        const char *anzahl;
    } faelle[] = {
        // Photos of the same bytes and name are copied once; the receipt beside them.
        {"mnuKopieren", 0, "Vorhanden Dateien im Ordner: 2"},
        {"mnuLöschenAlle", 2, "Vorhanden Dateien im Ordner: 2"},
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.aktion);
        TestUmgebung u;
        karteAnlegen(u);
        Fenster f(u);
        f.laden(QStringLiteral("C:\\Archiv\\Neu"));
        ASSERT_TRUE(f.main.bezZ()->text().contains(QStringLiteral("keine")));
        for (int i = 0; i < fall.dateienVorher; ++i)
            u.datei(QStringLiteral("C:\\Archiv\\Neu\\alt%1.jpg").arg(i));
        u.dialogs.antworte(Answer::Cancel); // no deletion
        f.main.aktion(QString::fromUtf8(fall.aktion))->trigger();
        EXPECT_TRUE(f.main.bezZ()->text().contains(QLatin1String(fall.anzahl))) << f.main.bezZ()->text().toStdString();
    }
}

TEST(MainFenster, EndAskedForDuringACopyRunComesAfterTheRunAndItsDeleteQuestion)
{
    const std::function<void(Main &)> wege[] = {
        [](Main &m) { QTest::keyClick(m.listBilder(), Qt::Key_F12); },
        [](Main &m) { m.aktion(QStringLiteral("btnEnde"))->trigger(); },
        [](Main &m) { m.close(); },
    };
    for (const auto &beenden : wege) {
        TestUmgebung u;
        karteAnlegen(u);
        Fenster f(u);
        f.laden(QStringLiteral("C:\\Archiv"));
        f.zeigen();
        bool imLauf = false;
        QTimer::singleShot(0, &f.main, [&] {
            imLauf = u.ctx->lauf == Lauf::Kopieren;
            beenden(f.main);
        });
        u.dialogs.antworte(Answer::Cancel);
        f.main.aktion(QStringLiteral("mnuKopieren"))->trigger();
        ASSERT_TRUE(imLauf);
        EXPECT_EQ(f.beendet, 1);
        EXPECT_EQ(u.dialogs.gezeigt.last().titel, QStringLiteral("Fotos auf Quell-Laufwerk löschen"));
        EXPECT_FALSE(f.main.statusFeld(QStringLiteral("Status"))->vorsatz().isEmpty())
            << "the note outlives the run's status texts";
    }
}

TEST(MainFenster, MenuKeysWorkWhereverTheFocusIs)
{
    TestUmgebung u;
    Fenster f(u);
    f.main.laden();
    f.zeigen();
    const char *aktionen[] = {"mnuNote(0)", "mnuLöschenAlle", "mnuMarkieren(2)", "mnuMarkierenJmp(0)",
                              "mnuMarkierenJmp(1)", "mnuKopieren", "mnuFotoOpen", "mnuSaveSet",
                              "Fotos_Nr_Sync", "mnuInfo", "mnuEnde"};
    QWidget *elemente[] = {f.main.txtStaKamera(), f.main.txtQ(), f.main.txtZ(), f.main.txtZiel(),
                           f.main.listBilder(), f.main.checkPreview()};
    for (const char *name : aktionen) {
        QAction *aktion = f.main.aktion(QString::fromUtf8(name));
        // Only the key's way to the entry is tested here, not what it does.
        QObject::disconnect(aktion, &QAction::triggered, nullptr, nullptr);
        const QKeyCombination taste = aktion->shortcut()[0];
        for (QWidget *element : elemente) {
            SCOPED_TRACE(std::string(name) + " in " + element->metaObject()->className());
            element->setFocus();
            QSignalSpy ausgeloest(aktion, &QAction::triggered);
            QTest::keyClick(QApplication::focusWidget(), taste.key(), taste.keyboardModifiers());
            EXPECT_EQ(ausgeloest.size(), 1);
        }
    }
    // The editing keys of a text field stay with it.
    QLineEdit *text = f.main.txtQ()->lineEdit();
    text->setFocus();
    text->setText(QStringLiteral("E:\\Fotos"));
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text->text(), QString());
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_Home);
    QTest::keyClick(text, Qt::Key_Delete);
    EXPECT_EQ(text->text(), QStringLiteral(":\\Fotos"));
}

TEST(MainFenster, FocusGoesToTheSourceAfterTheDriveSearchAndTheFolderPick)
{
    const std::function<void(Main &, TestUmgebung &)> suchen[] = {
        [](Main &m, TestUmgebung &) { m.aktion(QStringLiteral("btnSearch"))->trigger(); },
        [](Main &m, TestUmgebung &u) {
            u.dialogs.antworteDatei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0001.JPG"));
            quellKnopf(m, QStringLiteral("Suche..."))->click();
        },
    };
    for (const auto &suche : suchen) {
        TestUmgebung u;
        karteAnlegen(u);
        u.datei(QStringLiteral("E:\\Foto.ini"), "[Infos]\r\nKamera=K\r\n");
        u.ctx->kommandozeile = QStringLiteral("Quelle=E:\\");
        Fenster f(u);
        f.main.laden();
        f.zeigen();
        QTest::qWait(500); // the start-up gives the list the focus
        ASSERT_EQ(QApplication::focusWidget(), f.main.listBilder());
        suche(f.main, u);
        QTest::qWait(500); // the scan's TimerInit
        EXPECT_EQ(QApplication::focusWidget(), f.main.txtQ()) << QApplication::focusWidget()->metaObject()->className();
    }
}

TEST(MainFenster, ArrowKeysWalkThePhotosAfterAClickOnRefresh)
{
    TestUmgebung u;
    karteAnlegen(u);
    u.ctx->kommandozeile = QStringLiteral("Quelle=E:\\");
    Fenster f(u);
    f.main.laden();
    f.zeigen();
    QTest::qWait(500);
    QPushButton *refresh = quellKnopf(f.main, QStringLiteral("Refresh"));
    ASSERT_NE(refresh, nullptr);
    QTest::mouseClick(refresh, Qt::LeftButton);
    QTest::qWait(500); // the scan's TimerInit makes the first photo current
    ASSERT_EQ(f.main.liste().aktuell(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(f.main.liste().aktuell(), 1);
}

TEST(TitelFenster, CtrlShiftHeldWhileTheTitleShowsSwitchesTheLogOn)
{
    TestUmgebung u;
    u.datei(QStringLiteral("C:\\Prg\\Debug.txt"), "alt");
    Titel titel(*u.ctx);
    titel.show();
    QTest::qWait(150);
    EXPECT_NE(u.ctx->debugModus, 1);
    u.desktop.ctrlShift = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return u.ctx->debugModus == 1; }));
    EXPECT_TRUE(titel.hinweis().startsWith(QStringLiteral("Das Debug-Logbuch ist aktiviert:\n")));
    EXPECT_FALSE(u.files->exists(QStringLiteral("C:\\Prg\\Debug.txt")));
}

TEST(TitelFenster, StaysOverTheFirstScanAndGoesWhenTheMainWindowShows)
{
    TestUmgebung u;
    karteAnlegen(u);
    u.ctx->kommandozeile = QStringLiteral("Quelle=E:\\");
    Titel titel(*u.ctx);
    Fenster f(u);
    TitelAnschliessen(titel, f.main);
    int scans = 0;
    QObject::connect(&f.main.liste(), &QAbstractItemModel::modelReset, [&] {
        ++scans;
        EXPECT_TRUE(titel.isVisible()) << "the title shows during the first scan";
        EXPECT_FALSE(f.main.isVisible()) << "and the main window does not cover it";
    });
    titel.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.main.isVisible(); }));
    EXPECT_GE(scans, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !titel.isVisible(); }));
}

} // namespace
} // namespace mirbelon
