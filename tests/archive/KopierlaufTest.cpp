#include "archive/Kopierlauf.h"

#include "archive/Messung.h"
#include "tests/archive/ArchivTest.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include <sys/inotify.h>
#include <unistd.h>

namespace mirbelon::test {
namespace {

// What the run that copied one photo after the other left behind.
constexpr const char *kNamenVorher =
    "2024_0314-090500-01.jpg 2024_0314-090500-02.jpg 2024_0314-090500-03.jpg "
    "2024_0314-090500.jpg 2024_0314-090501-01.jpg 2024_0314-090501.jpg "
    "2024_0314-090502-01.jpg 2024_0314-090502-02.jpg 2024_0314-090502.jpg "
    "2024_0314-090503-01.jpg 2024_0314-090503-02.jpg 2024_0314-090503.jpg "
    "2024_0314-090504-01.jpg 2024_0314-090504-02.jpg 2024_0314-090504.jpg "
    "2024_0314-090505-01.jpg 2024_0314-090505-02.jpg 2024_0314-090505.jpg "
    "2024_0314-090506-01.jpg 2024_0314-090506-02.jpg 2024_0314-090506.jpg "
    "2024_0314-090507-01.jpg 2024_0314-090507-02.jpg 2024_0314-090507.jpg";
constexpr const char *kEinstellungenVorher =
    "[Mirbelon]\r\n"
    "Nr3=29\r\n"
    "[Statistik_Summe]\r\n"
    "Anzahl Sum=24\r\n"
    "Anzahl Cpy=23\r\n"
    "[Statistik_Canon]\r\n"
    "Anzahl Sum=24\r\n"
    "Anzahl Cpy=23\r\n"
    "Anzahl Lst=2026.05.04 10:11:12\r\n"
    "[Performance]\r\n"
    "Messungen=1\r\n";

class KopierlaufTest : public ArchivTest
{
protected:
    void SetUp() override { fenster.zielOhneReaktion("C:\\Archiv\\2024\\Maerz"); }
};

TEST_F(KopierlaufTest, CopiesMarkedPhotosIntoNewNestedFolder)
{
    karte({{"E:\\Dcim\\100canon\\Img_0001.jpg", zeit(14, 9, 5, 30)},
           {"E:\\Dcim\\100canon\\Img_0002.jpg", zeit(14, 9, 5, 32)},
           {"E:\\Dcim\\100canon\\Img_0003.cr2", zeit(14, 9, 5, 34)}},
          {1, 1, 0});
    setzeIni("Mirbelon", "Nr3", "10");
    fenster.muster = "{jjjj}_{mm}{tt}-{hh}{nn}{ss}_{###}";
    QString zielStatusBeiFrage;
    env.dialogs.beimZeigen = [&] { zielStatusBeiFrage = fenster.zielStatus; };

    mnuKopieren(ctx(), liste, fenster);

    // The delete question shows the archive as the run left it: two photos and the receipt.
    EXPECT_TRUE(zielStatusBeiFrage.endsWith("Vorhanden Dateien im Ordner: 3\n")) << zielStatusBeiFrage.toStdString();
    const QString t = "C:\\Archiv\\2024\\Maerz\\";
    EXPECT_EQ(env.inhalt(t + "2024_0314-090530_010.jpg"),
              inhaltVon("E:\\Dcim\\100canon\\Img_0001.jpg"));
    EXPECT_EQ(env.inhalt(t + "2024_0314-090532_011.jpg"),
              inhaltVon("E:\\Dcim\\100canon\\Img_0002.jpg"));
    EXPECT_EQ(QDir(env.host("C:\\Archiv\\2024\\Maerz")).entryList({"*.jpg"}, QDir::Files).size(), 2);
    // Each copy keeps its photo's time.
    EXPECT_EQ(QFileInfo(env.host(t + "2024_0314-090530_010.jpg")).lastModified(), zeit(14, 9, 5, 30));
    EXPECT_EQ(QFileInfo(env.host(t + "2024_0314-090532_011.jpg")).lastModified(), zeit(14, 9, 5, 32));

    EXPECT_EQ(ini("Mirbelon", "Nr3"), "13");
    EXPECT_EQ(ini("Statistik_Summe", "Anzahl Sum"), "3");
    EXPECT_EQ(ini("Statistik_Summe", "Anzahl Cpy"), "2");
    EXPECT_EQ(ini("Statistik_Canon", "Anzahl Sum"), "3");
    EXPECT_EQ(ini("Statistik_Canon", "Anzahl Cpy"), "2");
    EXPECT_EQ(ini("Statistik_Canon", "Anzahl Lst"), "2026.05.04 10:11:12");
    EXPECT_EQ(ini("Performance", "Messungen"), "1");

    EXPECT_TRUE(fenster.statusVerlauf.contains("Kopiere: E:\\Dcim\\100canon\\Img_0002.jpg -> "
                                               + t + "2024_0314-090532_011.jpg"));
    // The bar follows at the screen's rate: not every step, but the last.
    ASSERT_FALSE(fenster.fortschritte.isEmpty());
    EXPECT_EQ(fenster.fortschritte.last(), 100);
    EXPECT_TRUE(std::is_sorted(fenster.fortschritte.begin(), fenster.fortschritte.end()));
    EXPECT_FALSE(fenster.fortschrittSichtbar);
    EXPECT_EQ(liste.aktuell(), 1);
    EXPECT_EQ(env.dialogs.busy(), 0);
    EXPECT_EQ(ctx().lauf, Lauf::Keiner);

    // The delete question follows, with Cancel as its default; Cancel keeps the card.
    ASSERT_EQ(gezeigt(kLoeschFrage), 1);
    EXPECT_EQ(env.dialogs.gezeigt.last().vorgabe, Answer::Cancel);
    EXPECT_TRUE(gibt("E:\\Dcim\\100canon\\Img_0001.jpg"));
    EXPECT_EQ(fenster.beendet, 0);
    EXPECT_GT(fenster.timerHinweise, 0);
    EXPECT_GT(fenster.timerInfo, 0);
}

TEST_F(KopierlaufTest, ClashesGetTwoDigitSuffixWithoutAdvancingTheNumber)
{
    // Three photos of one second; the pattern has no counter.
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)},
           {"E:\\B.jpg", zeit(14, 9, 5, 30)},
           {"E:\\C.jpg", zeit(14, 9, 5, 30)}},
          {1, 1, 1});
    mnuKopieren(ctx(), liste, fenster);
    const QString t = "C:\\Archiv\\2024\\Maerz\\2024_0314-090530";
    EXPECT_EQ(env.inhalt(t + ".jpg"), inhaltVon("E:\\A.jpg"));
    EXPECT_EQ(env.inhalt(t + "-01.jpg"), inhaltVon("E:\\B.jpg"));
    EXPECT_EQ(env.inhalt(t + "-02.jpg"), inhaltVon("E:\\C.jpg"));
    EXPECT_EQ(ini("Mirbelon", "Nr3"), "3");
}

