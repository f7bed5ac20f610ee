#include "tests/source/QuelleTest.h"

#include "frame/Einstellungswerte.h"
#include "source/FotoListe.h"
#include "source/Scan.h"
#include "source/Statusleiste.h"
#include "tools/Musterbilder.h"

#include <QCollator>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>

#include <unistd.h>

namespace mirbelon::test {

namespace {

using ScanTest = QuelleTest;

QStringList Pfade(const QList<FileRef> &dateien)
{
    QStringList pfade;
    for (const FileRef &datei : dateien)
        pfade << datei.path;
    return pfade;
}

TEST_F(ScanTest, CardExampleListsPicturesWithTheirAutoMarks)
{
    beispielKarte();
    fenster.setQuelle(QStringLiteral("E:\\"));

    ASSERT_EQ(liste.anzahl(), 3);
    EXPECT_EQ(liste.pfade(),
        (QStringList { QStringLiteral("E:\\Dcim\\100canon\\Img_0001.jpg"),
            QStringLiteral("E:\\Dcim\\100canon\\Img_0002.cr2"),
            QStringLiteral("E:\\Dcim\\100canon\\Mvi_0003.avi") }));
    EXPECT_EQ(marken(), (std::vector<char> { 1, 0, 0 }));
    // The marks run the list's click reaction, which arms TimerHinweise as well.
    EXPECT_GE(fenster.timerHinweise, 1);
    EXPECT_EQ(fenster.timerInfo, 1);
    EXPECT_EQ(fenster.timerInit, 1);
    EXPECT_EQ(env.dialogs.busy(), 0);
    EXPECT_FALSE(ctx().scanLaeuft);
    // The default of the marked types is written into the settings file.
    EXPECT_EQ(IniLesen(ctx(), ctx().einstellungsDatei, QStringLiteral("Mirbelon"),
                  QStringLiteral("AutoSel"), {}),
        QStringLiteral("*.bmp;*.jpg;*.gif;*.tif"));
}

// Files the program could show but the type list hides are named once per
// run, in place of "Bereit" for a while; other files are no news.
TEST_F(ScanTest, HiddenCameraFilesAreNamedOnceInTheStatusBar)
{
    for (const char *name : { "IMG_0001.HEIC", "IMG_0002.HEIC", "IMG_0003.heic", "MVI_0004.MP4", "MVI_0005.mp4",
             "IMG_0006.JPG", "NOTIZ.TXT" })
        env.datei(QStringLiteral("E:\\DCIM\\100APPLE\\") + QLatin1String(name));
    ctx().dateiTypen = QStringLiteral("*.bmp;*.jpg;*.gif;*.tif;*.avi;*.mov;*.cr2");
    const auto tick = [this] { HinweiseTick(ctx(), liste, fenster, [](int) { return QString(); }); };
    const QString status = QStringLiteral("Status");
    env.system->tick = 1000;
    fenster.setQuelle(QStringLiteral("E:\\"));
    ASSERT_EQ(liste.anzahl(), 1);
    tick();
    const QString hinweis = QStringLiteral(
        "5 Dateien auf der Karte werden nicht gelistet: *.heic, *.mp4 - Formate in den Einstellungen");
    EXPECT_EQ(fenster.panel(status), hinweis);
    env.system->tick = 9000;
    tick();
    EXPECT_EQ(fenster.panel(status), hinweis);
    env.system->tick = 30000;
    tick();
    EXPECT_EQ(fenster.panel(status), QStringLiteral("Bereit"));
    QuelleEinlesen(ctx(), liste, fenster);
    tick();
    EXPECT_EQ(fenster.panel(status), QStringLiteral("Bereit"));
}

TEST_F(ScanTest, FileTypesAreTextsNotPatterns)
{
    env.datei(QStringLiteral("E:\\x.jpeg"));
    env.datei(QStringLiteral("E:\\y.jpg"));
    fenster.quelleOhneReaktion(QStringLiteral("E:\\"));
    struct Fall
    {
        const char *name;
        QString typen;
        int erwartet;
    } faelle[] = {
        { "defaults leave jpeg out", QStringLiteral("*.bmp;*.jpg;*.gif;*.tif;*.avi;*.mov;*.cr2"),
            1 },
        { "added jpeg admits it",
            QStringLiteral("*.bmp;*.jpg;*.gif;*.tif;*.avi;*.mov;*.cr2;*.jpeg"), 2 },
        { "any text with jpeg", QStringLiteral("JPEG"), 1 },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        ctx().dateiTypen = f.typen;
        QuelleScannen(ctx(), liste, fenster);
        EXPECT_EQ(liste.anzahl(), f.erwartet);
    }
}

TEST_F(ScanTest, UserMarksComeBackForTheSameListOnly)
{
    beispielKarte();
    fenster.setQuelle(QStringLiteral("E:\\"));
    liste.setMarkiert(0, false);
    liste.setMarkiert(2, true);
    ListeMausLos(ctx(), liste, fenster);

    QuelleScannen(ctx(), liste, fenster);
    EXPECT_EQ(marken(), (std::vector<char> { 0, 0, 1 }));

    QFile::remove(env.host(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0002.CR2")));
    QuelleScannen(ctx(), liste, fenster);
    ASSERT_EQ(liste.anzahl(), 2);
    EXPECT_EQ(marken(), (std::vector<char> { 1, 0 }));
}

TEST_F(ScanTest, ShorterRememberedTextLeavesTheRestAsScanned)
{
    beispielKarte();
    env.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0004.JPG"));
    fenster.setQuelle(QStringLiteral("E:\\"));
    ASSERT_EQ(marken(), (std::vector<char> { 1, 0, 1, 0 }));

    IniSchreiben(ctx(), QStringLiteral("C:\\Tmp\\BrenloTemp.ini"), QStringLiteral("ListeSel"),
        QString::number(ListenPruefsumme(liste), 'f', 0), QStringLiteral("0x"));
    QuelleScannen(ctx(), liste, fenster);
    EXPECT_EQ(marken(), (std::vector<char> { 0, 0, 1, 0 }));
}

TEST_F(ScanTest, FoldersAreSearchedDepthFirstForNamesWithADot)
{
    env.datei(QStringLiteral("E:\\A\\B\\tief.jpg"));
    env.datei(QStringLiteral("E:\\A\\flach.JPG"));
    env.datei(QStringLiteral("E:\\A\\ohnepunkt"));
    env.datei(QStringLiteral("E:\\A\\.versteckt.jpg"));
    QList<FileRef> gefunden { QStringLiteral("vorher") };
    DateienSuchen(ctx(), QStringLiteral("E:\\A"), QStringLiteral(" *.* "), gefunden);
    EXPECT_EQ(Pfade(gefunden),
        (QStringList { QStringLiteral("vorher"), QStringLiteral("e:\\a\\.versteckt.jpg"),
            QStringLiteral("e:\\a\\B\\tief.jpg"), QStringLiteral("e:\\a\\flach.JPG") }));

    QList<FileRef> muster;
    DateienSuchen(ctx(), QStringLiteral("E:\\A"), QStringLiteral("F?A*.jpg"), muster);
    EXPECT_EQ(Pfade(muster), QStringList { QStringLiteral("e:\\a\\flach.JPG") });

    QList<FileRef> nichts;
    DateienSuchen(ctx(), QStringLiteral("E:\\Fehlt"), QStringLiteral("*.*"), nichts);
    DateienSuchen(ctx(), QStringLiteral("Q:\\"), QStringLiteral("*.*"), nichts);
    EXPECT_TRUE(nichts.isEmpty());
    EXPECT_EQ(env.dialogs.busy(), 0);
}

TEST_F(ScanTest, ChecksumWeighsEveryCharacterByItsPosition)
{
    struct Fall
    {
        const char *name;
        QStringList eintraege;
        double erwartet;
    } faelle[] = {
        { "empty list", {}, 0 },
        { "one entry", { QStringLiteral("ab") }, 1 * 97 + 2 * 98 + 3 * 59 },
        { "Windows-1252 codes", { QString::fromUtf8("ä€") }, 1 * 228 + 2 * 128 + 3 * 59 },
        { "two entries", { QStringLiteral("a"), QStringLiteral("b") },
            1 * 97 + 2 * 59 + 3 * 98 + 4 * 59 },
        { "case counts", { QStringLiteral("A"), QStringLiteral("b") },
            1 * 65 + 2 * 59 + 3 * 98 + 4 * 59 },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        liste.setPfade(f.eintraege);
        EXPECT_EQ(ListenPruefsumme(liste), f.erwartet);
    }
}

TEST_F(ScanTest, CameraNameFromFolderFileBeforeDriveFile)
{
    env.datei(QStringLiteral("E:\\Foto.ini"), "[Infos]\r\nKamera=Karte\r\n");
    env.datei(QStringLiteral("E:\\DCIM\\Foto.ini"), "[Infos]\r\nKamera=Ordner\r\n");
    env.datei(QStringLiteral("E:\\DCIM\\IMG_0001.JPG"));

    fenster.setQuelle(QStringLiteral("E:\\DCIM"));
    EXPECT_EQ(fenster.kamera(), QStringLiteral("Ordner"));
    fenster.setQuelle(QStringLiteral("E:\\"));
    EXPECT_EQ(fenster.kamera(), QStringLiteral("Karte"));

    QFile::remove(env.host(QStringLiteral("E:\\DCIM\\Foto.ini")));
    fenster.kameraOhneReaktion(QStringLiteral("vorher"));
    fenster.setQuelle(QStringLiteral("E:\\DCIM"));
    EXPECT_EQ(fenster.kamera(), QStringLiteral("Karte"));
}

TEST_F(ScanTest, CameraNameFromThePhotosWhenTheCardNamesNone)
{
    struct Fall
    {
        const char *name;
        QByteArray fotoIni; // empty: none on the card
        QString erwartet;
    } faelle[] = {
        {"no card file", {}, QStringLiteral("Canon EOS 80D")},
        {"a card file without a name", "[Infos]\r\nKamera=\r\n", QStringLiteral("Canon EOS 80D")},
        {"the card file's name wins", "[Infos]\r\nKamera=Zweitkamera\r\n", QStringLiteral("Zweitkamera")},
    };
    ctx().dateiTypen = QStringLiteral("*.jpg;*.mov");
    // Listed first, a film and a photo without a camera are passed over.
    env.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0001.JPG"), bild(8, 6));
    env.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0002.JPG"), bild(8, 6));
    ASSERT_TRUE(muster::KameraEintragen(QFile::encodeName(env.host(QStringLiteral("E:\\DCIM\\100CANON\\IMG_0002.JPG"))),
                                        QStringLiteral("Canon"), QStringLiteral("Canon EOS 80D")));
    ASSERT_TRUE(muster::FilmSchreiben(QFile::encodeName(env.host(QStringLiteral("E:\\DCIM\\100CANON\\A.MOV"))),
                                      QDateTime(QDate(2024, 1, 2), QTime(3, 4), Qt::UTC)));
    fenster.quelleOhneReaktion(QStringLiteral("E:\\"));
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        QFile::remove(env.host(QStringLiteral("E:\\Foto.ini")));
        if (!f.fotoIni.isEmpty())
            env.datei(QStringLiteral("E:\\Foto.ini"), f.fotoIni);
        fenster.kameraOhneReaktion(QStringLiteral("Bezeichnung der Kamera"));
        QuelleScannen(ctx(), liste, fenster);
        ASSERT_EQ(liste.anzahl(), 3);
        EXPECT_EQ(fenster.kamera(), f.erwartet);
    }
}

TEST_F(ScanTest, SettingsEditedByHandTakeEffectAtTheNextScan)
{
    env.datei(QStringLiteral("E:\\Dcim\\A.jpg"));
    env.datei(QStringLiteral("E:\\Dcim\\B.png"));
    EinstellungswerteLesen(ctx()); // as at start-up: the defaults go into the file
    fenster.setQuelle(QStringLiteral("E:\\"));
    EXPECT_EQ(liste.anzahl(), 1);
    EXPECT_FALSE(ctx().fotoDatumAufnahme);

    // As an editor saves it: the same file, rewritten.
    QFile datei(env.host(ctx().einstellungsDatei));
    ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
    QByteArray text = datei.readAll();
    ASSERT_TRUE(text.contains("FotoDatum=Datei"));
    text.replace("Formate=", "Formate=*.png;").replace("FotoDatum=Datei", "FotoDatum=Aufnahme");
    datei.seek(0);
    datei.write(text);
    datei.close();

    QuelleScannen(ctx(), liste, fenster); // Refresh
    EXPECT_EQ(liste.anzahl(), 2);
    EXPECT_TRUE(ctx().fotoDatumAufnahme);
}

TEST_F(ScanTest, EmptyCameraNameKeepsTheOldOne)
{
    fenster.kameraOhneReaktion(QStringLiteral("Canon"));
    env.datei(QStringLiteral("E:\\Foto.ini"), "[Infos]\r\nKamera=\r\n");
    fenster.setQuelle(QStringLiteral("E:\\"));
    EXPECT_EQ(fenster.kamera(), QStringLiteral("Canon"));
    fenster.setQuelle(QStringLiteral("Q:\\Nirgends"));
    EXPECT_EQ(fenster.kamera(), QStringLiteral("Canon"));
}

TEST_F(ScanTest, EmptySourceStillArmsTheTimers)
{
    env.ordner(QStringLiteral("E:\\Leer"));
    fenster.setQuelle(QStringLiteral("E:\\Leer"));
    EXPECT_EQ(liste.anzahl(), 0);
    EXPECT_EQ(fenster.timerInit, 1);
    EXPECT_GE(fenster.timerHinweise, 1);
    EXPECT_EQ(fenster.timerInfo, 1);
}

TEST_F(ScanTest, RefusedWhileACopyRunGoesOn)
{
    beispielKarte();
    ctx().lauf = Lauf::Kopieren;
    fenster.setQuelle(QStringLiteral("E:\\"));
    EXPECT_EQ(liste.anzahl(), 0);
    EXPECT_EQ(fenster.timerInit, 0);
    EXPECT_EQ(fenster.panel(QStringLiteral("Status")),
        QStringLiteral("Während des Kopierens oder Löschens wird die Quelle nicht neu "
                       "eingelesen."));
}

TEST_F(ScanTest, SourceTypedDuringAScanIsScannedOnceAfterIt)
{
    env.datei(QStringLiteral("E:\\DCIM\\IMG_0001.JPG"));
    env.datei(QStringLiteral("E:\\ANDERS\\IMG_0002.JPG"));
    // Runs inside the first scan, while it lets window events through.
    QTimer::singleShot(0, [this] {
        fenster.setQuelle(QStringLiteral("E:\\DCI"));
        fenster.setQuelle(QStringLiteral("E:\\DCIM"));
    });
    fenster.setQuelle(QStringLiteral("E:\\"));

    EXPECT_EQ(fenster.timerInit, 2);
    EXPECT_EQ(liste.pfade(), QStringList { QStringLiteral("E:\\Dcim\\Img_0001.jpg") });
    EXPECT_FALSE(ctx().scanLaeuft);
}

TEST_F(ScanTest, ChosenFileMakesItsFolderTheSource)
{
    env.datei(QStringLiteral("E:\\DCIM\\IMG_0001.JPG"));
    fenster.quelleOhneReaktion(QStringLiteral("E:\\"));
    env.dialogs.antworteDatei(QStringLiteral("E:\\DCIM\\IMG_0001.JPG"));
    QuelleWaehlen(ctx(), fenster);

    ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
    EXPECT_EQ(env.dialogs.gezeigt[0].titel,
        QStringLiteral("Wähle eine Datei im gewünschten Quell-Ordner"));
    EXPECT_EQ(fenster.quelle(), QStringLiteral("E:\\DCIM"));
    EXPECT_EQ(fenster.fokus, QStringLiteral("txtQ"));
    EXPECT_EQ(liste.anzahl(), 1);

    fenster.fokus.clear();
    env.dialogs.antworteDatei(std::nullopt);
    QuelleWaehlen(ctx(), fenster);
    EXPECT_EQ(fenster.quelle(), QStringLiteral("E:\\DCIM"));
    EXPECT_TRUE(fenster.fokus.isEmpty());
}

TEST_F(ScanTest, PreviewSwitchIsRestoredAfterTheScan)
{
    env.datei(QStringLiteral("E:\\a.bmp"), bild(40, 30, "BMP"));
    fenster.vorschauOhneReaktion(true);
    fenster.setQuelle(QStringLiteral("E:\\"));
    EXPECT_TRUE(fenster.vorschauAn());
    EXPECT_EQ(liste.aktuell(), 0);
    bildAbwarten();
    EXPECT_TRUE(fenster.vorschauSichtbar);
    EXPECT_EQ(fenster.vorschauBild.size(), QSize(40, 30));
}

TEST_F(ScanTest, MarksAreRememberedForTheFirst998Entries)
{
    // The ini store reads at most 998 characters of a value, so marks of a
    // longer list come back only that far; the rest keep their scan marks.
    const int anzahl = 33000;
    QStringList pfade;
    for (int i = 0; i < anzahl; ++i)
        pfade << QStringLiteral("E:\\Dcim\\Img_%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
    liste.setPfade(pfade);
    liste.setMarken(std::vector<char>(anzahl, 1));
    liste.setMarkiert(0, false);
    liste.setMarkiert(997, false);
    liste.setMarkiert(anzahl - 1, false);
    ListeMausLos(ctx(), liste, fenster);

    liste.setMarken(std::vector<char>(anzahl, 1));
    ListenAuswahl(ctx(), liste, QStringLiteral("load"));
    EXPECT_FALSE(liste.markiert(0));
    EXPECT_FALSE(liste.markiert(997));
    EXPECT_TRUE(liste.markiert(anzahl - 1));
    EXPECT_EQ(liste.anzahlMarkiert(), anzahl - 2);
}

TEST_F(ScanTest, LinksNeverListAPhotoTwiceNorFromOutsideTheSource)
{
    env.datei(QStringLiteral("E:\\Dcim\\a\\Img_0001.jpg"));
    env.datei(QStringLiteral("C:\\Bilder\\Fremd.jpg"));
    const QByteArray draussen = QFile::encodeName(env.host(QStringLiteral("C:\\Bilder")));
    const QByteArray karte = QFile::encodeName(env.host(QStringLiteral("E:\\")));
    fenster.quelleOhneReaktion(QStringLiteral("E:\\"));
    struct Fall
    {
        const char *name;
        QList<QPair<QByteArray, QByteArray>> links; // below E:\, -> target
    } faelle[] = {
        { "a loop", { { "Dcim/a/self", "." } } },
        { "a folder outside", { { "Dcim/draussen", draussen } } },
        { "two loops", { { "Dcim/a/self", "." }, { "Dcim/a/hoch", ".." } } },
    };
    for (const Fall &f : faelle) {
        QList<QByteArray> angelegt;
        for (const auto &[wo, ziel] : f.links) {
            const QByteArray link = karte + '/' + wo;
            ASSERT_EQ(::symlink(ziel.constData(), link.constData()), 0) << f.name;
            angelegt << link;
        }
        QuelleScannen(ctx(), liste, fenster);
        EXPECT_EQ(liste.pfade(), QStringList { QStringLiteral("E:\\Dcim\\A\\Img_0001.jpg") }) << f.name;
        for (const QByteArray &link : angelegt)
            ::unlink(link.constData());
    }
}

} // namespace

// Umlauts beside their base letter, case ignored, each entry still with its own file.
TEST(FotoListeTest, SortsAsAGermanUserExpects)
{
    const QLocale vorher;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FotoListe liste;
    liste.setDateien({{"E:\\Zebra.jpg", "/z"}, {"E:\\Über.jpg", "/u"}, {"E:\\ärger.jpg", "/a"},
                      {"E:\\Apfel.jpg", "/p"}, {"E:\\b.jpg", "/b"}});
    QLocale::setDefault(vorher);
    EXPECT_EQ(liste.pfade(), QStringList({"E:\\Apfel.jpg", "E:\\ärger.jpg", "E:\\b.jpg",
                                          "E:\\Über.jpg", "E:\\Zebra.jpg"}));
    EXPECT_EQ(liste.datei(1).host, "/a");
    EXPECT_EQ(liste.datei(3).host, "/u");
    // The list's own tooltip shows, not the entry's path.
    EXPECT_FALSE(liste.data(liste.index(0), Qt::ToolTipRole).isValid());
}

// What a scan collects comes in runs already in order; a list in no order
// at all is sorted by keys. Either way the order is the one of sorting by
// the locale's keys, entries of equal texts in the order given.
TEST(FotoListeTest, RunsAndDisorderSortAsTheLocaleSortsStably)
{
    const QLocale vorher;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const auto erwartet = [&collator](const QList<FileRef> &dateien) {
        QList<FileRef> sortiert = dateien;
        std::stable_sort(sortiert.begin(), sortiert.end(), [&](const FileRef &a, const FileRef &b) {
            return collator.sortKey(a.path).compare(collator.sortKey(b.path)) < 0;
        });
        return sortiert;
    };
    const QStringList namen { "a", "A", "ä", "Ärger", "b", "img_1", "IMG-1", "Img_2", "ö", "Zebra",
        "z" };
    QRandomGenerator zufall(4711);
    for (const int laeufe : { 1, 2, 3, 7, 64, 65, 200 }) {
        QList<FileRef> dateien;
        for (int lauf = 0; lauf < laeufe; ++lauf) {
            QStringList teil;
            for (int k = 0; k < 5; ++k)
                teil << QStringLiteral("E:\\%1\\%2.jpg")
                            .arg(namen.at(zufall.bounded(namen.size())),
                                namen.at(zufall.bounded(namen.size())));
            std::stable_sort(teil.begin(), teil.end(),
                [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
            for (const QString &pfad : teil)
                dateien.append(FileRef(pfad, QByteArray::number(dateien.size())));
        }
        FotoListe liste;
        liste.setDateien(dateien);
        const QList<FileRef> soll = erwartet(dateien);
        ASSERT_EQ(liste.anzahl(), soll.size()) << laeufe;
        for (int i = 0; i < liste.anzahl(); ++i) {
            EXPECT_EQ(liste.pfad(i), soll.at(i).path) << laeufe << " " << i;
            EXPECT_EQ(liste.datei(i).host, soll.at(i).host) << laeufe << " " << i;
        }
    }
    QLocale::setDefault(vorher);
}

} // namespace mirbelon::test
