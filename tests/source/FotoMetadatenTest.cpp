#include "source/FotoMetadaten.h"
#include "source/FilmDatei.h"
#include "source/VorschauDekoder.h"

#include "tests/source/QuelleTest.h"
#include "tools/Musterbilder.h"

#include <QFile>
#include <QPainter>

#include <sys/stat.h>

namespace mirbelon::test {

namespace {

using FotoMetadatenTest = QuelleTest;

QByteArray Host(const TestUmgebung &env, const QString &pfad) { return QFile::encodeName(env.host(pfad)); }

// Where the stored picture's first pixel and the last pixel of its first row
// end up once upright, as the EXIF definition of each orientation says.
TEST(Aufrichten, EveryOrientationAsExifDefinesIt)
{
    QImage gespeichert(6, 4, QImage::Format_RGB32);
    gespeichert.fill(Qt::black);
    gespeichert.setPixel(0, 0, qRgb(255, 0, 0));
    gespeichert.setPixel(5, 0, qRgb(0, 255, 0));
    enum Ecke { OL, OR, UL, UR };
    struct Fall
    {
        int ausrichtung;
        Ecke erstes, zeilenEnde;
    } faelle[] = {
        { 1, OL, OR }, { 2, OR, OL }, { 3, UR, UL }, { 4, UL, UR },
        { 5, OL, UL }, { 6, OR, UR }, { 7, UR, OR }, { 8, UL, OL },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.ausrichtung);
        const QImage bild = Aufrichten(gespeichert, f.ausrichtung);
        ASSERT_EQ(bild.size(), AufrechteGroesse(gespeichert.size(), f.ausrichtung));
        const auto pixel = [&](Ecke e) {
            return bild.pixel(e == OR || e == UR ? bild.width() - 1 : 0,
                e == UL || e == UR ? bild.height() - 1 : 0);
        };
        EXPECT_EQ(pixel(f.erstes), qRgb(255, 0, 0));
        EXPECT_EQ(pixel(f.zeilenEnde), qRgb(0, 255, 0));
    }
}

TEST(VorschauWahl, SmallestThatFillsTheBoxElseTheLargest)
{
    // 4500 x 3375 twips: a box of 300 x 225 pixels.
    const QSize platz(4500, 6000);
    struct Fall
    {
        const char *name;
        QList<QSize> groessen;
        int erwartet;
    } faelle[] = {
        { "none", {}, -1 },
        { "thumbnail, full size, medium", { { 160, 120 }, { 6000, 4000 }, { 1620, 1080 } }, 2 },
        { "exactly the box wins over larger", { { 1620, 1080 }, { 300, 225 } }, 1 },
        { "none fills: the largest", { { 160, 120 }, { 200, 150 } }, 1 },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(VorschauWahl(f.groessen, platz), f.erwartet);
    }
}

TEST(KameraName, ModelLedByTheMakerWhereItDoesNotNameIt)
{
    struct Fall
    {
        const char *name;
        QString marke;
        QString modell;
        QString erwartet;
    } faelle[] = {
        {"model names the maker", QStringLiteral("Canon"), QStringLiteral("Canon EOS 80D"), QStringLiteral("Canon EOS 80D")},
        {"maker in other case", QStringLiteral("NIKON CORPORATION"), QStringLiteral("Nikon D750"), QStringLiteral("Nikon D750")},
        {"model alone is cryptic", QStringLiteral("SONY"), QStringLiteral("ILCE-7M3"), QStringLiteral("SONY ILCE-7M3")},
        {"padding of the fixed field", QStringLiteral("Apple "), QString::fromLatin1("iPhone 12\0\0", 11), QStringLiteral("Apple iPhone 12")},
        {"no section syntax", {}, QStringLiteral("X[1]\nY"), QStringLiteral("X 1 Y")},
        {"no model", QStringLiteral("Canon"), QStringLiteral("  "), QString()},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(KameraName(f.marke, f.modell), f.erwartet);
    }
}

TEST_F(FotoMetadatenTest, CaptureDateFromTheFirstKeyThatHoldsOne)
{
    const QImage bild = muster::RotOberBlau(32, 24);
    struct Fall
    {
        const char *name;
        const char *datei;
        muster::Exif exif;
        std::optional<QDateTime> erwartet;
    } faelle[] = {
        { "original", "E:\\a.jpg", { 1, "2021:05:06 07:08:09", "2022:01:01 00:00:00" },
            QDateTime(QDate(2021, 5, 6), QTime(7, 8, 9), Qt::UTC) },
        { "digitized only", "E:\\b.jpg", { 1, {}, "2022:01:02 03:04:05" },
            QDateTime(QDate(2022, 1, 2), QTime(3, 4, 5), Qt::UTC) },
        { "camera without a date", "E:\\c.jpg", { 1, "0000:00:00 00:00:00", {} }, std::nullopt },
        { "nothing", "E:\\d.jpg", {}, std::nullopt },
        { "raw", "E:\\e.nef", { 6, "2024:03:31 02:30:00", {} },
            QDateTime(QDate(2024, 3, 31), QTime(2, 30), Qt::UTC) },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        const QString pfad = QString::fromLatin1(f.datei);
        env.ordner(QStringLiteral("E:\\"));
        const bool roh = pfad.endsWith(QLatin1String(".nef"));
        ASSERT_TRUE(roh ? muster::RohSchreiben(Host(env, pfad), bild, f.exif)
                        : muster::JpegSchreiben(Host(env, pfad), bild, f.exif));
        EXPECT_EQ(AufnahmeDatum(Host(env, pfad)), f.erwartet);
    }
    // A movie's header counts in UTC; the name shows the local wall clock.
    const QDateTime gedreht(QDate(2023, 12, 21), QTime(10, 40), Qt::UTC);
    ASSERT_TRUE(muster::FilmSchreiben(Host(env, QStringLiteral("E:\\MVI_0001.MOV")), gedreht));
    const QDateTime lokal = gedreht.toLocalTime();
    EXPECT_EQ(AufnahmeDatum(Host(env, QStringLiteral("E:\\MVI_0001.MOV"))),
        QDateTime(lokal.date(), lokal.time(), Qt::UTC));
    EXPECT_EQ(AufnahmeDatum(Host(env, QStringLiteral("E:\\fehlt.jpg"))), std::nullopt);
}

// A phone's HEIF photo keeps its EXIF in ISO media boxes, as MP4 does.
TEST_F(FotoMetadatenTest, HeifPhotoGivesItsExifDateAndOrientation)
{
    const QByteArray heic = Host(env, QStringLiteral("E:\\IMG_0001.HEIC"));
    env.ordner(QStringLiteral("E:\\"));
    ASSERT_TRUE(muster::HeifSchreiben(heic, muster::RotOberBlau(320, 240), { 6, QStringLiteral("2023:08:09 10:11:12"), {} }));
    EXPECT_EQ(AufnahmeDatum(heic), QDateTime(QDate(2023, 8, 9), QTime(10, 11, 12), Qt::UTC));
    EXPECT_EQ(BildDatei(heic).ausrichtung(), 6);
}

// A thumbnail spares decoding the whole photo when it fills the box; one
// stored turned like the photo but without its rotation would lie on its side.
TEST_F(FotoMetadatenTest, HeifThumbnailOnlyWhenItFillsTheBoxAndStandsAsThePhoto)
{
    const QImage aufrecht = muster::RotOberBlau(300, 400);
    QImage klein = muster::RotOberBlau(150, 200);
    QPainter(&klein).fillRect(0, 100, 150, 100, Qt::green);
    struct Fall
    {
        const char *datei;
        int vorschauAusrichtung;
        QSize platz;
        bool vorschau;
    } faelle[] = {
        { "E:\\Gedreht.heic", 6, QSize(1500, 2000), true },
        { "E:\\Liegend.heic", 1, QSize(1500, 2000), false },
        { "E:\\ZuKlein.heic", 6, QSize(4500, 6000), false },
    };
    env.ordner(QStringLiteral("E:\\"));
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.datei);
        const QByteArray heic = Host(env, QString::fromLatin1(f.datei));
        ASSERT_TRUE(muster::HeifSchreiben(heic, muster::Gespeichert(aufrecht, 6), { 6, {}, {} },
            { muster::Gespeichert(klein, 6), f.vorschauAusrichtung }));
        const VorschauPixel v = VorschauDekodieren(heic, VorschauArt::Heif, f.platz);
        ASSERT_FALSE(v.bild.isNull());
        EXPECT_EQ(v.natur, QSize(300, 400));
        EXPECT_LT(v.bild.width(), v.bild.height());
        for (const int x : { v.bild.width() / 4, v.bild.width() * 3 / 4 })
            EXPECT_GT(v.bild.pixelColor(x, v.bild.height() / 8).red(), 200) << x;
        const QColor unten = v.bild.pixelColor(v.bild.width() / 2, v.bild.height() * 7 / 8);
        EXPECT_GT(f.vorschau ? unten.green() : unten.blue(), 200);
        EXPECT_LT(f.vorschau ? unten.blue() : unten.green(), 60);
    }
}

