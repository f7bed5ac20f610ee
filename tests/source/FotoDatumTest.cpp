#include "source/FotoDatum.h"

#include "tests/source/QuelleTest.h"

#include <gtest/gtest.h>

#include "text/Zahlen.h"
#include "tools/Musterbilder.h"

#include <QFile>

#include <ctime>

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

// The local zone of the test, for as long as it lives.
class Zeitzone
{
public:
    explicit Zeitzone(const char *tz)
        : m_alt(qgetenv("TZ")), m_hatte(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", tz);
        tzset();
    }
    ~Zeitzone()
    {
        if (m_hatte)
            qputenv("TZ", m_alt);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray m_alt;
    bool m_hatte;
};

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

TEST(Picture_DT, MissingFileHasNoDate)
{
    TestUmgebung env;
    EXPECT_EQ(Picture_DT(*env.ctx, QStringLiteral("E:\\Weg.jpg")), std::nullopt);
    EXPECT_EQ(Picture_DT(*env.ctx, QString()), std::nullopt);
}

} // namespace

} // namespace mirbelon::test