TEST_F(KopierlaufTest, ExistingBaseAndFirstNumberGiveSecondNumber)
{
    const QString t = "C:\\Archiv\\2024\\Maerz\\2024_0314-090530";
    env.datei(t + ".jpg", "alt");
    env.datei(t + "-01.jpg", "alt 1");
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}}, {1});
    mnuKopieren(ctx(), liste, fenster);
    EXPECT_EQ(env.inhalt(t + ".jpg"), "alt");
    EXPECT_EQ(env.inhalt(t + "-01.jpg"), "alt 1");
    EXPECT_EQ(env.inhalt(t + "-02.jpg"), inhaltVon("E:\\A.jpg"));
}

TEST_F(KopierlaufTest, SubFoldersOfThePatternAreMadeAndNumberedThere)
{
    fenster.zielOhneReaktion("C:\\Archiv");
    fenster.muster = "{jjjj}\\{mm}\\{jjjj}_{mm}{tt}-{hh}{nn}{ss}";
    env.datei("C:\\Archiv\\2024\\03\\2024_0314-090530.jpg", "alt");
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(1, 8, 0, 0)}}, {1, 1});

    mnuKopieren(ctx(), liste, fenster);

    EXPECT_EQ(env.inhalt("C:\\Archiv\\2024\\03\\2024_0314-090530.jpg"), "alt");
    EXPECT_EQ(env.inhalt("C:\\Archiv\\2024\\03\\2024_0314-090530-01.jpg"), inhaltVon("E:\\A.jpg"));
    EXPECT_EQ(env.inhalt("C:\\Archiv\\2024\\03\\2024_0301-080000.jpg"), inhaltVon("E:\\B.jpg"));
    EXPECT_FALSE(gibt("C:\\Archiv\\2024_0314-090530-01.jpg"));
}

