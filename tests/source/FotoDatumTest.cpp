#include "source/FotoDatum.h"

#include "tests/source/QuelleTest.h"

#include <gtest/gtest.h>

#include <QFile>

namespace mirbelon::test {

namespace {

QDateTime am(int tag, int monat, int jahr, int stunde, int minute, int sekunde)
{
    return QDateTime(QDate(jahr, monat, tag), QTime(stunde, minute, sekunde));
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
        { "no correction", am(15, 8, 2004, 12, 34, 56), 0, am(15, 8, 2004, 12, 34, 56) },
        { "one hour later", am(15, 8, 2004, 12, 34, 56), 60, am(15, 8, 2004, 13, 34, 56) },
        { "back over new year", am(1, 1, 2005, 1, 30, 0), -120, am(31, 12, 2004, 23, 30, 0) },
        { "half a minute up", am(1, 1, 2005, 1, 30, 0), 0.5f, am(1, 1, 2005, 1, 31, 0) },
        { "half a minute down", am(1, 1, 2005, 1, 30, 0), -0.5f, am(1, 1, 2005, 1, 29, 0) },
        { "below half a minute", am(1, 1, 2005, 1, 30, 0), 0.4f, am(1, 1, 2005, 1, 30, 0) },
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
    EXPECT_EQ(Picture_DT(*env.ctx, foto), am(1, 1, 2003, 0, 0, 0));
}

TEST(Picture_DT, MissingFileHasNoDate)
{
    TestUmgebung env;
    EXPECT_EQ(Picture_DT(*env.ctx, QStringLiteral("E:\\Weg.jpg")), std::nullopt);
    EXPECT_EQ(Picture_DT(*env.ctx, QString()), std::nullopt);
}

} // namespace

} // namespace mirbelon::test
