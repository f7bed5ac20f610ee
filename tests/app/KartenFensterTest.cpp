#include "app/Main.h"
#include "frame/IniStore.h"
#include "platform/dbus/UDisksEjector.h"
#include "tests/support/Einhaengung.h"
#include "tests/support/TestUmgebung.h"
#include "tests/support/UDisksAttrappe.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace mirbelon {
namespace {

using test::TestUmgebung;

void fotos(const QString &karte, const QStringList &namen)
{
    QDir().mkpath(karte + QStringLiteral("/DCIM/100CANON"));
    for (const QString &name : namen) {
        QFile f(karte + QStringLiteral("/DCIM/100CANON/") + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
}

QStringList angezeigt(const QComboBox *box)
{
    QStringList texte;
    for (int i = 0; i < box->count(); ++i)
        texte << box->model()->data(box->model()->index(i, 0), Qt::DisplayRole).toString();
    return texte;
}

// Two cards mounted at the start, one of them named first by its folder: each
// gets the letter it had before, both are offered with their names, and a
// card pulled out empties the list at once.
TEST(KartenFenster, CardsKeepTheirLettersAreOfferedByNameAndGoWhenPulledOut)
{
    TestUmgebung u{TestUmgebung::MitMedien{}};
    const QString eos = u.medien() + QStringLiteral("/EOS_DIGITAL");
    const QString alpha = u.medien() + QStringLiteral("/ALPHA");
    QDir().mkpath(eos);
    QDir().mkpath(alpha);
    test::Einhaengung karten;
    if (!karten.tmpfs(eos, QStringLiteral("1m")))
        GTEST_SKIP() << "cannot mount a tmpfs here";
    ASSERT_TRUE(karten.tmpfs(alpha, QStringLiteral("1m")));
    fotos(eos, {QStringLiteral("IMG_0001.JPG"), QStringLiteral("IMG_0002.JPG")});
    u.datei(QStringLiteral("C:\\Prg\\Mirbelon.ini"), "[Laufwerke]\r\nD=label:EOS_DIGITAL\r\n");
    // Started by the desktop on the card's folder.
    u.ctx->argumente = QStringList{eos};
    u.ctx->arbeitsordner = QStringLiteral("/");

    Main m(*u.ctx, {});
    m.laden();
    m.show();
    EXPECT_EQ(m.quelle(), QStringLiteral("D:\\"));
    EXPECT_EQ(m.liste().anzahl(), 2);
    EXPECT_EQ(angezeigt(m.txtQ()),
              (QStringList{"D:\\  EOS_DIGITAL", "E:\\  ALPHA", "A:\\"}));
    EXPECT_EQ(IniLesen(*u.ctx, u.ctx->einstellungsDatei, QStringLiteral("Laufwerke"), QStringLiteral("E"), {}),
              QStringLiteral("label:ALPHA"));

    m.txtQ()->showPopup();
    QAbstractItemView *liste = m.txtQ()->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(liste->window()));
    QDir().mkpath(QStringLiteral("fenster-artefakte"));
    EXPECT_TRUE(m.grab().save(QStringLiteral("fenster-artefakte/quellbox-fenster.png")));
    EXPECT_TRUE(liste->window()->grab().save(QStringLiteral("fenster-artefakte/quellbox-liste.png")));
    liste->setCurrentIndex(liste->model()->index(1, 0));
    QTest::keyClick(liste, Qt::Key_Return);
    EXPECT_EQ(m.quelle(), QStringLiteral("E:\\")) << "the name is no part of the source";
    EXPECT_EQ(m.liste().anzahl(), 0);

    m.setQuelle(QStringLiteral("D:\\"));
    ASSERT_EQ(m.liste().anzahl(), 2);
    karten.loesen();
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.liste().anzahl() == 0; }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.panel(QStringLiteral("Status")) == QStringLiteral("Karte entfernt"); }, 3000));
    m.txtQ()->showPopup(); // the box is made anew when it opens
    EXPECT_EQ(angezeigt(m.txtQ()), QStringList{"A:\\"});
    m.txtQ()->hidePopup();

    // Back in: the list comes back by itself.
    ASSERT_TRUE(karten.tmpfs(eos, QStringLiteral("1m")));
    fotos(eos, {QStringLiteral("IMG_0003.JPG")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.liste().anzahl() == 1; }, 3000));
    EXPECT_EQ(m.liste().pfad(0), QStringLiteral("D:\\Dcim\\100canon\\Img_0003.jpg"));
}