TEST_F(KopierlaufTest, ClicksDuringTheRunChangeNeitherNamesNorMarks)
{
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {1, 0});
    // The user clicks photo B and marks it while A is being copied.
    QObject::connect(&liste, &FotoListe::aktuellGeaendert, [&](int index) {
        if (index == 0) {
            liste.setAktuell(1);
            liste.setMarkiert(1, true);
        }
    });
    mnuKopieren(ctx(), liste, fenster);
    const QString t = "C:\\Archiv\\2024\\Maerz\\";
    EXPECT_EQ(env.inhalt(t + "2024_0314-090530.jpg"), inhaltVon("E:\\A.jpg"));
    EXPECT_FALSE(gibt(t + "2024_0314-090531.jpg"));
}

TEST_F(KopierlaufTest, DriveRootTargetCopiesIntoTheRoot)
{
    fenster.zielOhneReaktion("C:\\");
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}}, {1});
    mnuKopieren(ctx(), liste, fenster);
    EXPECT_EQ(env.inhalt("C:\\2024_0314-090530.jpg"), inhaltVon("E:\\A.jpg"));
}

TEST_F(KopierlaufTest, WithoutMarksNothingIsCopiedButEverythingElseRuns)
{
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {0, 0});
    setzeIni("Mirbelon", "Nr3", "5");
    setzeIni("Performance", "AnzMin", "50");
    setzeIni("Performance", "BySec", "1000");
    mnuKopieren(ctx(), liste, fenster);

    EXPECT_TRUE(QDir(env.host("C:\\Archiv\\2024\\Maerz")).isEmpty());
    EXPECT_EQ(ini("Statistik_Summe", "Anzahl Sum"), "2");
    EXPECT_EQ(ini("Statistik_Summe", "Anzahl Cpy"), "");
    EXPECT_EQ(ini("Mirbelon", "Nr3"), "7");
    EXPECT_EQ(ini("Performance", "Messungen"), "1");
    // No files in the measured time: the speeds fall to a fifth, or stay when
    // the run took no measurable time; never inf or NaN.
    const QString anzMin = ini("Performance", "AnzMin");
    EXPECT_TRUE(anzMin == "10" || anzMin == "50") << anzMin.toStdString();
    const QString bySec = ini("Performance", "BySec");
    EXPECT_TRUE(bySec == "200" || bySec == "1000") << bySec.toStdString();
    for (const QString &s : fenster.statusVerlauf)
        EXPECT_FALSE(s.startsWith("Kopiere: "));
    EXPECT_EQ(gezeigt(kLoeschFrage), 1);
}

