#include "platform/posix/PosixFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

// The list spells a name through the proper case, one character at a time
// with QChar's upper and lower case; every such spelling must find the file.
TEST(NamensAufloesung, UpperAndLowerCaseOfEveryCharacterFindTheFile)
{
    QTemporaryDir root;
    const QString karte = root.path() + QStringLiteral("/E/Dcim");
    ASSERT_TRUE(QDir().mkpath(karte));
    PosixFileSystem fs(DriveTable::parse(QStringLiteral("E=%1/E").arg(root.path())));

    QList<QChar> zeichen;
    for (char32_t u = 0x80; u < 0x10000; ++u) {
        const QChar c(static_cast<char16_t>(u));
        if (!c.isSurrogate() && c.category() != QChar::Other_Control
            && (c.toUpper() != c || c.toLower() != c))
            zeichen << c;
    }
    ASSERT_GT(zeichen.size(), 1000);
    const auto name = [](QChar c, QChar geschrieben) {
        return QString::number(c.unicode(), 16) + QLatin1Char('-') + geschrieben
               + QStringLiteral(".jpg");
    };
    for (const QChar c : zeichen) {
        QFile f(karte + QLatin1Char('/') + name(c, c));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::number(c.unicode()));
    }

    QStringList verfehlt;
    for (const QChar c : zeichen) {
        for (const QChar geschrieben : {c.toUpper(), c.toLower()}) {
            const QString pfad = QStringLiteral("E:\\Dcim\\") + name(c, geschrieben);
            if (fs.readAll(pfad).value_or(QByteArray()) != QByteArray::number(c.unicode()))
                verfehlt << pfad;
        }
    }
    EXPECT_TRUE(verfehlt.isEmpty()) << verfehlt.join(QLatin1Char(' ')).toStdString();
}

} // namespace
} // namespace mirbelon