// "Karte auswerfen" without UDisks2 on the bus says why and does nothing
// else; a deletion that leaves the card without photos ejects it.
TEST(KartenFenster, EjectSaysWhyWithoutUDisks2AndFollowsADeletionThatEmptiedTheCard)
{
    test::UDisksAttrappe udisks;
    if (!udisks.busLaeuft())
        GTEST_SKIP() << "no dbus-daemon (package dbus-daemon)";
    TestUmgebung u;
    fotos(u.laufwerk('E'), {QStringLiteral("IMG_0001.JPG"), QStringLiteral("IMG_0002.JPG")});
    UDisksEjector ejector(udisks.adresse());
    u.ctx->host.ejector = &ejector;
    Main m(*u.ctx, {});
    m.laden();
    m.setQuelle(QStringLiteral("E:\\"));
    m.show();
    ASSERT_EQ(m.liste().anzahl(), 2);

    m.aktion(QStringLiteral("mnuKarteAuswerfen"))->trigger();
    EXPECT_EQ(m.panel(QStringLiteral("Status")),
              QStringLiteral("Karte »E:\\« nicht ausgeworfen: UDisks2 läuft nicht."));
    EXPECT_TRUE(u.dialogs.gezeigt.isEmpty());
    EXPECT_EQ(m.liste().anzahl(), 2);

    udisks.laufwerke = {{QDir(u.laufwerk('E')).canonicalPath()}};
    ASSERT_TRUE(udisks.anbieten());
    u.dialogs.antworte(Answer::Yes); // all photos
    m.aktion(QStringLiteral("mnuLöschenAlle"))->trigger();
    EXPECT_EQ(m.liste().anzahl(), 0);
    ASSERT_EQ(udisks.rufe.size(), 2);
    EXPECT_TRUE(udisks.rufe.at(0).startsWith(QStringLiteral("Unmount ")));
    EXPECT_TRUE(udisks.rufe.at(1).startsWith(QStringLiteral("PowerOff ")));
    EXPECT_EQ(m.panel(QStringLiteral("Status")),
              QStringLiteral("Karte »E:\\« ausgeworfen: sie kann entnommen werden."));
}

// The copy run ends the program when its deletion emptied the card; the
// card is ejected before that.
TEST(KartenFenster, ACopyRunWhoseDeletionEmptiedTheCardEjectsItBeforeTheEnd)
{
    test::UDisksAttrappe udisks;
    if (!udisks.busLaeuft())
        GTEST_SKIP() << "no dbus-daemon (package dbus-daemon)";
    TestUmgebung u;
    fotos(u.laufwerk('E'), {QStringLiteral("IMG_0001.JPG")});
    udisks.laufwerke = {{QDir(u.laufwerk('E')).canonicalPath()}};
    ASSERT_TRUE(udisks.anbieten());
    UDisksEjector ejector(udisks.adresse());
    u.ctx->host.ejector = &ejector;
    QStringList rufeBeimEnde;
    Main m(*u.ctx, [&] { rufeBeimEnde = udisks.rufe; });
    m.laden();
    m.setZiel(QStringLiteral("C:\\Archiv"));
    m.setQuelle(QStringLiteral("E:\\"));
    m.show();
    ASSERT_EQ(m.liste().anzahl(), 1);
    u.dialogs.antworte(Answer::Yes); // the delete question: all photos
    m.aktion(QStringLiteral("mnuKopieren"))->trigger();
    EXPECT_EQ(m.liste().anzahl(), 0);
    EXPECT_EQ(rufeBeimEnde.size(), 2);
    EXPECT_EQ(udisks.rufe.size(), 2) << "ejected once";
}

// A camera on the cable (a folder through libgphoto2's directory driver) is
// offered with its letter and model, and lists as a card.
TEST(KartenFenster, CameraIsOfferedWithItsModelAndListsAsACard)
{
    QTemporaryDir kamera;
    fotos(kamera.path(), {QStringLiteral("IMG_0001.JPG"), QStringLiteral("IMG_0002.JPG")});
    TestUmgebung u{QStringLiteral("C"), {QStringLiteral("disk:") + kamera.path()}};
    Main m(*u.ctx, {});
    m.laden();
    m.show();
    m.txtQ()->showPopup();
    EXPECT_EQ(angezeigt(m.txtQ()).first(), QStringLiteral("D:\\  Directory Browse"));
    m.txtQ()->hidePopup();
    m.setQuelle(QStringLiteral("D:\\"));
    ASSERT_EQ(m.liste().anzahl(), 2);
    EXPECT_EQ(m.liste().pfad(0), QStringLiteral("D:\\Dcim\\100canon\\Img_0001.jpg"));
}

} // namespace
} // namespace mirbelon