TEST_F(KopierlaufTest, PreconditionsStopWithTheirMessages)
{
    struct Fall
    {
        const char *name;
        QString quelle;
        bool mitFotos;
        QString text;
    };
    for (const Fall &f : {Fall{"no source", "", true,
                               "Wählen Sie bitte vor dem Kopieren ein Quelllaufwerk aus."},
                          Fall{"empty list", "E:\\", false,
                               "Es wurden keine Fotos auf dem Quelllaufwerk gefunden."}}) {
        SCOPED_TRACE(f.name);
        env.dialogs.gezeigt.clear();
        fenster.quelleOhneReaktion(f.quelle);
        liste.setPfade(f.mitFotos ? QStringList{"E:\\A.jpg"} : QStringList{});
        mnuKopieren(ctx(), liste, fenster);
        ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
        const auto &g = env.dialogs.gezeigt.first();
        EXPECT_EQ(g.text, f.text);
        EXPECT_EQ(g.titel, "Fotos kopieren");
        EXPECT_EQ(g.icon, Icon::Exclamation);
        EXPECT_EQ(g.buttons, Buttons::Ok);
        EXPECT_EQ(ini("Performance", "Messungen"), "");
    }
}

TEST_F(KopierlaufTest, SecondRunWhileOneIsGoingOnIsRefused)
{
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}}, {1});
    for (const Lauf lauf : {Lauf::Kopieren, Lauf::Loeschen}) {
        ctx().lauf = lauf;
        mnuKopieren(ctx(), liste, fenster);
        EXPECT_TRUE(fenster.panel("Status").startsWith("Es werden gerade Fotos "));
        EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
        EXPECT_EQ(ini("Statistik_Summe", "Anzahl Sum"), "");
    }
    ctx().lauf = Lauf::Keiner;
    ctx().scanLaeuft = true;
    mnuKopieren(ctx(), liste, fenster);
    EXPECT_TRUE(fenster.panel("Status").startsWith("Die Quelle wird gerade eingelesen"));
    EXPECT_FALSE(gibt("C:\\Archiv\\2024\\Maerz\\2024_0314-090530.jpg"));
}

TEST_F(KopierlaufTest, FailedCopyAnsweredWithCancelEndsTheRun)
{
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {1, 1});
    QFile::remove(env.host("E:\\A.jpg")); // gone after the scan
    env.dialogs.antworte(Answer::Cancel);

    mnuKopieren(ctx(), liste, fenster);

    ASSERT_GE(env.dialogs.gezeigt.size(), 1);
    EXPECT_EQ(env.dialogs.gezeigt.first().titel, kFehlerTitel);
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains(
        "Es ist ein Fehler beim Kopieren aufgetreten."));
    EXPECT_FALSE(gibt("C:\\Archiv\\2024\\Maerz\\2024_0314-090531.jpg"));
    EXPECT_EQ(ini("Performance", "Messungen"), "");
    EXPECT_EQ(gezeigt(kLoeschFrage), 0);
    EXPECT_FALSE(fenster.fortschrittSichtbar);
    EXPECT_EQ(env.dialogs.busy(), 0);
    EXPECT_EQ(ctx().lauf, Lauf::Keiner);
    EXPECT_EQ(ini("Statistik_Summe", "Anzahl Cpy"), "1");
    // B was copied ahead meanwhile; the run that ended leaves nothing of it.
    EXPECT_EQ(QDir(env.host("C:\\Archiv\\2024\\Maerz")).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST_F(KopierlaufTest, FailedCopyAnsweredWithGoingOnCopiesTheRest)
{
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {1, 1});
    QFile::remove(env.host("E:\\A.jpg"));
    env.dialogs.antworte(Answer::No);

    mnuKopieren(ctx(), liste, fenster);

    EXPECT_EQ(gezeigt(kFehlerTitel), 1);
    EXPECT_EQ(env.inhalt("C:\\Archiv\\2024\\Maerz\\2024_0314-090531.jpg"), inhaltVon("E:\\B.jpg"));
    EXPECT_EQ(ini("Performance", "Messungen"), "1");
    EXPECT_EQ(ini("Mirbelon", "Nr3"), "2");
    EXPECT_EQ(gezeigt(kLoeschFrage), 1);
    // No partial or temporary file is left under any name.
    EXPECT_EQ(QDir(env.host("C:\\Archiv\\2024\\Maerz")).entryList({"*.jpg", ".*"}, QDir::Files | QDir::Hidden).size(),
              1);
}

