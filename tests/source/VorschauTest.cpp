#include "tests/source/QuelleTest.h"

#include "source/Verkleinern.h"
#include "source/Vorschau.h"

#include <QImageReader>
#include <QSignalSpy>

#include <vector>

namespace mirbelon::test {

namespace {

using VorschauTest = QuelleTest;

TEST(VorschauGroesse, FillsTheWidthAndKeepsTheRatio)
{
    struct Fall
    {
        const char *name;
        int breite, hoehe, bildBreite, bildHoehe;
        QSize erwartet;
    } faelle[] = {
        { "landscape", 6000, 6000, 1600, 1200, { 6000, 4500 } },
        { "portrait is limited by the height", 6000, 6000, 1200, 1600, { 4500, 6000 } },
        { "exactly fitting", 4000, 3000, 4, 3, { 4000, 3000 } },
        { "negative area gives nothing", -10, 500, 4, 3, { 0, 0 } },
        { "no picture size", 6000, 6000, 0, 0, { 0, 0 } },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(VorschauGroesse(f.breite, f.hoehe, f.bildBreite, f.bildHoehe), f.erwartet);
    }
}

// Planes of one value each but red, their lines padded with a value no mean
// may include.
TEST(RgbEbenenVerkleinert, EachPixelIsTheMeanOfThoseItCovers)
{
    struct Fall
    {
        const char *name;
        QSize quelle, ziel;
        std::vector<uint8_t> rot; // lines of quelle.width(), none for 255 everywhere
        std::vector<int> erwartet; // red of each pixel of ziel, line by line
    } faelle[] = {
        { "three to one", QSize(3, 1), QSize(1, 1), { 0, 30, 90 }, { 40 } },
        { "five to two, boxes of two and three", QSize(5, 2), QSize(2, 1),
            { 10, 20, 30, 40, 50, 30, 40, 50, 60, 70 }, { 25, 50 } },
        { "more lines than a 16-bit sum holds", QSize(2, 600), QSize(1, 1), {}, { 255 } },
        { "same size", QSize(2, 2), QSize(2, 2), { 1, 2, 3, 4 }, { 1, 2, 3, 4 } },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        const int zeile = f.quelle.width() + 3;
        std::vector<uint8_t> rot(size_t(zeile) * f.quelle.height(), 99);
        std::vector<uint8_t> gruen(rot.size(), 99);
        std::vector<uint8_t> blau(rot.size(), 99);
        for (int y = 0; y < f.quelle.height(); ++y)
            for (int x = 0; x < f.quelle.width(); ++x) {
                const size_t i = size_t(y) * zeile + x;
                rot[i] = f.rot.empty() ? 255 : f.rot[size_t(y) * f.quelle.width() + x];
                gruen[i] = 7;
                blau[i] = 0;
            }
        const uint8_t *ebenen[3] = { rot.data(), gruen.data(), blau.data() };
        const int zeilen[3] = { zeile, zeile, zeile };
        const QImage bild = RgbEbenenVerkleinert(ebenen, zeilen, f.quelle, f.ziel);
        ASSERT_EQ(bild.size(), f.ziel);
        for (int i = 0; i < int(f.erwartet.size()); ++i) {
            const QRgb p = bild.pixel(i % f.ziel.width(), i / f.ziel.width());
            EXPECT_EQ(qRed(p), f.erwartet[size_t(i)]) << i;
            EXPECT_EQ(qGreen(p), 7) << i;
            EXPECT_EQ(qBlue(p), 0) << i;
        }
    }
    const uint8_t eins = 1;
    const uint8_t *ebenen[3] = { &eins, &eins, &eins };
    const int zeilen[3] = { 1, 1, 1 };
    EXPECT_TRUE(RgbEbenenVerkleinert(ebenen, zeilen, QSize(1, 1), QSize(2, 1)).isNull());
}

TEST(BildCacheGroesse, OnePicturePerThreeMiBFromOneToTen)
{
    const qint64 mib = 1048576;
    struct Fall
    {
        const char *name;
        qint64 speicher;
        int erwartet;
    } faelle[] = {
        { "nothing", 0, 1 },
        { "below 6 MiB", 6 * mib - 1, 1 },
        { "6 MiB", 6 * mib, 2 },
        { "29 MiB", 29 * mib, 9 },
        { "30 MiB", 30 * mib, 10 },
        { "plenty", 8000 * mib, 10 },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(BildCacheGroesse(f.speicher), f.erwartet);
    }
    EXPECT_EQ(VorschauCache(0).groesse(), 1);
    EXPECT_EQ(VorschauCache(12).groesse(), 10);
}

TEST_F(VorschauTest, PhotoFillsTheAvailableWidth)
{
    // Available: 12270 - 3960 - 120 = 8190 wide, 8565 - 1000 = 7565 high.
    env.datei(QStringLiteral("E:\\Quer.jpg"), bild(1600, 1200));
    env.datei(QStringLiteral("E:\\Hoch.jpg"), bild(1200, 1600));
    fenster.vorschauOhneReaktion(true);
    liste.setPfade({ QStringLiteral("E:\\Quer.jpg"), QStringLiteral("E:\\Hoch.jpg") });

    liste.setAktuell(1);
    EXPECT_TRUE(fenster.kreuz);
    bildAbwarten();
    EXPECT_TRUE(fenster.vorschauSichtbar);
    EXPECT_EQ(fenster.vorschauBreite, 8190);
    EXPECT_EQ(fenster.vorschauHoehe, 6143);
    // Decoded at the size of the box in pixels, not at the photo's own size.
    EXPECT_EQ(fenster.vorschauBild.size(), QSize(546, 410));
    EXPECT_TRUE(fenster.kreuz);

    liste.setMarkiert(0, true);
    liste.setAktuell(0);
    bildAbwarten();
    EXPECT_EQ(fenster.vorschauHoehe, 7565);
    EXPECT_EQ(fenster.vorschauBreite, 5674);
    EXPECT_FALSE(fenster.kreuz);
    EXPECT_GE(fenster.timerHinweise, 3);
    EXPECT_EQ(env.dialogs.busy(), 0);
}

TEST_F(VorschauTest, DamagedOrForeignFilesLeaveTheBoxEmpty)
{
    const QByteArray echt = bild(64, 48);
    env.datei(QStringLiteral("E:\\Kaputt.jpg"), "kein Bild");
    env.datei(QStringLiteral("E:\\Halb.jpg"), echt.left(echt.size() / 3));
    env.datei(QStringLiteral("E:\\Roh.cr2"), echt);
    env.datei(QStringLiteral("E:\\Ok.bmp"), bild(64, 48, "BMP"));
    fenster.vorschauOhneReaktion(true);
    liste.setPfade({ QStringLiteral("E:\\Ok.bmp"), QStringLiteral("E:\\Kaputt.jpg"),
        QStringLiteral("E:\\Halb.jpg"), QStringLiteral("E:\\Roh.cr2"),
        QStringLiteral("E:\\Fehlt.jpg") });
    for (const QString &pfad : { QStringLiteral("E:\\Kaputt.jpg"), QStringLiteral("E:\\Roh.cr2"),
             QStringLiteral("E:\\Fehlt.jpg") }) {
        SCOPED_TRACE(pfad.toStdString());
        liste.setAktuell(index(QStringLiteral("E:\\Ok.bmp")));
        bildAbwarten();
        ASSERT_FALSE(fenster.vorschauBild.isNull());
        liste.setAktuell(index(pfad));
        bildAbwarten();
        EXPECT_TRUE(fenster.vorschauSichtbar);
        EXPECT_TRUE(fenster.vorschauBild.isNull());
        EXPECT_TRUE(fenster.kreuz);
    }
    // A cut-off photo must not bring the program down; whatever part decodes may show.
    liste.setAktuell(index(QStringLiteral("E:\\Halb.jpg")));
    bildAbwarten();
    EXPECT_TRUE(fenster.vorschauSichtbar);
}

TEST_F(VorschauTest, BmpAboveTheAllocationLimitIsStillPreviewed)
{
    // Qt's BMP reader cannot scale while reading; a 12000 x 8000 BMP is above
    // Qt's default limit as this one is above the lowered limit.
    const int vorher = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(8);
    env.datei(QStringLiteral("E:\\Gross.bmp"), bild(2000, 1500, "BMP"));
    const VorschauPixel p = VorschauDekodieren(
        QFile::encodeName(env.host(QStringLiteral("E:\\Gross.bmp"))), VorschauArt::Bild, QSize(6000, 6000));
    EXPECT_EQ(QImageReader::allocationLimit(), 8) << "the limit is raised for that one picture only";
    QImageReader::setAllocationLimit(vorher);
    EXPECT_EQ(p.natur, QSize(2000, 1500));
    EXPECT_EQ(p.bild.size(), QSize(400, 300));
}

TEST_F(VorschauTest, ChangedFileIsDecodedAgain)
{
    const QString pfad = QStringLiteral("E:\\A.jpg");
    env.datei(pfad, bild(160, 120));
    env.datei(QStringLiteral("E:\\B.jpg"), bild(100, 100));
    fenster.vorschauOhneReaktion(true);
    liste.setPfade({ pfad, QStringLiteral("E:\\B.jpg") });
    liste.setAktuell(0);
    bildAbwarten();
    EXPECT_EQ(fenster.vorschauBild.size(), QSize(160, 120));

    env.datei(pfad, bild(90, 160));
    liste.setAktuell(1);
    liste.setAktuell(0);
    bildAbwarten();
    EXPECT_EQ(fenster.vorschauBild.size(), QSize(90, 160));
}

TEST_F(VorschauTest, NothingWhileTheListIsHiddenOrThePreviewOff)
{
    env.datei(QStringLiteral("E:\\A.jpg"), bild(16, 12));
    liste.setPfade({ QStringLiteral("E:\\A.jpg") });
    liste.setVersteckt(true);
    fenster.vorschauOhneReaktion(true);
    liste.setAktuell(0);
    EXPECT_FALSE(fenster.vorschauSichtbar);
    EXPECT_EQ(fenster.timerHinweise, 0);

    liste.setVersteckt(false);
    fenster.vorschauOhneReaktion(false);
    liste.klicken();
    EXPECT_FALSE(fenster.vorschauSichtbar);
    EXPECT_EQ(fenster.timerHinweise, 1);
}

TEST_F(VorschauTest, SwitchingOnVisitsTheNextEntryAndComesBack)
{
    liste10({ 0, 0, 0 });
    liste.setAktuell(2);
    QSignalSpy wege(&liste, &FotoListe::aktuellGeaendert);
    fenster.setVorschauAn(true);
    ASSERT_EQ(wege.count(), 2);
    EXPECT_EQ(wege.at(0).at(0).toInt(), 0);
    EXPECT_EQ(wege.at(1).at(0).toInt(), 2);
    EXPECT_TRUE(fenster.vorschauSichtbar);

    fenster.setVorschauAn(false);
    EXPECT_FALSE(fenster.vorschauSichtbar);
}

TEST_F(VorschauTest, SwitchingOnShowsALonePhotoAndSurvivesAnEmptyList)
{
    fenster.setVorschauAn(true);
    EXPECT_FALSE(fenster.vorschauSichtbar);
    fenster.setVorschauAn(false);

    liste10({ 1 });
    liste.setAktuell(0);
    fenster.setVorschauAn(true);
    EXPECT_TRUE(fenster.vorschauSichtbar);
    EXPECT_FALSE(fenster.kreuz);
}

TEST_F(VorschauTest, ArrowsJumpToTheNearestMarkedEntryWithoutWrap)
{
    struct Fall
    {
        const char *name;
        int start;
        int taste;
        int erwartet;
    } faelle[] = {
        { "right to the next mark", 0, 39, 2 },
        { "left to the previous mark", 9, 37, 5 },
        { "right after the last mark stays", 5, 39, 5 },
        { "left on the first entry stays", 0, 37, 0 },
        { "left before the first mark stays", 1, 37, 1 },
        { "right without a current entry finds the first", -1, 39, 2 },
        { "left without a current entry stays", -1, 37, -1 },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        liste10({ 0, 0, 1, 0, 0, 1, 0, 0, 0, 0 });
        liste.setAktuell(f.start);
        EXPECT_TRUE(ListeTaste(ctx(), liste, fenster, f.taste));
        EXPECT_EQ(liste.aktuell(), f.erwartet);
    }
    EXPECT_EQ(env.dialogs.busy(), 0);
}

TEST_F(VorschauTest, EveryKeyAndMouseReleaseRemembersTheMarks)
{
    liste10({ 0, 0, 1, 0 });
    const QString schluessel = QString::number(ListenPruefsumme(liste), 'f', 0);
    EXPECT_FALSE(ListeTaste(ctx(), liste, fenster, 32));
    EXPECT_EQ(gemerkt(schluessel), QStringLiteral("0010"));

    liste.setMarkiert(0, true);
    const int vorher = fenster.timerHinweise;
    ListeMausLos(ctx(), liste, fenster);
    EXPECT_EQ(gemerkt(schluessel), QStringLiteral("1010"));
    EXPECT_EQ(fenster.timerHinweise, vorher + 1);
}

TEST_F(VorschauTest, OpeningHandsTheCurrentPhotoToTheSystem)
{
    liste10({ 0, 0 });
    FotoOeffnen(ctx(), fenster, liste);
    EXPECT_TRUE(env.processes.geoeffnet.isEmpty());
    liste.setAktuell(1);
    FotoOeffnen(ctx(), fenster, liste);
    const QByteArray host = QFile::encodeName(env.host(QStringLiteral("E:\\Dcim\\Img_0001.jpg")));
    EXPECT_EQ(env.processes.geoeffnet, QStringList { QLatin1String("file://" + host.toPercentEncoding("/")) });
    EXPECT_EQ(env.dialogs.busy(), 0);
    EXPECT_EQ(fenster.panel(QStringLiteral("Status")), QString());

    env.processes.oeffnenScheitert = true;
    FotoOeffnen(ctx(), fenster, liste);
    EXPECT_EQ(fenster.panel(QStringLiteral("Status")),
              QStringLiteral("E:\\Dcim\\Img_0001.jpg konnte nicht geöffnet werden."));
}

} // namespace

} // namespace mirbelon::test