// A FIFO named like a photo or film would block any library that opens it.
TEST_F(FotoMetadatenTest, FifoIsNeverOpened)
{
    env.ordner(QStringLiteral("E:\\"));
    const struct
    {
        const char *datei;
        VorschauArt art;
    } faelle[] = { { "E:\\a.mp4", VorschauArt::Film }, { "E:\\b.heic", VorschauArt::Heif },
        { "E:\\c.jpg", VorschauArt::Bild } };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.datei);
        const QByteArray host = Host(env, QString::fromLatin1(f.datei));
        ASSERT_EQ(mkfifo(host.constData(), 0600), 0);
        EXPECT_TRUE(VorschauDekodieren(host, f.art, QSize(4500, 3000)).bild.isNull());
        EXPECT_EQ(AufnahmeDatum(host), std::nullopt);
    }
}

TEST(FilmZeit, ZonesAndClocksThatWereNeverSet)
{
    const QDateTime zwoelf(QDate(2024, 7, 1), QTime(12, 0), Qt::UTC);
    struct Fall
    {
        const char *text;
        std::optional<QDateTime> erwartet;
    } faelle[] = {
        { "2024-07-01T10:00:00.000000Z", zwoelf },
        { "2024-07-01T10:00:00Z", zwoelf },
        { "2024-07-01T14:30:00+04:30", zwoelf },
        { "2024-07-01T07:00:00-0300", zwoelf },
        { "2024-07-01 12:00:00", zwoelf },
        { "1904-01-01T00:00:00.000000Z", std::nullopt },
        { "1970-01-01T00:00:00.000000Z", std::nullopt },
        { "2024-07-01T10:00:00 Uhr", std::nullopt },
        { "2024-07-01", std::nullopt },
        { "", std::nullopt },
    };
    const Zeitzone berlin("Europe/Berlin");
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(FilmZeit(QString::fromLatin1(f.text)), f.erwartet);
    }
}