TEST_F(KopierlaufTest, PhotoThatChangedOnTheCardSinceTheRunBeganIsReported)
{
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {1, 1});
    // The camera, still attached, rewrites A once the run has begun, before
    // it is copied.
    fenster.beiFortschritt = [&](int) {
        if (fenster.fortschritte.size() != 1)
            return;
        QFile f(env.host("E:\\A.jpg"));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("mehr");
        f.flush();
        f.setFileTime(zeit(14, 9, 5, 30), QFileDevice::FileModificationTime);
    };
    env.dialogs.antworte(Answer::No); // report: go on

    mnuKopieren(ctx(), liste, fenster);

    ASSERT_EQ(gezeigt(kFehlerTitel), 1);
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains(
        "Die Datei »E:\\A.jpg« hat sich auf der Karte geändert"));
    const QString t = "C:\\Archiv\\2024\\Maerz\\";
    EXPECT_EQ(env.inhalt(t + "2024_0314-090530.jpg"), inhaltVon("E:\\A.jpg") + "mehr");
    EXPECT_EQ(env.inhalt(t + "2024_0314-090531.jpg"), inhaltVon("E:\\B.jpg"));
}

TEST_F(KopierlaufTest, EmptiedCardEndsTheProgramAfterThePostRunCommand)
{
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {1, 0});
    env.datei("E:\\Foto.ini", "[Infos]\r\nPostRun=echo fertig\r\n");
    env.dialogs.antworte(Answer::Yes); // allow the post-run command, asked first
    env.dialogs.antworte(Answer::Yes); // delete all

    mnuKopieren(ctx(), liste, fenster);

    EXPECT_FALSE(gibt("E:\\A.jpg"));
    EXPECT_FALSE(gibt("E:\\B.jpg"));
    EXPECT_EQ(liste.anzahl(), 0);
    ASSERT_EQ(env.processes.gestartet.size(), 1);
    EXPECT_EQ(env.processes.gestartet.first().argumente.mid(0, 2), QStringList({"-c", "echo fertig"}));
    EXPECT_EQ(env.processes.gestartet.first().stil, WindowStyle::Normal);
    EXPECT_EQ(fenster.beendet, 1);
}

TEST_F(KopierlaufTest, PipelinedRunGivesTheNamesAndSettingsOfAPhotoByPhotoRun)
{
    QList<std::pair<QString, QDateTime>> fotos;
    std::vector<char> marken;
    for (int k = 0; k < 24; ++k) {
        fotos.append({QStringLiteral("E:\\Dcim\\Img_%1.jpg").arg(k, 4, 10, QLatin1Char('0')),
                      zeit(14, 9, 5, k / 3)});
        marken.push_back(k == 5 ? 0 : 1);
    }
    karte(fotos, marken);
    env.datei("C:\\Archiv\\2024\\Maerz\\2024_0314-090500.jpg", "schon da");
    setzeIni("Mirbelon", "Nr3", "5");
    fenster.muster = "{jjjj}_{mm}{tt}-{hh}{nn}{ss}";
    env.system->tick = 1000; // no measurable time: the stored speeds stay

    mnuKopieren(ctx(), liste, fenster);

    // Recorded from the run that copied and named one photo after the other.
    const QStringList namen = QDir(env.host("C:\\Archiv\\2024\\Maerz")).entryList({"*.jpg"}, QDir::Files, QDir::Name);
    EXPECT_EQ(namen.join(' '), QString(kNamenVorher));
    EXPECT_EQ(env.inhalt("C:\\Archiv\\2024\\Maerz\\2024_0314-090500-01.jpg"), inhaltVon("E:\\Dcim\\Img_0000.jpg"));
    EXPECT_EQ(env.inhalt("C:\\Prg\\Mirbelon.ini"), QByteArray(kEinstellungenVorher));
}

