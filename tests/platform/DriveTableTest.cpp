#include "platform/DriveTable.h"
#include "platform/posix/MountedDrives.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

QString letters(const DriveTable &t)
{
    QString out;
    for (const DriveTable::Drive &d : t.drives())
        out += d.letter;
    return out;
}

TEST(DriveTable, ParseTakesPairsAndAddsTheHostRoot)
{
    const DriveTable t = DriveTable::parse(
        QStringLiteral("e=/media/anna/CARD/;C=/home/anna;bad;1=/x;F=relative;G="));
    EXPECT_EQ(letters(t), QStringLiteral("CEZ"));
    EXPECT_EQ(t.folderOf(QLatin1Char('C')), QStringLiteral("/home/anna"));
    EXPECT_EQ(t.folderOf(QLatin1Char('e')), QStringLiteral("/media/anna/CARD"));
    EXPECT_EQ(t.folderOf(QLatin1Char('Z')), QStringLiteral("/"));
    EXPECT_EQ(t.folderOf(QLatin1Char('D')), QString());
}

TEST(DriveTable, NamedZReplacesTheHostRoot)
{
    const DriveTable t = DriveTable::parse(QStringLiteral("C=/home/anna;Z=/srv/share"));
    EXPECT_EQ(t.folderOf(QLatin1Char('Z')), QStringLiteral("/srv/share"));
    EXPECT_EQ(t.toProgram(QStringLiteral("/etc/passwd")), QString());
}

// Media known only by their mount folders, as a tmpfs is.
QList<DriveTable::Medium> mounts(const QStringList &folders)
{
    QList<DriveTable::Medium> media;
    for (const QString &f : folders)
        media.append({f, {}, {}});
    return media;
}

TEST(DriveTable, DefaultsGiveHomeAndMediaInNameOrder)
{
    DriveTable::Memory memory;
    const DriveTable t = DriveTable::defaults(
        QStringLiteral("/home/anna"),
        mounts({QStringLiteral("/media/anna/ZETA"), QStringLiteral("/mnt/usb"),
                QStringLiteral("/run/media/anna/ALPHA/")}),
        memory);
    EXPECT_EQ(letters(t), QStringLiteral("CDEFZ"));
    EXPECT_EQ(t.folderOf(QLatin1Char('C')), QStringLiteral("/home/anna"));
    EXPECT_EQ(t.folderOf(QLatin1Char('D')), QStringLiteral("/run/media/anna/ALPHA"));
    EXPECT_EQ(t.folderOf(QLatin1Char('E')), QStringLiteral("/mnt/usb"));
    EXPECT_EQ(t.folderOf(QLatin1Char('F')), QStringLiteral("/media/anna/ZETA"));
    EXPECT_EQ(t.folderOf(QLatin1Char('Z')), QStringLiteral("/"));
}

TEST(DriveTable, ManyMediaNeverTakeZ)
{
    QStringList folders;
    for (int i = 0; i < 30; ++i)
        folders << QStringLiteral("/mnt/m%1").arg(i, 2, 10, QLatin1Char('0'));
    DriveTable::Memory memory;
    const DriveTable t = DriveTable::defaults(QStringLiteral("/home/anna"), mounts(folders), memory);
    EXPECT_EQ(t.folderOf(QLatin1Char('Y')), QStringLiteral("/mnt/m21"));
    EXPECT_EQ(t.folderOf(QLatin1Char('Z')), QStringLiteral("/"));
}

// The media letters as "D=/m/a;E=/m/b".
QString media(const DriveTable &t)
{
    QStringList pairs;
    for (const DriveTable::Drive &d : t.drives()) {
        if (d.medium)
            pairs << QString(d.letter) + QLatin1Char('=') + d.folder;
    }
    return pairs.join(QLatin1Char(';'));
}

