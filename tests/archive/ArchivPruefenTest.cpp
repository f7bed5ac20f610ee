#include "archive/ArchivPruefen.h"

#include "tests/archive/ArchivTest.h"

#include <QProcess>
#include <QStandardPaths>

namespace mirbelon::test {
namespace {

const QString kTitel = QStringLiteral("Archiv prüfen");

TEST(PruefZeileLesen, TakesHashLinesAndNothingElse)
{
    const QByteArray hex = "06b05ab6733a618578af5f94892f3950";
    const Hash128 abc{0x78af5f94892f3950ULL, 0x06b05ab6733a6185ULL};
    struct Fall
    {
        const char *name;
        QByteArray zeile;
        std::optional<QByteArray> pfad; // nullopt: no hash line
    };
    const QList<Fall> faelle = {
        {"plain", hex + "  2024/IMG_0001.JPG", "2024/IMG_0001.JPG"},
        {"blank in the name", hex + "  a b.jpg", "a b.jpg"},
        {"written on Windows", hex + "  a.jpg\r", "a.jpg"},
        {"binary mark", hex + " *a.jpg", "a.jpg"},
        {"escaped name", "\\" + hex + "  a\\nb\\\\c.jpg", QByteArray("a\nb\\c.jpg")},
        {"bad escape", "\\" + hex + "  a\\tb.jpg", std::nullopt},
        {"comment", "# " + hex + "  a.jpg", std::nullopt},
        {"flag of a run that ended early", "#Abgebrochen", std::nullopt},
        {"one blank", hex + " a.jpg", std::nullopt},
        {"no name", hex + "  ", std::nullopt},
        {"short hash", hex.left(31) + "  a.jpg", std::nullopt},
        {"not hex", "g" + hex.mid(1) + "  a.jpg", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        const std::optional<PruefZeile> p = PruefZeileLesen(f.zeile);
        ASSERT_EQ(p.has_value(), f.pfad.has_value());
        if (!p)
            continue;
        EXPECT_EQ(p->pfad, *f.pfad);
        EXPECT_TRUE(p->hash == abc);
    }
}

class ArchivPruefenTest : public ArchivTest
{
protected:
    // xxhsum run in the archive folder; its exit code.
    int xxhsum(const QStringList &argumente, QByteArray *ausgabe = nullptr)
    {
        QProcess p;
        p.setWorkingDirectory(env.host(QStringLiteral("C:\\Archiv")));
        p.start(QStringLiteral("xxhsum"), argumente);
        if (!p.waitForFinished(30000))
            return -1;
        if (ausgabe)
            *ausgabe = p.readAllStandardOutput();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
};

// Receipts written by the real xxhsum: a whole archive passes, then one
// changed byte and one missing file are found by xxhsum -c and by the
// program alike, and named in the report.
TEST_F(ArchivPruefenTest, FindsWhatXxhsumFindsAfterOneByteChangedAndOneFileGone)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xxhsum")).isEmpty())
        GTEST_SKIP() << "xxhsum (package xxhash) is not installed";
    env.datei(QStringLiteral("C:\\Archiv\\Img_0001.jpg"), QByteArray(5000, 'a'));
    env.datei(QStringLiteral("C:\\Archiv\\2024\\Img 0002.jpg"), QByteArray(70000, 'b'));
    env.datei(QStringLiteral("C:\\Archiv\\2024\\Mvi_0003.mov"), QByteArray(3, 'c'));
    QByteArray erste;
    QByteArray zweite;
    ASSERT_EQ(xxhsum({"-H2", "Img_0001.jpg", "2024/Img 0002.jpg"}, &erste), 0);
    ASSERT_EQ(xxhsum({"-H2", "2024/Mvi_0003.mov", "Img_0001.jpg"}, &zweite), 0);
    env.datei(QStringLiteral("C:\\Archiv\\Mirbelon-20240301-100000.xxh128"), erste);
    // A run that ended early flags its receipt.
    env.datei(QStringLiteral("C:\\Archiv\\Mirbelon-20240302-100000.xxh128"),
              "# Mirbelon: Lauf vorzeitig beendet\n" + zweite);
    const QStringList listen = {"-c", "Mirbelon-20240301-100000.xxh128", "Mirbelon-20240302-100000.xxh128"};
    ASSERT_EQ(xxhsum(listen), 0);

    PruefErgebnis e = ArchivOrdnerPruefen(ctx(), fenster, QStringLiteral("C:\\Archiv"), {});
    EXPECT_EQ(e.listen, 2);
    EXPECT_EQ(e.dateien, 3); // Img_0001.jpg is in both, read once
    EXPECT_EQ(e.gleich, 3);
    EXPECT_TRUE(e.fehlen.isEmpty() && e.geaendert.isEmpty() && e.unlesbar.isEmpty());
    EXPECT_EQ(fenster.fortschritte.last(), 100);
    EXPECT_EQ(ctx().lauf, Lauf::Keiner);

    QFile f(env.host(QStringLiteral("C:\\Archiv\\2024\\Img 0002.jpg")));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(65536));
    ASSERT_EQ(f.write("B"), 1);
    f.close();
    ASSERT_TRUE(QFile::remove(env.host(QStringLiteral("C:\\Archiv\\2024\\Mvi_0003.mov"))));
    EXPECT_NE(xxhsum(listen), 0);

    env.dialogs.antworteDatei(QStringLiteral("C:\\Archiv\\Mirbelon-20240302-100000.xxh128"));
    ArchivPruefen(ctx(), fenster, {});
    ASSERT_EQ(env.dialogs.gezeigt.size(), 2);
    EXPECT_EQ(env.dialogs.gezeigt.at(0).art, QStringLiteral("file"));
    const auto &bericht = env.dialogs.gezeigt.at(1);
    EXPECT_EQ(bericht.titel, kTitel);
    EXPECT_EQ(bericht.icon, Icon::Exclamation);
    EXPECT_EQ(bericht.text,
              QStringLiteral("Prüfung von »C:\\Archiv«, 2 Prüflisten mit 3 Dateien:\n\n"
                             "Diese Datei fehlt:\n  C:\\Archiv\\2024\\Mvi_0003.mov\n\n"
                             "Diese Datei hat andere Bytes als beim Kopieren:\n"
                             "  C:\\Archiv\\2024\\Img 0002.jpg\n\n"
                             "1 Datei ist unverändert."));
    EXPECT_EQ(fenster.panel(QStringLiteral("Status")),
              QStringLiteral("Archiv geprüft: fehlend 1, verändert 1, unlesbar 0, unverändert 1."));
    EXPECT_EQ(env.dialogs.busy(), 0);
    EXPECT_FALSE(fenster.fortschrittSichtbar);
}

TEST_F(ArchivPruefenTest, AFolderWithoutReceiptsOrAnEndAskedForSaySo)
{
    env.datei(QStringLiteral("C:\\Archiv\\Img_0001.jpg"), "x");
    env.dialogs.antworteDatei(QStringLiteral("C:\\Archiv\\Img_0001.jpg"));
    ArchivPruefen(ctx(), fenster, {});
    ASSERT_EQ(env.dialogs.gezeigt.size(), 2);
    EXPECT_EQ(env.dialogs.gezeigt.at(1).text,
              QStringLiteral("Im Ordner »C:\\Archiv« liegt keine Prüfliste (*.xxh128)."));

    env.datei(QStringLiteral("C:\\Archiv\\alt.XXH128"),
              "00000000000000000000000000000000  Img_0001.jpg\n");
    int gefragt = 0;
    const PruefErgebnis e = ArchivOrdnerPruefen(ctx(), fenster, QStringLiteral("C:\\Archiv"),
                                                [&] { return ++gefragt > 0; });
    EXPECT_TRUE(e.abgebrochen);
    EXPECT_EQ(e.dateien, 1);
    EXPECT_EQ(e.gleich + e.geaendert.size() + e.fehlen.size(), 0);
}

} // namespace
} // namespace mirbelon::test
