#include "platform/dbus/UDisksEjector.h"

#include "tests/support/UDisksAttrappe.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace mirbelon {
namespace {

using test::UDisksAttrappe;

const QString kB0 = QStringLiteral("/org/freedesktop/UDisks2/block_devices/b0");
const QString kB1 = QStringLiteral("/org/freedesktop/UDisks2/block_devices/b1");
const QString kD1 = QStringLiteral("/org/freedesktop/UDisks2/drives/d1");

// The root file system on a fixed disk and a card below it: the card's file
// system is unmounted, then its drive powered off, each with empty options;
// whatever UDisks2 says no to stops there.
TEST(UDisksEjector, UnmountsThenPowersOffTheRemovableDriveThatHoldsThePath)
{
    QTemporaryDir wurzel;
    const QString karte = QDir(wurzel.path()).canonicalPath() + QStringLiteral("/EOS_DIGITAL");
    ASSERT_TRUE(QDir().mkpath(karte + QStringLiteral("/DCIM")));
    struct Fall
    {
        const char *name;
        QString pfad;
        UDisksAttrappe::Laufwerk karte;
        EjectOutcome ergebnis;
        bool abgeschaltet;
        QStringList rufe;
    };
    const QString aus = QStringLiteral("Unmount ") + kB1 + QStringLiteral(" a{sv}");
    const QString ab = QStringLiteral("PowerOff ") + kD1 + QStringLiteral(" a{sv}");
    const QList<Fall> faelle = {
        {"card reader", karte + QStringLiteral("/DCIM"), {karte}, EjectOutcome::Ejected, true, {aus, ab}},
        {"the mount folder itself", karte, {karte}, EjectOutcome::Ejected, true, {aus, ab}},
        {"card slot that cannot power off", karte, {karte, true, false}, EjectOutcome::Ejected, false, {aus}},
        {"card still in use", karte, {karte, true, true, QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy")},
         EjectOutcome::Busy, false, {aus}},
        {"not allowed", karte, {karte, true, true, QStringLiteral("org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain")},
         EjectOutcome::NotAllowed, false, {aus}},
        {"fixed disk", karte, {karte, false}, EjectOutcome::NoDrive, false, {}},
        {"beside the card: the root's fixed disk", karte + QStringLiteral("-alt"), {karte}, EjectOutcome::NoDrive, false, {}},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        UDisksAttrappe udisks;
        if (!udisks.busLaeuft())
            GTEST_SKIP() << "no dbus-daemon (package dbus-daemon)";
        udisks.laufwerke = {{QStringLiteral("/"), false}, f.karte};
        ASSERT_TRUE(udisks.anbieten());
        UDisksEjector ejector(udisks.adresse());
        const EjectResult r = ejector.eject(f.pfad);
        EXPECT_EQ(r.outcome, f.ergebnis);
        EXPECT_EQ(r.poweredOff, f.abgeschaltet);
        EXPECT_EQ(r.unmounted, f.rufe.size() == 2 || f.ergebnis == EjectOutcome::Ejected);
        EXPECT_EQ(udisks.rufe, f.rufe);
    }
}

TEST(UDisksEjector, SaysWhenThereIsNoBusOrNoUDisks2OnIt)
{
    UDisksAttrappe ohneDienst;
    if (!ohneDienst.busLaeuft())
        GTEST_SKIP() << "no dbus-daemon (package dbus-daemon)";
    EXPECT_EQ(UDisksEjector(ohneDienst.adresse()).eject(QStringLiteral("/")).outcome, EjectOutcome::NoService);
    QTemporaryDir leer;
    const QString keinBus = QStringLiteral("unix:path=") + leer.path() + QStringLiteral("/kein-bus");
    const EjectResult r = UDisksEjector(keinBus).eject(QStringLiteral("/"));
    EXPECT_EQ(r.outcome, EjectOutcome::NoBus);
    EXPECT_FALSE(r.unmounted);
}

} // namespace
} // namespace mirbelon