TEST(DriveTable, MediaKeepTheirLettersWhileMounted)
{
    struct Step
    {
        QStringList mounted;
        QString expected;
    };
    const QList<Step> steps{
        {{"/m/B"}, "D=/m/B"},
        {{"/m/B", "/m/A"}, "D=/m/B;E=/m/A"},             // no reshuffling of D:
        {{"/m/A"}, "E=/m/A"},                             // unmounted: the letter is gone
        {{"/m/A", "/m/C", "/m/0/"}, "D=/m/0;E=/m/A;F=/m/C"}, // lowest free letters, name order
        {{"/m/A", "/home/anna", "/m/C"}, "E=/m/A;F=/m/C"},   // home keeps C:
        {{}, ""},
    };
    DriveTable::Memory memory;
    DriveTable t = DriveTable::defaults(QStringLiteral("/home/anna"), {}, memory);
    for (const Step &step : steps) {
        memory.clear(); // no letter kept: the lowest free ones
        t = t.withMedia(mounts(step.mounted), memory);
        SCOPED_TRACE(step.mounted.join(QLatin1Char(',')).toStdString());
        EXPECT_EQ(media(t), step.expected);
        EXPECT_EQ(t.folderOf(QLatin1Char('C')), QStringLiteral("/home/anna"));
        EXPECT_EQ(t.folderOf(QLatin1Char('Z')), QStringLiteral("/"));
    }
}

// A card keeps its letter from run to run, by its UUID, else its label,
// else its mount folder's name; new cards get the lowest free letter.
TEST(DriveTable, MediaGetTheLettersTheyHadBefore)
{
    using M = DriveTable::Medium;
    const M eos{"/m/EOS_DIGITAL", {}, {}};
    const M alpha{"/m/ALPHA", {}, {}};
    const M sd{"/m/3A1F-0C22", "3A1F-0C22", {}};
    const M sdElsewhere{"/media/x/disk", "3a1f-0c22", "Urlaub"};
    const M named{"/m/sdb1", {}, "Urlaub"};
    struct Fall
    {
        const char *name;
        DriveTable::Memory kept;
        QList<M> mounted;
        QString expected;
        DriveTable::Memory keptAfter;
    };
    QList<Fall> faelle{
        {"kept letter beats name order", {{'D', "label:EOS_DIGITAL"}}, {alpha, eos},
         "D=/m/EOS_DIGITAL;E=/m/ALPHA", {{'D', "label:EOS_DIGITAL"}, {'E', "label:ALPHA"}}},
        {"kept letter that is not the lowest", {{'F', "label:ALPHA"}}, {alpha, eos},
         "D=/m/EOS_DIGITAL;F=/m/ALPHA", {{'D', "label:EOS_DIGITAL"}, {'F', "label:ALPHA"}}},
        {"by UUID wherever it is mounted", {{'G', "uuid:3a1f-0c22"}}, {sdElsewhere},
         "G=/media/x/disk", {{'G', "uuid:3a1f-0c22"}}},
        {"by label without a UUID", {{'E', "label:Urlaub"}}, {named}, "E=/m/sdb1",
         {{'E', "label:Urlaub"}}},
        {"a new card takes the lowest letter kept for no other card",
         {{'D', "label:EOS_DIGITAL"}}, {alpha}, "E=/m/ALPHA",
         {{'D', "label:EOS_DIGITAL"}, {'E', "label:ALPHA"}}},
        {"two cards of one name: the second one gets another letter, the first keeps D",
         {{'D', "label:EOS_DIGITAL"}}, {eos, M{"/n/EOS_DIGITAL", {}, {}}},
         "D=/m/EOS_DIGITAL;E=/n/EOS_DIGITAL", {{'D', "label:EOS_DIGITAL"}}},
        {"a letter kept for Z: or C: is no letter for a card", {{'C', "uuid:3a1f-0c22"}},
         {sd}, "D=/m/3A1F-0C22", {{'D', "uuid:3a1f-0c22"}}},
    };
    DriveTable::Memory alle;
    for (char l = 'D'; l < 'Z'; ++l)
        alle.insert(QLatin1Char(l), QStringLiteral("label:K%1").arg(l));
    DriveTable::Memory nachher = alle;
    nachher.insert(QLatin1Char('D'), QStringLiteral("label:ALPHA"));
    faelle.append({"every letter kept: the lowest free one, kept for this card now", alle,
                   {alpha}, "D=/m/ALPHA", nachher});
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        DriveTable::Memory memory = f.kept;
        const DriveTable t = DriveTable::defaults(QStringLiteral("/home/anna"), f.mounted, memory);
        EXPECT_EQ(media(t), f.expected);
        EXPECT_EQ(memory, f.keptAfter);
    }
}

