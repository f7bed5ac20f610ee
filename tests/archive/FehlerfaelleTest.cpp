#include "archive/Kopierlauf.h"
#include "archive/Loeschen.h"

#include "source/Scan.h"
#include "tests/archive/ArchivTest.h"
#include "tests/support/Einhaengung.h"

#include <QDirIterator>

#include <functional>
#include <iostream>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon::test {
namespace {

const QString kKopierKontext = QStringLiteral("Es ist ein Fehler beim Kopieren aufgetreten.");

class FehlerfaelleTest : public ArchivTest
{
protected:
    void TearDown() override { einhaengung.loesen(); }

    // Photos with different content, of `groesse` bytes, one second apart.
    void grosseKarte(int anzahl, int groesse)
    {
        std::mt19937 zufall(4711);
        QStringList pfade;
        for (int i = 0; i < anzahl; ++i) {
            const QString pfad = QString("E:\\Dcim\\100canon\\Img_%1.jpg").arg(i + 1, 4, 10, QChar('0'));
            QByteArray daten(groesse, Qt::Uninitialized);
            for (char &c : daten)
                c = static_cast<char>(zufall());
            env.datei(pfad, daten);
            stempeln(pfad, zeit(14, 9, 0, i));
            original.insert(pfad, daten);
            pfade << pfad;
        }
        liste.setPfade(pfade);
        liste.setMarken(std::vector<char>(static_cast<size_t>(anzahl), 1));
    }

