#include "app/Main.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <unistd.h>

namespace mirbelon {
namespace {

using test::TestUmgebung;

// Notes whether a key reached the list while the copy was still being written.
class TastenZeuge : public QObject
{
public:
    std::function<bool()> kopiertGerade;
    bool waehrendDerKopie = false;
    int tasten = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress) {
            ++tasten;
            waehrendDerKopie = waehrendDerKopie || kopiertGerade();
        }
        return false;
    }
};

TEST(KopierFenster, KeysAreHandledAndTheBarMovesWhileALargeFileIsCopied)
{
    TestUmgebung u;
    // A video far larger than a photo: sparse, so it is there at once; its
    // copy is written in full and takes a good part of a second at least.
    u.datei(QStringLiteral("E:\\DCIM\\100CANON\\MVI_0001.MOV"), "");
    ASSERT_EQ(::truncate(QFile::encodeName(u.host(QStringLiteral("E:\\DCIM\\100CANON\\MVI_0001.MOV"))).constData(),
                         qint64(512) << 20),
              0);
    Main main(*u.ctx, [] {});
    main.laden();
    main.setQuelle(QStringLiteral("E:\\"));
    main.setZiel(QStringLiteral("C:\\Archiv"));
    main.show();
    ASSERT_EQ(main.liste().anzahl(), 1);
    main.liste().setMarken({1});
    u.dialogs.antworte(Answer::Cancel); // the delete question

    const QString archiv = u.host(QStringLiteral("C:\\Archiv"));
    // Only the hidden part file is there while the bytes are on their way,
    // in the folder of the copies made ahead.
    const auto kopiertGerade = [&archiv] {
        return !QDir(archiv + QStringLiteral("/.mirbelon-vorab"))
                    .entryList({QStringLiteral("*.mirbelon-part")}, QDir::Files | QDir::Hidden)
                    .isEmpty()
               && QDir(archiv).entryList(QDir::Files).isEmpty();
    };
    TastenZeuge zeuge;
    zeuge.kopiertGerade = kopiertGerade;
    main.listBilder()->installEventFilter(&zeuge);
    QProgressBar *balken = main.findChild<QProgressBar *>();
    ASSERT_NE(balken, nullptr);
    int kleinsterWert = 100;
    QTimer uhr;
    QObject::connect(&uhr, &QTimer::timeout, [&] {
        if (!kopiertGerade())
            return;
        kleinsterWert = std::min(kleinsterWert, balken->value());
        if (zeuge.tasten == 0)
            QTest::keyClick(main.listBilder(), Qt::Key_Up);
    });
    uhr.start(5);

    main.aktion(QStringLiteral("mnuKopieren"))->trigger();
    uhr.stop();

    EXPECT_EQ(QDir(archiv).entryList({QStringLiteral("*.mov")}, QDir::Files).size(), 1);
    EXPECT_TRUE(zeuge.waehrendDerKopie) << "the key came only after the copy";
    EXPECT_LT(kleinsterWert, 100) << "the bar stood still within the file";
}


TEST(KopierFenster, AKeyPressedDuringARunOfManyPhotosIsHandledWhileTheRunGoesOn)
{
    TestUmgebung u;
    constexpr int kFotos = 300;
    for (int k = 0; k < kFotos; ++k)
        u.datei(QStringLiteral("E:\\DCIM\\100CANON\\IMG_%1.JPG").arg(k, 4, 10, QLatin1Char('0')),
                QByteArray(20000, char(k)), QDateTime(QDate(2024, 3, 14), QTime(9, k / 60, k % 60)));
    Main main(*u.ctx, [] {});
    main.laden();
    main.setQuelle(QStringLiteral("E:\\"));
    main.setZiel(QStringLiteral("C:\\Archiv"));
    main.show();
    ASSERT_EQ(main.liste().anzahl(), kFotos);
    main.liste().setMarken(std::vector<char>(kFotos, 1));
    u.dialogs.antworte(Answer::Cancel); // the delete question

    const QString archiv = u.host(QStringLiteral("C:\\Archiv"));
    const auto kopiert = [&archiv] { return int(QDir(archiv).entryList({QStringLiteral("*.jpg")}, QDir::Files).size()); };
    TastenZeuge zeuge;
    zeuge.kopiertGerade = [&] { return u.ctx->lauf == Lauf::Kopieren && kopiert() < kFotos; };
    main.listBilder()->installEventFilter(&zeuge);
    QTimer uhr;
    QObject::connect(&uhr, &QTimer::timeout, [&] {
        if (zeuge.tasten == 0 && kopiert() > 0 && zeuge.kopiertGerade())
            QTest::keyClick(main.listBilder(), Qt::Key_Up);
    });
    uhr.start(5);

    main.aktion(QStringLiteral("mnuKopieren"))->trigger();
    uhr.stop();

    EXPECT_EQ(kopiert(), kFotos);
    EXPECT_EQ(zeuge.tasten, 1);
    EXPECT_TRUE(zeuge.waehrendDerKopie) << "the key came only after the run";
}

} // namespace
} // namespace mirbelon