TEST(DriveTable, ToHostKeepsSpellingAndKnowsRoots)
{
    const DriveTable t = DriveTable::parse(QStringLiteral("C=/home/anna;E=/media/card"));
    struct Fall
    {
        const char *name;
        QString program;
        QString host;
    };
    const Fall faelle[] = {
        {"file", QStringLiteral("E:\\Dcim\\Img_0001.jpg"),
         QStringLiteral("/media/card/Dcim/Img_0001.jpg")},
        {"lower-case letter", QStringLiteral("e:\\dcim"), QStringLiteral("/media/card/dcim")},
        {"bare drive", QStringLiteral("E:"), QStringLiteral("/media/card")},
        {"drive root", QStringLiteral("E:\\"), QStringLiteral("/media/card")},
        {"trailing backslash", QStringLiteral("C:\\Fotos\\"), QStringLiteral("/home/anna/Fotos")},
        {"doubled backslash", QStringLiteral("C:\\a\\\\b"), QStringLiteral("/home/anna/a/b")},
        {"dot dot stays on the drive", QStringLiteral("E:\\a\\..\\..\\b"),
         QStringLiteral("/media/card/b")},
        {"host root", QStringLiteral("Z:\\etc\\fstab"), QStringLiteral("/etc/fstab")},
        {"Z root", QStringLiteral("Z:\\"), QStringLiteral("/")},
        {"unknown drive", QStringLiteral("Q:\\x"), QString()},
        {"UNC path", QStringLiteral("\\\\server\\share\\x"), QString()},
        {"relative", QStringLiteral("Fotos\\x"), QString()},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(t.toHost(f.program), f.host);
    }
}

TEST(DriveTable, ToProgramUsesTheLongestMatchingFolder)
{
    const DriveTable t = DriveTable::parse(QStringLiteral("C=/home/anna;E=/home/anna/card"));
    struct Fall
    {
        const char *name;
        QString host;
        QString program;
    };
    const Fall faelle[] = {
        {"inside the nested drive", QStringLiteral("/home/anna/card/DCIM/x.jpg"),
         QStringLiteral("E:\\DCIM\\x.jpg")},
        {"name that only begins like it", QStringLiteral("/home/anna/cardboard/x"),
         QStringLiteral("C:\\cardboard\\x")},
        {"drive folder itself", QStringLiteral("/home/anna/card"), QStringLiteral("E:\\")},
        {"trailing slash", QStringLiteral("/home/anna/"), QStringLiteral("C:\\")},
        {"outside every drive", QStringLiteral("/etc/passwd"), QStringLiteral("Z:\\etc\\passwd")},
        {"host root", QStringLiteral("/"), QStringLiteral("Z:\\")},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(t.toProgram(f.host), f.program);
    }
}

TEST(DriveTable, ProgramPathsSurviveTheRoundTrip)
{
    const DriveTable t = DriveTable::parse(QStringLiteral("C=/home/anna;E=/home/anna/card"));
    for (const QString &p :
         {QStringLiteral("C:\\Fotos\\2024\\Bild 1.jpg"), QStringLiteral("E:\\DCIM\\100CANON"),
          QStringLiteral("E:\\"), QStringLiteral("Z:\\tmp\\Brenlo"), QStringLiteral("C:\\")}) {
        SCOPED_TRACE(p.toStdString());
        EXPECT_EQ(t.toProgram(t.toHost(p)), p);
    }
}

TEST(DriveTable, EnvironmentTableIsTheWholeTable)
{
    const QByteArray alt = qgetenv("MIRBELON_DRIVES");
    const bool hatte = qEnvironmentVariableIsSet("MIRBELON_DRIVES");
    qputenv("MIRBELON_DRIVES", "D=/srv/a;E=/srv/b");
    const DriveTable t = *MountedDrives::fromEnvironment()->current();
    if (hatte)
        qputenv("MIRBELON_DRIVES", alt);
    else
        qunsetenv("MIRBELON_DRIVES");
    EXPECT_EQ(letters(t), QStringLiteral("DEZ"));
    EXPECT_EQ(t.folderOf(QLatin1Char('E')), QStringLiteral("/srv/b"));
}

} // namespace
} // namespace mirbelon