// A camera held upright stores its picture turned; the preview shows it as
// taken: red at the top, blue at the bottom, in a portrait box.
TEST_F(FotoMetadatenTest, PreviewStandsUpright)
{
    const QImage aufrecht = muster::RotOberBlau(300, 400);
    struct Fall
    {
        const char *datei;
        int ausrichtung;
    } faelle[] = {
        { "E:\\Hoch6.jpg", 6 }, { "E:\\Hoch8.jpg", 8 }, { "E:\\Hoch3.jpg", 3 }, { "E:\\Hoch1.jpg", 1 },
        { "E:\\Hoch6.dng", 6 }, { "E:\\Hoch8.nef", 8 }, { "E:\\Hoch5.arw", 5 },
        // HEIF turns by its own properties; the EXIF orientation beside them must not turn it again.
        { "E:\\Hoch6.heic", 6 }, { "E:\\Hoch8.hif", 8 }, { "E:\\Hoch1.heic", 1 },
        // Phones film upright and let the player turn; cameras film as shown.
        { "E:\\Hoch6.mp4", 6 }, { "E:\\Hoch8.mov", 8 }, { "E:\\Hoch1.m2ts", 1 }, { "E:\\Hoch1.avi", 1 },
    };
    QStringList pfade;
    for (const Fall &f : faelle) {
        const QString pfad = QString::fromLatin1(f.datei);
        env.ordner(QStringLiteral("E:\\"));
        const QImage gespeichert = muster::Gespeichert(aufrecht, f.ausrichtung);
        const muster::Exif exif { f.ausrichtung, {}, {} };
        const QString endung = pfad.section(QLatin1Char('.'), -1);
        const bool geschrieben = endung == QLatin1String("jpg") ? muster::JpegSchreiben(Host(env, pfad), gespeichert, exif)
            : endung == QLatin1String("heic") || endung == QLatin1String("hif")
            ? muster::HeifSchreiben(Host(env, pfad), gespeichert, exif)
            : IstFilm(pfad) ? muster::FilmMitFfmpeg(Host(env, pfad), gespeichert, {}, f.ausrichtung == 6 ? 90 : f.ausrichtung == 8 ? 270 : 0)
                            : muster::RohSchreiben(Host(env, pfad), gespeichert, exif);
        ASSERT_TRUE(geschrieben) << f.datei;
        pfade << pfad;
    }
    fenster.vorschauOhneReaktion(true);
    liste.setPfade(pfade);
    for (int i = 0; i < pfade.size(); ++i) {
        SCOPED_TRACE(pfade[i].toStdString());
        liste.setAktuell(i);
        bildAbwarten();
        const QImage &bild = fenster.vorschauBild;
        ASSERT_FALSE(bild.isNull());
        EXPECT_LT(fenster.vorschauBreite, fenster.vorschauHoehe);
        EXPECT_LT(bild.width(), bild.height());
        const QColor oben = bild.pixelColor(bild.width() / 2, bild.height() / 8);
        const QColor unten = bild.pixelColor(bild.width() / 2, bild.height() * 7 / 8);
        EXPECT_GT(oben.red(), 200);
        EXPECT_LT(oben.blue(), 60);
        EXPECT_GT(unten.blue(), 200);
        EXPECT_LT(unten.red(), 60);
    }
}

} // namespace

} // namespace mirbelon::test