TEST_F(KopierlaufTest, SettingsReachTheDiskOnceASecondNotOncePerPhoto)
{
    constexpr int kFotos = 80;
    QList<std::pair<QString, QDateTime>> fotos;
    for (int k = 0; k < kFotos; ++k)
        fotos.append({QStringLiteral("E:\\Img_%1.jpg").arg(k), zeit(14, 9, k / 60, k % 60)});
    karte(fotos, std::vector<char>(kFotos, 1));
    setzeIni("Mirbelon", "Nr3", "0");
    const int wache = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(wache, 0);
    ASSERT_GE(::inotify_add_watch(wache, QFile::encodeName(env.host("C:\\Prg")).constData(),
                                  IN_MOVED_TO | IN_CLOSE_WRITE),
              0);
    QElapsedTimer uhr;
    uhr.start();

    mnuKopieren(ctx(), liste, fenster);

    const qint64 sekunden = uhr.elapsed() / 1000;
    int schreiben = 0;
    alignas(inotify_event) char puffer[1 << 16];
    for (ssize_t n; (n = ::read(wache, puffer, sizeof puffer)) > 0;) {
        for (char *p = puffer; p < puffer + n;) {
            const auto *e = reinterpret_cast<const inotify_event *>(p);
            schreiben += e->len > 0 && QByteArray(e->name) == "Mirbelon.ini" ? 1 : 0;
            p += sizeof(inotify_event) + e->len;
        }
    }
    ::close(wache);
    EXPECT_EQ(ini("Statistik_Summe", "Anzahl Cpy"), QString::number(kFotos));
    EXPECT_EQ(ini("Mirbelon", "Nr3"), QString::number(kFotos));
    // Once a second, once at the end and once for the delete question's box.
    EXPECT_LE(schreiben, 3 + sekunden) << "in " << sekunden << " s";
}

TEST(Messung, NewMeasurementWeighsFourFifths)
{
    TestUmgebung env;
    Context &ctx = *env.ctx;
    IniSchreiben(ctx, ctx.einstellungsDatei, "Performance", "AnzMin", "100");
    IniSchreiben(ctx, ctx.einstellungsDatei, "Performance", "BySec", "500");
    GeschwindigkeitSpeichern(ctx, 2000, 10, 4000); // 300 files/min, 2000 bytes/s
    EXPECT_EQ(IniLesen(ctx, ctx.einstellungsDatei, "Performance", "AnzMin", {}), "260");
    EXPECT_EQ(IniLesen(ctx, ctx.einstellungsDatei, "Performance", "BySec", {}), "1700");
    EXPECT_EQ(IniLesen(ctx, ctx.einstellungsDatei, "Performance", "Messungen", {}), "1");
}

TEST(Messung, RunOfNoMeasurableTimeKeepsTheStoredSpeeds)
{
    TestUmgebung env;
    Context &ctx = *env.ctx;
    IniSchreiben(ctx, ctx.einstellungsDatei, "Performance", "AnzMin", "100");
    GeschwindigkeitSpeichern(ctx, 0, 10, 4000);
    EXPECT_EQ(IniLesen(ctx, ctx.einstellungsDatei, "Performance", "AnzMin", {}), "100");
    EXPECT_EQ(IniLesen(ctx, ctx.einstellungsDatei, "Performance", "BySec", {}), "");
    EXPECT_EQ(IniLesen(ctx, ctx.einstellungsDatei, "Performance", "Messungen", {}), "1");
    EXPECT_DOUBLE_EQ(Geglaettet(0, 50), 10);
}

} // namespace
} // namespace mirbelon::test
