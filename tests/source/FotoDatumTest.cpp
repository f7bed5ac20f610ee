#include "source/FotoDatum.h"

#include "tests/source/QuelleTest.h"

#include <gtest/gtest.h>

#include "text/Zahlen.h"
#include "tools/Musterbilder.h"

#include <QFile>
#include <QTimer>


namespace mirbelon::test {

namespace {

// A file's time stamp, in local time.
QDateTime am(int tag, int monat, int jahr, int stunde, int minute, int sekunde)
{
    return QDateTime(QDate(jahr, monat, tag), QTime(stunde, minute, sekunde));
}

// A photo date: the wall clock, free of any zone.
QDateTime uhr(int tag, int monat, int jahr, int stunde, int minute, int sekunde)
{
    return QDateTime(QDate(jahr, monat, tag), QTime(stunde, minute, sekunde), Qt::UTC);
}

using Picture_DT_Test = QuelleTest;

TEST_F(Picture_DT_Test, TimeStampMovedByTheRoundedCorrection)
{
    const QString foto = QStringLiteral("E:\\Dcim\\Img_0001.jpg");
    struct Fall
    {
        const char *name;
        QDateTime stempel;
        float korrektur;
        QDateTime erwartet;
    } faelle[] = {
        { "no correction", am(15, 8, 2004, 12, 34, 56), 0, uhr(15, 8, 2004, 12, 34, 56) },
        { "one hour later", am(15, 8, 2004, 12, 34, 56), 60, uhr(15, 8, 2004, 13, 34, 56) },
        { "back over new year", am(1, 1, 2005, 1, 30, 0), -120, uhr(31, 12, 2004, 23, 30, 0) },
        { "half a minute up", am(1, 1, 2005, 1, 30, 0), 0.5f, uhr(1, 1, 2005, 1, 31, 0) },
        { "half a minute down", am(1, 1, 2005, 1, 30, 0), -0.5f, uhr(1, 1, 2005, 1, 29, 0) },
        { "below half a minute", am(1, 1, 2005, 1, 30, 0), 0.4f, uhr(1, 1, 2005, 1, 30, 0) },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        datei(foto, f.stempel);
        env.ctx->datumKorrektur = f.korrektur;
        EXPECT_EQ(Picture_DT(*env.ctx, foto), f.erwartet);
    }
}

TEST_F(Picture_DT_Test, TimeStampDecidesOverADateInTheName)
{
    const QString foto = QStringLiteral("E:\\IMG_20040815_123456.JPG");
    datei(foto, am(1, 1, 2003, 0, 0, 0));
    EXPECT_EQ(Picture_DT(*env.ctx, foto), uhr(1, 1, 2003, 0, 0, 0));
}

// Summer time skips 02:00 to 03:00 on 31.03.2024 and repeats 02:00 to 03:00
// on 27.10.2024; a photo date is a wall-clock value that any hour may hold.
TEST_F(Picture_DT_Test, SummerTimeChangesAreHoursLikeAnyOther)
{
    const Zeitzone berlin("Europe/Berlin");
    const QString foto = QStringLiteral("E:\\Dcim\\Img_0001.jpg");
    const QString roh = QStringLiteral("E:\\Dcim\\Img_0002.nef");
    env.ordner(QStringLiteral("E:\\Dcim"));
    ASSERT_TRUE(muster::RohSchreiben(QFile::encodeName(env.host(roh)), muster::RotOberBlau(16, 12),
        { 1, QStringLiteral("2024:03:31 02:30:00"), {} }));
    struct Fall
    {
        const char *name;
        QString datei;
        QDateTime stempel;
        bool aufnahme;
        float korrektur;
        QString erwartet;
    } faelle[] = {
        { "into the skipped hour", foto, am(31, 3, 2024, 1, 30, 0), false, 60, "2024_0331-023000" },
        { "back into the skipped hour", foto, am(31, 3, 2024, 3, 30, 0), false, -60, "2024_0331-023000" },
        { "out of the skipped hour", roh, am(1, 4, 2024, 9, 0, 0), true, -60, "2024_0331-013000" },
        { "in the skipped hour", roh, am(1, 4, 2024, 9, 0, 0), true, 0, "2024_0331-023000" },
        { "the repeated hour", foto, am(27, 10, 2024, 1, 30, 0), false, 60, "2024_1027-023000" },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        if (f.datei == foto)
            datei(foto, f.stempel);
        else
            stempeln(env.host(roh), f.stempel);
        env.ctx->fotoDatumAufnahme = f.aufnahme;
        env.ctx->datumKorrektur = f.korrektur;
        const std::optional<QDateTime> datum = Picture_DT(*env.ctx, f.datei);
        ASSERT_TRUE(datum && datum->isValid());
        EXPECT_EQ(FormatDatum(*datum, QStringLiteral("yyyy_mmdd-hhnnss")), f.erwartet);
    }
}

TEST_F(Picture_DT_Test, CaptureDateOnlyWhenAskedForElseTheFileTime)
{
    const QString mitDatum = QStringLiteral("E:\\Mit.jpg");
    const QString ohneDatum = QStringLiteral("E:\\Ohne.jpg");
    env.ordner(QStringLiteral("E:\\"));
    ASSERT_TRUE(muster::JpegSchreiben(QFile::encodeName(env.host(mitDatum)),
        muster::RotOberBlau(16, 12), { 1, QStringLiteral("2019:07:01 10:11:12"), {} }));
    ASSERT_TRUE(muster::JpegSchreiben(QFile::encodeName(env.host(ohneDatum)),
        muster::RotOberBlau(16, 12), {}));
    stempeln(env.host(mitDatum), am(2, 2, 2024, 8, 0, 0));
    stempeln(env.host(ohneDatum), am(3, 3, 2024, 9, 0, 0));
    env.ctx->datumKorrektur = 60;
    EXPECT_EQ(Picture_DT(*env.ctx, mitDatum), uhr(2, 2, 2024, 9, 0, 0));
    env.ctx->fotoDatumAufnahme = true;
    EXPECT_EQ(Picture_DT(*env.ctx, mitDatum), uhr(1, 7, 2019, 11, 11, 12));
    EXPECT_EQ(Picture_DT(*env.ctx, ohneDatum), uhr(3, 3, 2024, 10, 0, 0));
}

// Films keep their creation time in their header: MPEG-4 and QuickTime count
// in UTC (named on the local wall clock), AVI keeps the camera's clock. exiv2
// dates .mov; the others only FFmpeg does, and AVCHD's .mts neither.
TEST_F(Picture_DT_Test, FilmsAreNamedByTheCreationTimeInTheirHeader)
{
    const Zeitzone berlin("Europe/Berlin");
    const QStringList utc { QStringLiteral("-metadata"), QStringLiteral("creation_time=2024-07-01T10:00:00Z") };
    const QDateTime zwoelf = uhr(1, 7, 2024, 12, 0, 0);
    const QDateTime dateiZeit = uhr(3, 3, 2025, 9, 0, 0);
    struct Fall
    {
        const char *datei;
        QStringList optionen;
        QDateTime erwartet;
    } faelle[] = {
        { "E:\\Dcim\\Mvi_0001.mp4", utc, zwoelf },
        { "E:\\Dcim\\Mvi_0002.mov", utc, zwoelf },
        { "E:\\Dcim\\Mvi_0003.3gp", utc, zwoelf },
        { "E:\\Dcim\\Mvi_0004.mkv", utc, zwoelf },
        { "E:\\Dcim\\Mvi_0005.avi", { QStringLiteral("-metadata"), QStringLiteral("date=2024-07-01 12:00:00") },
            zwoelf },
        { "E:\\Dcim\\Mvi_0006.mts", utc, dateiZeit },
        { "E:\\Dcim\\Mvi_0007.mp4", {}, dateiZeit },
        { "E:\\Dcim\\Mvi_0008.mp4",
            { QStringLiteral("-metadata"), QStringLiteral("creation_time=1970-01-01T00:00:00Z") }, dateiZeit },
    };
    env.ordner(QStringLiteral("E:\\Dcim"));
    env.ctx->fotoDatumAufnahme = true;
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.datei);
        const QString pfad = QString::fromLatin1(f.datei);
        ASSERT_TRUE(muster::FilmMitFfmpeg(QFile::encodeName(env.host(pfad)), muster::RotOberBlau(64, 48), f.optionen));
        stempeln(env.host(pfad), am(3, 3, 2025, 9, 0, 0));
        EXPECT_EQ(Picture_DT(*env.ctx, pfad), f.erwartet);
    }
}

// The header is read on a worker: the window's events go on meanwhile.
TEST_F(Picture_DT_Test, CaptureDateIsReadWhileTheWindowsEventsRun)
{
    const QString film = QStringLiteral("E:\\Mvi_0001.mp4");
    env.ordner(QStringLiteral("E:\\"));
    ASSERT_TRUE(muster::FilmMitFfmpeg(QFile::encodeName(env.host(film)), muster::RotOberBlau(64, 48)));
    env.ctx->fotoDatumAufnahme = true;
    bool gelaufen = false;
    QTimer::singleShot(0, [&gelaufen] { gelaufen = true; });
    EXPECT_TRUE(Picture_DT(*env.ctx, film));
    EXPECT_TRUE(gelaufen);
}

TEST(Picture_DT, MissingFileHasNoDate)
{
    TestUmgebung env;
    EXPECT_EQ(Picture_DT(*env.ctx, QStringLiteral("E:\\Weg.jpg")), std::nullopt);
    EXPECT_EQ(Picture_DT(*env.ctx, QString()), std::nullopt);
}

} // namespace

} // namespace mirbelon::test
