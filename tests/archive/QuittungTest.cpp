#include "archive/Kopierlauf.h"
#include "archive/Quittung.h"

#include "tests/archive/ArchivTest.h"

#include <QProcess>

namespace mirbelon::test {
namespace {

// `xxhsum -c` of the receipt in `ordner`: its exit code and what it printed.
std::pair<int, QString> XxhsumPruefen(const QString &ordner, const QString &quittung)
{
    QProcess p;
    p.setWorkingDirectory(ordner);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("xxhsum"), {QStringLiteral("--strict"), QStringLiteral("-c"), quittung});
    if (!p.waitForFinished(30000))
        return {-1, QStringLiteral("xxhsum did not run: ") + p.errorString()};
    return {p.exitCode(), QString::fromUtf8(p.readAll())};
}

TEST(QuittungsZeile, IsTheLineXxhsumWritesWithSlashes)
{
    // xxhsum -H2 of "hello".
    EXPECT_EQ(QuittungsZeile(Hash128{0xc779cfaa5e523818ull, 0xb5e9c1ad071b3e7full}, "2024\\a b.jpg"),
              "b5e9c1ad071b3e7fc779cfaa5e523818  2024/a b.jpg");
    EXPECT_EQ(QuittungsName(QDateTime(QDate(2026, 5, 4), QTime(9, 1, 2)), true),
              "Mirbelon-20260504-090102.xxh128");
    EXPECT_EQ(QuittungsName(QDateTime(QDate(2026, 5, 4), QTime(9, 1, 2)), false),
              "Mirbelon-20260504-090102-unvollstaendig.xxh128");
}

TEST_F(ArchivTest, ReceiptIsCheckedByXxhsumAndCatchesAChangedByte)
{
    fenster.muster = "{jjjj}\\{mm}{tt}-{hh}{nn}{ss}";
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(15, 9, 5, 31)}}, {1, 1});
    mnuKopieren(ctx(), liste, fenster);
    const QString archiv = env.host("C:\\Archiv");
    const QString name = "Mirbelon-20260504-101112.xxh128";
    ASSERT_TRUE(gibt("C:\\Archiv\\" + name));

    const auto [gut, ausgabeGut] = XxhsumPruefen(archiv, name);
    EXPECT_EQ(gut, 0) << ausgabeGut.toStdString();
    EXPECT_TRUE(ausgabeGut.contains("2024/0315-090531.jpg: OK")) << ausgabeGut.toStdString();

    QFile datei(archiv + "/2024/0315-090531.jpg");
    ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
    datei.seek(7);
    datei.write("Y");
    datei.close();
    const auto [schlecht, ausgabe] = XxhsumPruefen(archiv, name);
    EXPECT_NE(schlecht, 0);
    EXPECT_TRUE(ausgabe.contains("2024/0315-090531.jpg: FAILED")) << ausgabe.toStdString();
    EXPECT_TRUE(ausgabe.contains("2024/0314-090530.jpg: OK")) << ausgabe.toStdString();
}

TEST_F(ArchivTest, RunEndedEarlyLeavesAFlaggedReceiptOfWhatWasCopied)
{
    karte({{"E:\\A.jpg", zeit(14, 9, 5, 30)}, {"E:\\B.jpg", zeit(14, 9, 5, 31)}}, {1, 1});
    // The second photo is gone; the user cancels its report.
    QFile::remove(env.host("E:\\B.jpg"));
    env.dialogs.antworte(Answer::Cancel);
    mnuKopieren(ctx(), liste, fenster);

    EXPECT_FALSE(gibt("C:\\Archiv\\Mirbelon-20260504-101112.xxh128"));
    const QString name = "Mirbelon-20260504-101112-unvollstaendig.xxh128";
    const QByteArray inhalt = env.inhalt("C:\\Archiv\\" + name);
    EXPECT_TRUE(inhalt.endsWith("  2024_0314-090530.jpg\n")) << inhalt.toStdString();
    EXPECT_EQ(inhalt.count('\n'), 1);
    EXPECT_EQ(gezeigt(kLoeschFrage), 0);
    const auto [rc, ausgabe] = XxhsumPruefen(env.host("C:\\Archiv"), name);
    EXPECT_EQ(rc, 0) << ausgabe.toStdString();
}

} // namespace
} // namespace mirbelon::test
