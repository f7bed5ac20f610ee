#include "archive/Kopierlauf.h"

#include "frame/Einstellungswerte.h"
#include "tests/archive/ArchivTest.h"

namespace mirbelon::test {
namespace {

const QString kT = QStringLiteral("C:\\Archiv\\2024_0314-090530");

int DateienIn(const QString &host)
{
    return int(QDir(host).entryList({"*.jpg"}, QDir::Files).size());
}

TEST_F(ArchivTest, ReImportCopiesNothingAndSaysSo)
{
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {1, 1});
    mnuKopieren(ctx(), liste, fenster);
    ASSERT_EQ(DateienIn(env.host("C:\\Archiv")), 2);
    ctx().kopien.clear(); // as after a new start of the program

    mnuKopieren(ctx(), liste, fenster);

    EXPECT_EQ(DateienIn(env.host("C:\\Archiv")), 2);
    EXPECT_TRUE(ctx().laufZeile.startsWith("Kopiert: 0 Fotos")) << ctx().laufZeile.toStdString();
    EXPECT_TRUE(ctx().laufZeile.endsWith("; 2 Fotos lagen schon im Archiv")) << ctx().laufZeile.toStdString();
    EXPECT_EQ(ini("Statistik_Summe", "Anzahl Cpy"), "4");
    // The files already there stand for the photos in the deletion.
    ASSERT_EQ(ctx().kopien.size(), 2);
    EXPECT_EQ(ctx().kopien.value(QFile::encodeName(env.host("E:\\B.jpg"))).ziel,
              env.host("C:\\Archiv\\2024_0314-090531.jpg"));
    // None of the copies made ahead is left.
    EXPECT_FALSE(gibt("C:\\Archiv\\.mirbelon-vorab"));
}

TEST_F(ArchivTest, OnlyTheSameBytesCountAsAlreadyInTheArchive)
{
    const QByteArray karteA = inhaltVon("E:\\A.jpg");
    QByteArray gleichGross = karteA;
    gleichGross[gleichGross.size() - 1] = 'x';
    struct Fall
    {
        const char *name;
        QList<std::pair<QString, QByteArray>> archiv;
        const char *doppelte;
        QString neu;    // the copy this run makes; empty: none
        int schonDa;
    };
    const QList<Fall> faelle = {
        {"same size, other bytes", {{".jpg", gleichGross}}, "Auslassen", "-01.jpg", 0},
        {"other size", {{".jpg", karteA + "x"}}, "Auslassen", "-01.jpg", 0},
        {"same bytes under the clash name", {{".jpg", gleichGross}, {"-01.jpg", karteA}}, "Auslassen", "", 1},
        {"switched off", {{".jpg", karteA}}, "Kopieren", "-01.jpg", 0},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        QDir(env.host("C:\\Archiv")).removeRecursively();
        for (const auto &[endung, inhalt] : f.archiv)
            env.datei(kT + endung, inhalt);
        karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}}, {1});
        setzeIni("Mirbelon", "Doppelte", f.doppelte);
        EinstellungswerteLesen(ctx());
        ctx().kopien.clear();

        mnuKopieren(ctx(), liste, fenster);

        EXPECT_EQ(DateienIn(env.host("C:\\Archiv")), f.archiv.size() + (f.neu.isEmpty() ? 0 : 1));
        if (!f.neu.isEmpty()) {
            EXPECT_EQ(env.inhalt(kT + f.neu), karteA);
        }
        EXPECT_EQ(ctx().laufZeile.contains("schon im Archiv"), f.schonDa > 0) << ctx().laufZeile.toStdString();
        for (const auto &[endung, inhalt] : f.archiv)
            EXPECT_EQ(env.inhalt(kT + endung), inhalt);
    }
}

} // namespace
} // namespace mirbelon::test
