#include "archive/Kopierlauf.h"
#include "archive/Loeschen.h"

#include "platform/posix/PosixFileSystem.h"
#include "tests/archive/ArchivTest.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <functional>

namespace mirbelon::test {
namespace {

const QString kSchreibschutz = QStringLiteral("Schreibgeschützte Datei auf Quell-Laufwerk löschen?");

class LoeschenTest : public ArchivTest
{
protected:
    void SetUp() override
    {
        karte({{"E:\\Dcim\\Img_0001.jpg", zeit(14, 9, 0, 0)},
               {"E:\\Dcim\\Img_0002.jpg", zeit(14, 9, 0, 2)},
               {"E:\\Dcim\\Img_0003.jpg", zeit(14, 9, 0, 4)}},
              {1, 0, 1});
        ASSERT_FALSE(env.files->setReadOnly("E:\\Dcim\\Img_0002.jpg", true));
    }
    bool aufKarte(int n) const { return gibt(QString("E:\\Dcim\\Img_000%1.jpg").arg(n)); }
    bool imTemp(int n) const { return gibt(QString("C:\\Tmp\\Img_000%1.jpg").arg(n)); }
    // A card of marked photos Bild_1.jpg ... copied by a run whose delete
    // question was answered Cancel.
    void kopierteKarte(int anzahl, int minute)
    {
        QList<std::pair<QString, QDateTime>> fotos;
        for (int n = 1; n <= anzahl; ++n)
            fotos.append({QString("E:\\Dcim\\Bild_%1.jpg").arg(n), zeit(14, 9, minute, 2 * n)});
        karte(fotos, std::vector<char>(fotos.size(), 1));
        env.dialogs.antworte(Answer::Cancel);
        mnuKopieren(ctx(), liste, fenster);
    }
};

TEST_F(LoeschenTest, QuestionOffersAllMarkedOrNoneWithCancelAsDefault)
{
    mnuLoeschenAlle(ctx(), liste, fenster);
    ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
    const auto &g = env.dialogs.gezeigt.first();
    EXPECT_EQ(g.text, "Welche Bilder sollen gelöscht werden:\r\n\r\n* alle Fotos löschen (ja)\r\n"
                      "* markierten Fotos löschen (nein)\r\n* keine Fotos löschen (abbrechen)\r\n\r\n"
                      "Ja: 3 Fotos, davon 3 nicht kopiert (*.jpg). Nein: 2 markierte Fotos.");
    EXPECT_EQ(g.titel, kLoeschFrage);
    EXPECT_EQ(g.icon, Icon::Question);
    EXPECT_EQ(g.buttons, Buttons::YesNoCancel);
    EXPECT_EQ(g.vorgabe, Answer::Cancel);
    // Cancel: nothing deleted, no rescan, no progress.
    EXPECT_TRUE(aufKarte(1) && aufKarte(2) && aufKarte(3));
    EXPECT_EQ(liste.markiert(1), false);
    EXPECT_EQ(liste.anzahl(), 3);
    EXPECT_TRUE(fenster.fortschritte.isEmpty());
    EXPECT_EQ(fenster.timerHinweise, 0);
}

TEST_F(LoeschenTest, YesDeletesAllButReadOnlyPhotoAnsweredWithCancel)
{
    fenster.vorschauSichtbar = true;
    env.dialogs.antworte(Answer::Yes);
    env.dialogs.antworte(Answer::Cancel);

    mnuLoeschenAlle(ctx(), liste, fenster);

    EXPECT_EQ(gezeigt(kSchreibschutz), 1);
    EXPECT_EQ(env.dialogs.gezeigt.at(1).text,
              "Die Datei »E:\\Dcim\\Img_0002.jpg« ist schreibgeschützt. Trotzdem löschen?");
    EXPECT_EQ(env.dialogs.gezeigt.at(1).buttons, Buttons::OkCancel);
    EXPECT_FALSE(aufKarte(1));
    EXPECT_TRUE(aufKarte(2));
    EXPECT_FALSE(aufKarte(3));
    EXPECT_EQ(env.inhalt("C:\\Tmp\\Img_0001.jpg"), inhaltVon("E:\\Dcim\\Img_0001.jpg"));
    EXPECT_FALSE(imTemp(2));
    EXPECT_TRUE(imTemp(3));
    EXPECT_TRUE(fenster.statusVerlauf.contains("Lösche: E:\\Dcim\\Img_0003.jpg"));
    EXPECT_EQ(fenster.fortschritte, (QList<int>{33, 67, 100}));
    EXPECT_FALSE(fenster.fortschrittSichtbar);
    // Rescanned: only the read-only photo is left.
    EXPECT_EQ(liste.pfade(), QStringList{"E:\\Dcim\\Img_0002.jpg"});
    EXPECT_GT(fenster.timerHinweise, 0);
    EXPECT_FALSE(fenster.vorschauSichtbar);
    EXPECT_EQ(ctx().lauf, Lauf::Keiner);
}

TEST_F(LoeschenTest, ReadOnlyPhotoAnsweredWithOkIsDeleted)
{
    env.dialogs.antworte(Answer::Yes);
    env.dialogs.antworte(Answer::Ok);
    mnuLoeschenAlle(ctx(), liste, fenster);
    EXPECT_FALSE(aufKarte(1) || aufKarte(2) || aufKarte(3));
    EXPECT_TRUE(imTemp(2));
    EXPECT_EQ(liste.anzahl(), 0);
}

TEST_F(LoeschenTest, NoDeletesOnlyTheMarked)
{
    env.dialogs.antworte(Answer::No);
    mnuLoeschenAlle(ctx(), liste, fenster);
    EXPECT_EQ(gezeigt(kSchreibschutz), 0);
    EXPECT_FALSE(aufKarte(1));
    EXPECT_TRUE(aufKarte(2));
    EXPECT_FALSE(aufKarte(3));
    EXPECT_EQ(fenster.fortschritte, (QList<int>{33, 100}));
}

TEST_F(LoeschenTest, NoWithoutMarksDeletesNothingButRescans)
{
    liste.setMarken({0, 0, 0});
    env.dialogs.antworte(Answer::No);
    mnuLoeschenAlle(ctx(), liste, fenster);
    EXPECT_TRUE(aufKarte(1) && aufKarte(2) && aufKarte(3));
    EXPECT_FALSE(fenster.fortschrittSichtbar);
    EXPECT_GT(fenster.timerInit, 0); // the scan arms it
    EXPECT_EQ(liste.anzahl(), 3);
}

TEST_F(LoeschenTest, PhotoWhoseSafetyCopyFailedIsNotDeleted)
{
    ctx().ordner.tmp = "C:\\Tmp\\Fehlt\\Noch";
    env.dialogs.antworte(Answer::No); // marked
    env.dialogs.antworte(Answer::No); // report: go on
    env.dialogs.antworte(Answer::No); // report: go on
    mnuLoeschenAlle(ctx(), liste, fenster);
    // No record of a safety copy can be written there: the deletion stops at once.
    EXPECT_EQ(gezeigt(kFehlerTitel), 1);
    EXPECT_TRUE(env.dialogs.gezeigt.at(1).text.contains(
        "Es ist ein Fehler beim Löschen der markierten Fotos aufgetreten."));
    EXPECT_TRUE(env.dialogs.gezeigt.at(1).text.contains("eintragen"));
    EXPECT_TRUE(aufKarte(1) && aufKarte(2) && aufKarte(3));
    EXPECT_EQ(liste.anzahl(), 3);
}

TEST_F(LoeschenTest, ReadOnlyPhotoKeepsItsProtectionWhenItsSafetyCopyFails)
{
    ctx().ordner.tmp = "C:\\Tmp\\Fehlt\\Noch";
    liste.setMarken({0, 1, 0});
    env.dialogs.antworte(Answer::No); // marked
    env.dialogs.antworte(Answer::Ok); // delete it all the same
    env.dialogs.antworte(Answer::No); // report: go on
    mnuLoeschenAlle(ctx(), liste, fenster);
    EXPECT_TRUE(aufKarte(2));
    EXPECT_TRUE(env.files->isReadOnly("E:\\Dcim\\Img_0002.jpg"));
}

TEST_F(LoeschenTest, CancelledReportEndsWithoutRescan)
{
    ctx().ordner.tmp = "C:\\Tmp\\Fehlt\\Noch";
    env.dialogs.antworte(Answer::Yes);
    env.dialogs.antworte(Answer::Cancel);
    mnuLoeschenAlle(ctx(), liste, fenster);
    EXPECT_EQ(gezeigt(kFehlerTitel), 1);
    EXPECT_TRUE(aufKarte(1) && aufKarte(2) && aufKarte(3));
    EXPECT_FALSE(fenster.fortschrittSichtbar);
    EXPECT_EQ(fenster.timerInit, 0);
    EXPECT_EQ(fenster.timerHinweise, 0);
    EXPECT_EQ(ctx().lauf, Lauf::Keiner);
}

TEST_F(LoeschenTest, SafetyCopiesOfOneNameNeverReplaceEachOtherAndTheMenuDeletesOnlyOurs)
{
    env.datei("C:\\Tmp\\IMG_0001.JPG", "von letzter Woche, nicht verzeichnet");
    env.datei("E:\\Dcim\\101canon\\Img_0001.jpg", "zweite");
    liste.setPfade({"E:\\Dcim\\Img_0001.jpg", "E:\\Dcim\\101canon\\Img_0001.jpg"});
    liste.setMarken({1, 1});
    env.dialogs.antworte(Answer::No);
    mnuLoeschenAlle(ctx(), liste, fenster);
    EXPECT_FALSE(aufKarte(1));
    EXPECT_FALSE(gibt("E:\\Dcim\\101canon\\Img_0001.jpg"));
    // "101canon" sorts before "Img_0001.jpg", so the photo of the folder itself came last.
    EXPECT_EQ(env.inhalt("C:\\Tmp\\IMG_0001.JPG"), "von letzter Woche, nicht verzeichnet");
    EXPECT_EQ(env.inhalt("C:\\Tmp\\Img_0001-01.jpg"), "zweite");
    EXPECT_EQ(env.inhalt("C:\\Tmp\\Img_0001-02.jpg"), inhaltVon("E:\\Dcim\\Img_0001.jpg"));

    env.dialogs.antworte(Answer::Yes);
    mnuLoeschenTmp(ctx(), true);
    EXPECT_TRUE(env.dialogs.gezeigt.last().text.contains("2 Sicherheitskopien"));
    EXPECT_FALSE(gibt("C:\\Tmp\\Img_0001-01.jpg") || gibt("C:\\Tmp\\Img_0001-02.jpg"));
    EXPECT_TRUE(gibt("C:\\Tmp\\IMG_0001.JPG"));
}

// Copied by a run whose delete question was answered Cancel, then changed
// on disk, then the menu's deletion: the photo stays and is named.
TEST_F(LoeschenTest, PhotoWhoseCopiesDoNotReadBackAsTheCardsBytesStays)
{
    const QString archiv = "C:\\Archiv\\2024_0314-090000.jpg";
    const QString karte1 = "E:\\Dcim\\Img_0001.jpg";
    const auto kippen = [this](const QString &pfad) {
        QFile f(env.host(pfad));
        const QDateTime zeit = QFileInfo(f).lastModified();
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(100);
        f.write("X");
        f.setFileTime(zeit, QFileDevice::FileModificationTime);
    };
    struct Fall
    {
        const char *name;
        std::function<void()> aendern;
        QString gemeldet;
    };
    const Fall faelle[] = {
        {"archive copy changed", [&] { kippen(archiv); },
         "Die Kopie »" + archiv + "« von »" + karte1 + "« lässt sich nicht so zurücklesen"},
        {"archive copy gone", [&] { QFile::remove(env.host(archiv)); },
         "Die Kopie »" + archiv + "« von »" + karte1 + "« lässt sich nicht so zurücklesen"},
        {"card gives other bytes", [&] { kippen(karte1); },
         "Die Datei »" + karte1 + "« hat sich auf der Karte geändert, seit sie aufgelistet und kopiert wurde"},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        QDir(env.host("C:\\Archiv")).removeRecursively();
        QDir(env.host("C:\\Tmp")).removeRecursively();
        env.ordner("C:\\Tmp");
        ctx().kopien.clear();
        karte({{karte1, zeit(14, 9, 0, 0)}, {"E:\\Dcim\\Img_0003.jpg", zeit(14, 9, 0, 4)}}, {1, 1});
        env.dialogs.antworte(Answer::Cancel);
        fenster.zielOhneReaktion("C:\\Archiv");
        mnuKopieren(ctx(), liste, fenster);
        ASSERT_TRUE(gibt(archiv));

        f.aendern();
        env.dialogs.gezeigt.clear();
        env.dialogs.antworte(Answer::Yes);
        env.dialogs.antworte(Answer::No); // report: go on
        mnuLoeschenAlle(ctx(), liste, fenster);

        EXPECT_TRUE(gibt(karte1));
        EXPECT_FALSE(aufKarte(3));
        ASSERT_EQ(gezeigt(kFehlerTitel), 1);
        EXPECT_TRUE(env.dialogs.gezeigt.at(1).text.contains(f.gemeldet))
            << env.dialogs.gezeigt.at(1).text.toStdString();
        EXPECT_TRUE(env.dialogs.gezeigt.at(1).text.contains("Das Foto wird nicht gelöscht."));
    }
}

// The safety copies of the photos after the current one are made and read
// back ahead of their turn; at its turn each photo still goes through its
// steps in list order, with its own copy under its own name.
TEST_F(LoeschenTest, ManyPhotosGoInListOrderEachWithItsOwnCheckedCopy)
{
    QList<std::pair<QString, QDateTime>> fotos;
    for (int n = 10; n < 50; ++n)
        fotos.append({QString("E:\\Dcim\\Img_00%1.jpg").arg(n), zeit(14, 9, 1, n)});
    // Two of one name in another folder, far apart in the list.
    fotos.append({"E:\\Dcim\\Z\\Img_0010.jpg", zeit(14, 9, 2, 0)});
    karte(fotos, std::vector<char>(size_t(fotos.size()), 0));
    const int anzahl = int(fotos.size());
    env.dialogs.antworte(Answer::Yes);

    mnuLoeschenAlle(ctx(), liste, fenster);

    EXPECT_EQ(gezeigt(kFehlerTitel), 0);
    QList<int> fortschritte;
    QStringList status;
    for (int i = 0; i < anzahl; ++i) {
        const QString &pfad = fotos.at(i).first;
        EXPECT_FALSE(gibt(pfad)) << pfad.toStdString();
        fortschritte << qRound((i + 1) * 100.0f / anzahl);
        status << "Lösche: " + pfad;
    }
    EXPECT_EQ(fenster.fortschritte, fortschritte);
    QStringList geloescht;
    for (const QString &s : std::as_const(fenster.statusVerlauf))
        if (s.startsWith("Lösche: "))
            geloescht << s;
    EXPECT_EQ(geloescht, status);
    for (int n = 11; n < 50; ++n)
        EXPECT_EQ(env.inhalt(QString("C:\\Tmp\\Img_00%1.jpg").arg(n)),
                  inhaltVon(QString("E:\\Dcim\\Img_00%1.jpg").arg(n)));
    EXPECT_EQ(env.inhalt("C:\\Tmp\\Img_0010.jpg"), inhaltVon("E:\\Dcim\\Img_0010.jpg"));
    EXPECT_EQ(env.inhalt("C:\\Tmp\\Img_0010-01.jpg"), inhaltVon("E:\\Dcim\\Z\\Img_0010.jpg"));

    env.dialogs.gezeigt.clear();
    mnuLoeschenTmp(ctx(), true);
    ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains(QString("%1 Sicherheitskopien").arg(anzahl)));
}

// Copied by a run, then the deletion: the archive copy of the second photo
// no longer reads back, and its report is answered Cancel. The copies made
// ahead for the photos after it are taken away again; theirs stay on the card.
TEST_F(LoeschenTest, CancelledReportTakesAwayTheCopiesMadeAheadForLaterPhotos)
{
    kopierteKarte(6, 3);
    ASSERT_EQ(ctx().kopien.size(), 6);
    const QString zweiteArchiv =
        env.files->programPath(ctx().kopien.value(env.files->hostFile(QString("E:\\Dcim\\Bild_2.jpg"))).ziel);
    {
        QFile f(env.host(zweiteArchiv));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(100);
        f.write("X");
    }

    env.dialogs.gezeigt.clear();
    env.dialogs.antworte(Answer::Yes);
    env.dialogs.antworte(Answer::Cancel); // report on the second photo
    mnuLoeschenAlle(ctx(), liste, fenster);

    ASSERT_EQ(gezeigt(kFehlerTitel), 1);
    EXPECT_TRUE(env.dialogs.gezeigt.at(1).text.contains("Die Kopie »" + zweiteArchiv + "«"));
    EXPECT_FALSE(gibt("E:\\Dcim\\Bild_1.jpg"));
    for (int n = 2; n <= 6; ++n)
        EXPECT_TRUE(gibt(QString("E:\\Dcim\\Bild_%1.jpg").arg(n))) << n;
    // As one by one: the copies of the photos whose turn came, and no more.
    EXPECT_EQ(QDir(env.host("C:\\Tmp")).entryList({"Bild_*"}, QDir::Files),
              (QStringList{"Bild_1.jpg", "Bild_2.jpg"}));
    EXPECT_EQ(ctx().lauf, Lauf::Keiner);
}

// The copy of a later photo is made while an earlier photo's report is
// open; the photo then changes on the card. At its turn it is no longer the
// file that was listed and copied: it stays, and so does its copy made ahead.
TEST_F(LoeschenTest, PhotoChangedOnTheCardAfterItsCopyWasMadeAheadStays)
{
    const QString erste = "E:\\Dcim\\Bild_1.jpg";
    const QString vierte = "E:\\Dcim\\Bild_4.jpg";
    kopierteKarte(5, 4);
    const Kopiert archiv = ctx().kopien.value(env.files->hostFile(erste));
    {
        QFile f(archiv.ziel);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(100);
        f.write("X");
    }

    const QByteArray neu = inhaltVon(vierte) + "neu";
    bool geaendert = false;
    env.dialogs.beimZeigen = [&] {
        if (geaendert || env.dialogs.gezeigt.last().titel != kFehlerTitel)
            return;
        geaendert = true;
        QThread::msleep(300); // the copies ahead are made meanwhile
        env.datei(vierte, neu);
        stempeln(vierte, zeit(15, 10, 0, 0));
    };
    env.dialogs.gezeigt.clear();
    env.dialogs.antworte(Answer::Yes);
    env.dialogs.antworte(Answer::No); // report on the first photo: go on
    env.dialogs.antworte(Answer::No); // report on the fourth photo: go on
    mnuLoeschenAlle(ctx(), liste, fenster);
    env.dialogs.beimZeigen = {};

    ASSERT_TRUE(geaendert);
    ASSERT_EQ(gezeigt(kFehlerTitel), 2);
    EXPECT_TRUE(env.dialogs.gezeigt.last().text.contains(
        "Die Datei »" + vierte + "« hat sich auf der Karte geändert"))
        << env.dialogs.gezeigt.last().text.toStdString();
    EXPECT_TRUE(gibt(erste));
    EXPECT_FALSE(gibt("E:\\Dcim\\Bild_2.jpg") || gibt("E:\\Dcim\\Bild_3.jpg") || gibt("E:\\Dcim\\Bild_5.jpg"));
    EXPECT_TRUE(gibt(vierte));
    EXPECT_EQ(env.inhalt(vierte), neu);
    // The copy made ahead of the old bytes is not kept for it.
    EXPECT_FALSE(gibt("C:\\Tmp\\Bild_4.jpg") || gibt("C:\\Tmp\\Bild_4-01.jpg"));
}

// A disk that gives back other bytes than it was given for the safety
// copies, as a failing card reader or disk might: no photo is deleted, each
// is named.
TEST_F(LoeschenTest, PhotoWhoseSafetyCopyDoesNotReadBackStays)
{
    class FalscheSicherungen : public PosixFileSystem
    {
    public:
        ReadBack readBack(const QString &hostPath, ByteProgress *progress) const override
        {
            ReadBack zurueck = PosixFileSystem::readBack(hostPath, progress);
            if (hostPath.contains("/Tmp/"))
                zurueck.hash.low ^= 1;
            return zurueck;
        }
    } falsch;
    Context c(Host{falsch, *env.profiles, env.processes, *env.boxen, env.desktop, *env.system}, QString());
    c.ordner = ctx().ordner;
    c.einstellungsDatei = ctx().einstellungsDatei;
    c.dateiTypen = ctx().dateiTypen;

    // The third photo changes once its copy is made ahead: it is no longer
    // the photo that was listed, and stays.
    bool geaendert = false;
    env.dialogs.beimZeigen = [&] {
        if (geaendert || env.dialogs.gezeigt.last().titel != kFehlerTitel)
            return;
        geaendert = true;
        QThread::msleep(300);
        env.datei("E:\\Dcim\\Img_0003.jpg", "anders", zeit(15, 10, 0, 0));
    };
    env.dialogs.antworte(Answer::No); // the marked: 1 and 3
    env.dialogs.antworte(Answer::No); // report: go on
    env.dialogs.antworte(Answer::No); // report: go on
    mnuLoeschenAlle(c, liste, fenster);
    env.dialogs.beimZeigen = {};

    ASSERT_TRUE(geaendert);
    EXPECT_TRUE(aufKarte(1) && aufKarte(3));
    ASSERT_EQ(gezeigt(kFehlerTitel), 2);
    EXPECT_TRUE(env.dialogs.gezeigt.at(1).text.contains(
        "Die Sicherheitskopie »C:\\Tmp\\Img_0001.jpg« von »E:\\Dcim\\Img_0001.jpg« lässt sich nicht "
        "so zurücklesen"))
        << env.dialogs.gezeigt.at(1).text.toStdString();
    EXPECT_TRUE(env.dialogs.gezeigt.at(2).text.contains(
        "Die Datei »E:\\Dcim\\Img_0003.jpg« hat sich auf der Karte geändert"))
        << env.dialogs.gezeigt.at(2).text.toStdString();
    EXPECT_EQ(env.inhalt("E:\\Dcim\\Img_0003.jpg"), "anders");
}

TEST_F(LoeschenTest, RefusedWhileARunIsGoingOn)
{
    ctx().lauf = Lauf::Kopieren;
    mnuLoeschenAlle(ctx(), liste, fenster);
    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
    EXPECT_TRUE(fenster.panel("Status").startsWith("Es werden gerade Fotos kopiert"));
}

TEST_F(LoeschenTest, TemporaryCopiesAreNeverTouchedAtStartUp)
{
    env.dialogs.antworte(Answer::No);
    mnuLoeschenAlle(ctx(), liste, fenster);
    ASSERT_TRUE(imTemp(1));
    env.dialogs.gezeigt.clear();
    mnuLoeschenTmp(ctx(), false);
    EXPECT_TRUE(imTemp(1) && imTemp(3));
    EXPECT_TRUE(env.dialogs.gezeigt.isEmpty());
}

TEST_F(LoeschenTest, MenuDeletesOnlyOurSafetyCopiesAfterAskingWithNoAsDefault)
{
    env.datei("C:\\Tmp\\Fremd.jpg", "nicht von uns");
    env.dialogs.antworte(Answer::No);
    mnuLoeschenAlle(ctx(), liste, fenster);
    env.dialogs.gezeigt.clear();

    mnuLoeschenTmp(ctx(), true); // unanswered: the default No
    ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
    EXPECT_EQ(env.dialogs.gezeigt.first().vorgabe, Answer::No);
    EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains("2 Sicherheitskopien"));
    EXPECT_TRUE(imTemp(1) && imTemp(3));

    env.dialogs.antworte(Answer::Yes);
    mnuLoeschenTmp(ctx(), true);
    EXPECT_FALSE(imTemp(1) || imTemp(3));
    EXPECT_TRUE(gibt("C:\\Tmp\\Fremd.jpg"));
    EXPECT_TRUE(gibt("C:\\Tmp\\BrenloTemp.ini"));

    env.dialogs.gezeigt.clear();
    mnuLoeschenTmp(ctx(), true);
    ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
    EXPECT_EQ(env.dialogs.gezeigt.first().icon, Icon::Information);
    EXPECT_TRUE(gibt("C:\\Tmp\\Fremd.jpg"));
}

} // namespace
} // namespace mirbelon::test
