#include "platform/DateiAbbild.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

using namespace mirbelon;

// A file cut short under its mapping faults as a pulled card does: each read
// of a page past the new end would end the program with SIGBUS.
TEST(DateiAbbild, APageThatCannotBeReadAnyMoreReadsAsZerosAndIsReported)
{
    QTemporaryDir ordner;
    const long seite = ::sysconf(_SC_PAGESIZE);
    for (const bool gekuerzt : {false, true}) {
        SCOPED_TRACE(gekuerzt ? "cut short" : "intact");
        const QString pfad = ordner.filePath(QStringLiteral("IMG_0001.JPG"));
        QFile datei(pfad);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
        datei.write(QByteArray(3 * seite, 'x'));
        datei.close();

        const DateiAbbild abbild(QFile::encodeName(pfad));
        const QByteArray daten = abbild.daten();
        ASSERT_EQ(daten.size(), 3 * seite);
        if (gekuerzt) {
            ASSERT_EQ(::truncate(QFile::encodeName(pfad).constData(), seite), 0);
        }
        qint64 x = 0;
        for (const char c : daten)
            x += c == 'x';
        EXPECT_EQ(x, gekuerzt ? seite : 3 * seite);
        EXPECT_EQ(abbild.beschaedigt(), gekuerzt);
    }
}