    // Every file below the host folder, hidden ones included, by relative path.
    static QStringList alleDateien(const QString &hostOrdner)
    {
        QStringList dateien;
        QDirIterator it(hostOrdner, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        // Every file but the run's checksum receipts.
        while (it.hasNext())
            dateien << QDir(hostOrdner).relativeFilePath(it.next());
        dateien.removeIf([](const QString &d) { return d.endsWith(".xxh128") && !d.contains("/."); });
        dateien.sort();
        return dateien;
    }

    // No final name holds anything but a whole photo, and no temporary name is left.
    void nurGanzeKopien(const QString &zielOrdner, int erwartet)
    {
        const QString host = env.host(zielOrdner);
        const QStringList dateien = alleDateien(host);
        EXPECT_EQ(dateien.size(), erwartet) << dateien.join(", ").toStdString();
        QList<QByteArray> inhalte = original.values();
        for (const QString &name : dateien) {
            EXPECT_FALSE(name.startsWith('.') || name.contains("/.")) << name.toStdString();
            QFile f(host + '/' + name);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray daten = f.readAll();
            EXPECT_TRUE(inhalte.removeOne(daten)) << name.toStdString() << " is no whole photo";
        }
    }

    void karteUnberuehrt()
    {
        for (auto it = original.constBegin(); it != original.constEnd(); ++it)
            EXPECT_EQ(env.inhalt(it.key()), it.value()) << it.key().toStdString();
    }

    int fehlerMeldungen() const
    {
        int n = 0;
        for (const auto &g : env.dialogs.gezeigt)
            n += g.titel == kFehlerTitel && g.text.contains(kKopierKontext) ? 1 : 0;
        return n;
    }

    void laufVorbei()
    {
        EXPECT_FALSE(fenster.fortschrittSichtbar);
        EXPECT_EQ(env.dialogs.busy(), 0);
        EXPECT_EQ(ctx().lauf, Lauf::Keiner);
    }

    QHash<QString, QByteArray> original;
    Einhaengung einhaengung;
};

TEST_F(FehlerfaelleTest, FullTargetDiskIsAskedAboutBeforeTheFirstPhoto)
{
    env.ordner("C:\\Archiv");
    if (!einhaengung.tmpfs(env.host("C:\\Archiv"), "2m"))
        GTEST_SKIP() << "no tmpfs: needs root and a host that allows mounting";
    // Five photos of 700 KB on a disk of 2 MB: the third does not fit.
    grosseKarte(5, 700 * 1024);
    // Unanswered, the question keeps its default: not to begin.

    mnuKopieren(ctx(), liste, fenster);

    ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
    const auto &frage = env.dialogs.gezeigt.first();
    EXPECT_EQ(frage.titel, "Fotos kopieren");
    EXPECT_EQ(frage.buttons, Buttons::YesNo);
    EXPECT_EQ(frage.vorgabe, Answer::No);
    EXPECT_TRUE(frage.text.startsWith("Für die 5 markierten Fotos (3,4 MiB) ist auf C: nur 2,0 MiB frei."))
        << frage.text.toStdString();
    EXPECT_TRUE(frage.text.endsWith("Trotzdem beginnen?")) << frage.text.toStdString();
    nurGanzeKopien("C:\\Archiv", 0);
    karteUnberuehrt();
    EXPECT_EQ(ini("Performance", "Messungen"), "");
    laufVorbei();
}

TEST_F(FehlerfaelleTest, FullTargetDiskDuringTheRunIsOneReportAndTheDeleteQuestionFollows)
{
    env.ordner("C:\\Archiv");
    if (!einhaengung.tmpfs(env.host("C:\\Archiv"), "2m"))
        GTEST_SKIP() << "no tmpfs: needs root and a host that allows mounting";
    grosseKarte(5, 700 * 1024);
    env.dialogs.antworte(Answer::Yes); // begin all the same
    // The unanswered delete question keeps the card.

    mnuKopieren(ctx(), liste, fenster);

    EXPECT_EQ(fehlerMeldungen(), 0);
    QStringList titel;
    for (const auto &g : env.dialogs.gezeigt)
        titel << g.titel;
    ASSERT_EQ(titel, (QStringList{"Fotos kopieren", "Fotos kopieren", kLoeschFrage}));
    const auto &bericht = env.dialogs.gezeigt.at(1);
    EXPECT_EQ(bericht.icon, Icon::Critical);
    EXPECT_EQ(bericht.buttons, Buttons::Ok);
    EXPECT_TRUE(bericht.text.startsWith("Auf C: ist kein Platz mehr frei: »E:\\Dcim\\100canon\\Img_0003.jpg« "
                                        "wurde nicht nach »C:\\Archiv« kopiert, die 2 markierten Fotos danach "
                                        "auch nicht."))
        << bericht.text.toStdString();
    nurGanzeKopien("C:\\Archiv", 2);
    // The end line counts what reached the archive, not what was tried.
    EXPECT_TRUE(ctx().laufZeile.startsWith("Kopiert: 2 Fotos (1,4 MiB)")) << ctx().laufZeile.toStdString();
    karteUnberuehrt();
    EXPECT_EQ(ini("Performance", "Messungen"), "1");
    laufVorbei();
}

TEST_F(FehlerfaelleTest, FullTempDiskKeepsEveryPhotoWhoseSafetyCopyDidNotFit)
{
    if (!einhaengung.tmpfs(env.host("C:\\Tmp"), "2m"))
        GTEST_SKIP() << "no tmpfs: needs root and a host that allows mounting";
    grosseKarte(5, 700 * 1024);
    const QStringList pfade = liste.pfade();
    env.dialogs.antworte(Answer::No); // the marked ones, that is all

    mnuLoeschenAlle(ctx(), liste, fenster); // unanswered reports go on

    int meldungen = 0;
    for (const auto &g : env.dialogs.gezeigt)
        meldungen += g.text.contains("Es ist ein Fehler beim Löschen der markierten Fotos") ? 1 : 0;
    EXPECT_EQ(meldungen, 3);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(pfade.at(i).toStdString());
        const QString sicherung = "C:\\Tmp\\" + pfade.at(i).mid(pfade.at(i).lastIndexOf('\\') + 1);
        if (i < 2) {
            EXPECT_FALSE(gibt(pfade.at(i)));
            EXPECT_EQ(env.inhalt(sicherung), original.value(pfade.at(i)));
        } else {
            EXPECT_EQ(env.inhalt(pfade.at(i)), original.value(pfade.at(i)));
            EXPECT_FALSE(gibt(sicherung));
        }
    }
    for (const QString &d : alleDateien(env.host("C:\\Tmp")))
        EXPECT_TRUE(d == "BrenloTemp.ini" || d.endsWith(".jpg")) << d.toStdString();
    EXPECT_EQ(liste.anzahl(), 3); // rescanned
    EXPECT_EQ(ctx().lauf, Lauf::Keiner);
}

TEST_F(FehlerfaelleTest, CardRemovedDuringTheRun)
{
    grosseKarte(5, 20000);
    // The card goes once the run has begun, before the first photo's bytes
    // are read: the copies of the next photos are made ahead of their turn,
    // so a later moment would find them copied whole already.
    fenster.beiFortschritt = [&](int) {
        if (fenster.fortschritte.size() == 1)
            QDir(env.laufwerk('E')).removeRecursively();
    };
    // However the reports of the photos would be answered: the card gone is
    // one report of its own, which ends the run; no photo's copy fails on,
    // nothing is asked to be deleted, none pretends to have a safety copy.
    for (int i = 0; i < 5; ++i)
        env.dialogs.antworte(Answer::No); // go on
    env.dialogs.antworte(Answer::Yes);   // delete all
    mnuKopieren(ctx(), liste, fenster);
    EXPECT_EQ(fehlerMeldungen(), 0);
    EXPECT_EQ(gezeigt(kLoeschFrage), 0);
    ASSERT_EQ(env.dialogs.gezeigt.size(), 1);
    EXPECT_EQ(env.dialogs.gezeigt.last().titel, "Karte entfernt");
    EXPECT_TRUE(env.dialogs.gezeigt.last().text.contains("ist nicht mehr da oder wurde gewechselt"));
    nurGanzeKopien("C:\\Archiv", 0);
    EXPECT_TRUE(alleDateien(env.host("C:\\Tmp")).filter(".jpg").isEmpty());
    laufVorbei();
}

TEST_F(FehlerfaelleTest, TargetThatCannotBeWrittenIsReportedAndNothingIsLost)
{
    grosseKarte(2, 5000);
    struct Fall
    {
        const char *name;
        std::function<bool()> vorbereiten; // false: not possible on this host
        QString ziel;
        QString nummer;
    };
    const QList<Fall> faelle = {
        {"read-only folder",
         [&] {
             env.ordner("C:\\Archiv\\Gesperrt");
             const QString host = env.host("C:\\Archiv\\Gesperrt");
             // Root ignores the mode bits; a read-only mount holds for root too.
             if (::geteuid() == 0)
                 return einhaengung.nurLesen(host);
             return ::chmod(QFile::encodeName(host).constData(), 0555) == 0;
         },
         "C:\\Archiv\\Gesperrt", "#70"},
        {"folder whose parent is a file",
         [&] {
             env.datei("C:\\Archiv\\Datei", "kein Ordner");
             return true;
         },
         "C:\\Archiv\\Datei\\2024", "#76"},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        if (!f.vorbereiten()) {
            std::cerr << "skipped: " << f.name << " cannot be set up on this host\n";
            continue;
        }
        env.dialogs.gezeigt.clear();
        fenster.zielOhneReaktion(f.ziel);
        env.dialogs.antworte(Answer::Cancel);

        mnuKopieren(ctx(), liste, fenster);

        ASSERT_EQ(fehlerMeldungen(), 1);
        EXPECT_TRUE(env.dialogs.gezeigt.first().text.contains(f.nummer))
            << env.dialogs.gezeigt.first().text.toStdString();
        EXPECT_EQ(gezeigt(kLoeschFrage), 0);
        karteUnberuehrt();
        laufVorbei();
    }
    EXPECT_TRUE(alleDateien(env.host("C:\\Archiv\\Gesperrt")).isEmpty());
    EXPECT_EQ(env.inhalt("C:\\Archiv\\Datei"), "kein Ordner");
    ::chmod(QFile::encodeName(env.host("C:\\Archiv\\Gesperrt")).constData(), 0755);
}

TEST_F(FehlerfaelleTest, ReadOnlySettingsFileStaysAsItWasAndTheRunGoesOn)
{
    grosseKarte(2, 5000);
    setzeIni("Mirbelon", "Nr3", "7");
    setzeIni("Statistik_Summe", "Anzahl Sum", "100");
    const QByteArray vorher = env.inhalt(ctx().einstellungsDatei);
    ASSERT_FALSE(vorher.isEmpty());
    ASSERT_FALSE(env.files->setReadOnly(ctx().einstellungsDatei, true));
    fenster.muster = "{jjjj}_{mm}{tt}-{hh}{nn}{ss}_{###}";

    mnuKopieren(ctx(), liste, fenster);

    EXPECT_EQ(env.inhalt(ctx().einstellungsDatei), vorher);
    EXPECT_EQ(gezeigt(kFehlerTitel), 0);
    // Both photos are there; the number could not advance, so both carry the old one.
    EXPECT_EQ(env.inhalt("C:\\Archiv\\2024_0314-090000_007.jpg"), original.value(liste.pfad(0)));
    EXPECT_EQ(env.inhalt("C:\\Archiv\\2024_0314-090001_007.jpg"), original.value(liste.pfad(1)));
    EXPECT_EQ(gezeigt(kLoeschFrage), 1);
    karteUnberuehrt();
    // No temporary file of a refused write is left beside it.
    EXPECT_EQ(QDir(env.host("C:\\Prg")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Mirbelon.ini"});
    laufVorbei();
}

TEST_F(FehlerfaelleTest, SettingsOnAReadOnlyDiskStayAsTheyWereAndTheRunGoesOn)
{
    grosseKarte(2, 5000);
    setzeIni("Mirbelon", "Nr3", "7");
    const QByteArray vorher = env.inhalt(ctx().einstellungsDatei);
    if (!einhaengung.nurLesen(env.host("C:\\Prg")))
        GTEST_SKIP() << "no read-only mount: needs root and a host that allows mounting";

    mnuKopieren(ctx(), liste, fenster);

    EXPECT_EQ(env.inhalt(ctx().einstellungsDatei), vorher);
    EXPECT_EQ(gezeigt(kFehlerTitel), 0);
    EXPECT_EQ(alleDateien(env.host("C:\\Archiv")).size(), 2);
    nurGanzeKopien("C:\\Archiv", 2);
    EXPECT_EQ(gezeigt(kLoeschFrage), 1);
    karteUnberuehrt();
    laufVorbei();
}

TEST_F(FehlerfaelleTest, HugeCardDescriptionFileIsReadAndItsCommandsAreAskedFor)
{
    // Ten thousand lines, the values far beyond what a read returns.
    const QString lang = QString(5000, 'x');
    QByteArray datei;
    for (int i = 0; i < 9980; ++i)
        datei += "Zeile" + QByteArray::number(i) + "=" + QByteArray(40, 'a' + i % 26) + "\r\n";
    datei += "[Infos]\r\nKamera=Canon " + lang.toLatin1() + "\r\nPostRun=echo "
             + lang.toLatin1() + "\r\n[AfterCopyFile]\r\n";
    for (int j = 0; j < 10; ++j)
        datei += "Job0" + QByteArray::number(j) + "=echo " + QByteArray::number(j)
                 + lang.toLatin1() + " {DateiZiel}\r\n";
    env.datei("E:\\Foto.ini", datei);
    env.datei("E:\\Dcim\\Img_0001.jpg", "foto");
    fenster.kameraOhneReaktion({});
    fenster.quelleOhneReaktion("E:\\");

    QuelleEinlesen(ctx(), liste, fenster);
    ASSERT_EQ(liste.anzahl(), 1);
    EXPECT_EQ(fenster.kamera(), ("Canon " + lang).left(998));

    mnuKopieren(ctx(), liste, fenster); // unanswered questions: No, Cancel

    const auto frage = [&](const QString &anlass) -> const FakeDialogs::Gezeigt * {
        for (const auto &g : env.dialogs.gezeigt)
            if (g.titel == kBefehlsFrage && g.text.contains(anlass))
                return &g;
        return nullptr;
    };
    const FakeDialogs::Gezeigt *jobs = frage("Nach jeder kopierten Datei");
    ASSERT_NE(jobs, nullptr);
    EXPECT_EQ(jobs->vorgabe, Answer::No);
    // Each command is shown as it would run: cut where the read cuts it.
    for (int j = 0; j < 10; ++j)
        EXPECT_TRUE(jobs->text.contains(("echo " + QString::number(j) + lang).left(998)));
    ASSERT_NE(frage("Nach dem Kopieren"), nullptr);
    EXPECT_TRUE(env.processes.gestartet.isEmpty());
    EXPECT_EQ(alleDateien(env.host("C:\\Archiv")).size(), 1);
    EXPECT_EQ(env.inhalt("E:\\Foto.ini"), datei);
    laufVorbei();
}

TEST_F(FehlerfaelleTest, NameWithEveryCharacterACardAllowsIsListedCopiedAndSafelyDeleted)
{
    // FAT long names may hold anything but \ / : * ? " < > | and control characters.
    // The word "ılık" is listed as "Ilık": upper case of the dotless i is I.
    const QString name = QString::fromUtf8(
        " Foto  1..2 $HOME `id` &amp; 100% ;x; 'a' [b] {c} #1 !n =e ~^,+@()-_ äöüÄÖÜß € "
        "Ωλ ılık 日本 🙂 .JPG");
    const QByteArray daten = QByteArray("JPEG-Daten ") + name.toUtf8() + QByteArray(2000, '\x01');
    const QString hostName = env.laufwerk('E') + "/DCIM/" + name;
    QDir().mkpath(env.laufwerk('E') + "/DCIM");
    {
        QFile f(hostName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(daten);
    }
    env.datei("E:\\DCIM\\Andere.jpg", "andere");
    fenster.quelleOhneReaktion("E:\\");
    fenster.muster = "{jjjj}_{mm}{tt}-{hh}{nn}{ss}";

    QuelleEinlesen(ctx(), liste, fenster);
    ASSERT_EQ(liste.anzahl(), 2);
    const int index = liste.pfad(0).contains("Foto") ? 0 : 1;
    const QString gelistet = liste.pfad(index);
    EXPECT_EQ(gelistet.size(), QString("E:\\Dcim\\").size() + name.size()) << gelistet.toStdString();
    EXPECT_TRUE(liste.markiert(index));
    EXPECT_EQ(env.files->readAll(gelistet).value_or(QByteArray()), daten);

    env.dialogs.antworte(Answer::Yes); // delete all after the copy
    mnuKopieren(ctx(), liste, fenster);

    // The copy is whole, under a name of its date.
    QByteArrayList kopien;
    for (const QString &d : alleDateien(env.host("C:\\Archiv")))
        kopien << env.inhalt("C:\\Archiv\\" + d);
    EXPECT_EQ(kopien.size(), 2);
    EXPECT_TRUE(kopien.contains(daten));
    // Deleted from the card only with its safety copy in the temp folder.
    EXPECT_FALSE(QFile::exists(hostName));
    // The safety copy takes the name as the list spells it.
    const QString sicherung = gelistet.mid(gelistet.lastIndexOf('\\') + 1);
    EXPECT_TRUE(alleDateien(env.host("C:\\Tmp")).contains(sicherung));
    EXPECT_EQ(env.inhalt("C:\\Tmp\\" + sicherung), daten);
    EXPECT_EQ(gezeigt(kFehlerTitel), 0);
    laufVorbei();
}

} // namespace
} // namespace mirbelon::test
