#include "archive/Kopierlauf.h"

#include "tests/archive/ArchivTest.h"
#include "tests/support/Einhaengung.h"

namespace mirbelon::test {
namespace {

const QString kKopierTitel = QStringLiteral("Fotos kopieren");

class ZweitesZielTest : public ArchivTest
{
protected:
    // Three photos of 300 KB, different bytes each.
    void grosseKarte()
    {
        karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)},
               {"E:\\C.jpg", zeit(14, 9, 5, 32)}},
              {1, 1, 1});
        for (const char *foto : {"E:\\A.jpg", "E:\\B.jpg", "E:\\C.jpg"}) {
            env.datei(foto, inhaltVon(foto) + QByteArray(300 << 10, foto[3]));
            stempeln(foto, zeit(14, 9, 5, 30 + foto[3] - 'A'));
        }
    }
    static QString ziel(const char *ordner, char foto)
    {
        return QStringLiteral("%1\\2024_0314-09053%2.jpg").arg(ordner).arg(foto - 'A');
    }
    Einhaengung einhaengung;
};

TEST_F(ZweitesZielTest, EachPhotoGoesToBothDestinationsAndIsReadBackFromBoth)
{
    grosseKarte();
    setzeIni("Mirbelon", "ZweitesZiel", "C:\\Sicherung\\{jjjj}");
    env.dialogs.antworte(Answer::No); // delete the copied ones
    mnuKopieren(ctx(), liste, fenster);

    for (char foto : {'A', 'B', 'C'}) {
        EXPECT_GT(env.inhalt(ziel("C:\\Archiv", foto)).size(), 300 << 10);
        EXPECT_EQ(env.inhalt(ziel("C:\\Sicherung\\2026", foto)), env.inhalt(ziel("C:\\Archiv", foto)));
    }
    EXPECT_TRUE(gibt("C:\\Sicherung\\2026\\Mirbelon-20260504-101112.xxh128"));
    EXPECT_FALSE(gibt("C:\\Sicherung\\2026\\.mirbelon-vorab"));
    EXPECT_EQ(gezeigt(kKopierTitel), 0);
    EXPECT_FALSE(gibt("E:\\A.jpg"));
    EXPECT_FALSE(gibt("E:\\C.jpg"));
}

TEST_F(ZweitesZielTest, SecondDestinationFullOrAbsentIsReportedOnceAndTheRunGoesOn)
{
    struct Fall
    {
        const char *name;
        std::function<bool()> vorbereiten; // false: not possible on this host
        QString zweites;
        QString mitZweiter; // photos with a second copy
    };
    const QList<Fall> faelle = {
        {"full small tmpfs",
         [&] {
             env.ordner("C:\\Sicherung");
             return einhaengung.tmpfs(env.host("C:\\Sicherung"), "480k");
         },
         "C:\\Sicherung", "A"},
        {"drive not there", [] { return true; }, "F:\\Sicherung", ""},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        if (!f.vorbereiten()) {
            std::cerr << "skipped: " << f.name << " cannot be set up on this host\n";
            continue;
        }
        QDir(env.host("C:\\Archiv")).removeRecursively();
        grosseKarte();
        ctx().kopien.clear();
        env.dialogs.gezeigt.clear();
        setzeIni("Mirbelon", "ZweitesZiel", f.zweites);
        env.dialogs.antworte(Answer::Ok); // the report
        env.dialogs.antworte(Answer::No); // delete the copied ones

        mnuKopieren(ctx(), liste, fenster);

        ASSERT_EQ(gezeigt(kKopierTitel), 1);
        const QString bericht = env.dialogs.gezeigt.first().text;
        for (char foto : {'A', 'B', 'C'}) {
            const bool zweite = f.mitZweiter.contains(QLatin1Char(foto));
            const QString karte = QStringLiteral("E:\\%1.jpg").arg(foto);
            EXPECT_TRUE(gibt(ziel("C:\\Archiv", foto))) << foto;
            EXPECT_EQ(gibt(ziel("C:\\Sicherung", foto)), zweite) << foto;
            EXPECT_EQ(bericht.contains(karte), !zweite) << bericht.toStdString();
            // Only a photo with both copies counts as copied: "Nein" keeps the others.
            EXPECT_EQ(gibt(karte), !zweite) << foto;
        }
        // The question, and the line of the photos that stay.
        EXPECT_EQ(gezeigt(kLoeschFrage), 2);
        einhaengung.loesen();
    }
}

// A full second destination that holds the photos already needs no copy of
// them: nothing to report, and "Nein" deletes them.
TEST_F(ZweitesZielTest, AFullSecondDestinationThatHoldsThePhotosIsNoFault)
{
    grosseKarte();
    env.ordner("C:\\Sicherung");
    if (!einhaengung.tmpfs(env.host("C:\\Sicherung"), "1m"))
        GTEST_SKIP() << "no tmpfs on this host";
    for (char foto : {'A', 'B', 'C'})
        env.datei(ziel("C:\\Sicherung", foto), env.inhalt(QStringLiteral("E:\\%1.jpg").arg(foto)));
    QFile fueller(env.host("C:\\Sicherung\\voll"));
    ASSERT_TRUE(fueller.open(QIODevice::WriteOnly));
    while (fueller.write(QByteArray(4096, 'x')) == 4096 && fueller.flush()) {
    }
    fueller.close();
    setzeIni("Mirbelon", "ZweitesZiel", "C:\\Sicherung");
    env.dialogs.antworte(Answer::No); // no room for the receipt: no mail of it
    env.dialogs.antworte(Answer::No); // delete the copied ones

    mnuKopieren(ctx(), liste, fenster);

    EXPECT_EQ(gezeigt(kKopierTitel), 0) << "no photo lacks its second copy";
    for (char foto : {'A', 'B', 'C'}) {
        EXPECT_TRUE(gibt(ziel("C:\\Archiv", foto))) << foto;
        EXPECT_FALSE(gibt(QStringLiteral("E:\\%1.jpg").arg(foto))) << foto;
    }
    einhaengung.loesen();
}

} // namespace
} // namespace mirbelon::test
