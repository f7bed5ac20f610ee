#include "text/Vario.h"

#include "text/DatumAusText.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QList>

#include <map>

using namespace mirbelon;

namespace {

// Everything in memory; ini values keyed by lower-cased "file|section|key".
class SpeicherUmgebung : public VarioUmgebung
{
public:
    QDateTime jetzt() override
    {
        ++jetztAbfragen;
        return moment;
    }
    quint32 tickCount() override { return tick; }
    QString iniLesen(const QString &datei, const QString &sektion, const QString &schluessel,
        const QString &vorgabe) override
    {
        return ini.value(iniName(datei, sektion, schluessel), vorgabe);
    }
    void iniSchreiben(const QString &datei, const QString &sektion, const QString &schluessel,
        const QString &wert) override
    {
        ini.insert(iniName(datei, sektion, schluessel), wert);
    }
    double iniZaehler(const QString &datei, const QString &sektion, const QString &schluessel,
        double schritt) override
    {
        const double wert
            = iniLesen(datei, sektion, schluessel, QStringLiteral("0")).toDouble() + schritt;
        iniSchreiben(datei, sektion, schluessel, QString::number(wert));
        return wert;
    }
    QString benutzername() override { return name; }
    QString neueGuid() override
    {
        ++guids;
        return guid;
    }
    double zufall() override
    {
        if (zufallswerte.isEmpty())
            return 0.5;
        return zufallswerte.at(zufallsZeiger++ % zufallswerte.size());
    }
    void zufallNeuSaeen() override { ++saaten; }
    QString aktuellerOrdner() override { return ordner; }
    QString laufwerksBezeichnung(const QString &laufwerk) override
    {
        return labels.value(laufwerk);
    }
    QString ordnerPrg() override { return prg; }
    QString ordnerDat() override { return QStringLiteral("C:\\Dat"); }
    QString ordnerBrenlo() override { return QStringLiteral("C:\\Brenlo"); }
    QString ordnerWin() override { return QStringLiteral("C:\\Windows"); }
    QString ordnerSys() override { return QStringLiteral("C:\\Windows\\System32"); }
    QString grossKlein(const QString &text) override
    {
        return QLatin1Char('[') + text + QLatin1Char(']');
    }
    QStringList dateienSuchen(const QString &muster) override
    {
        gesuchteMuster.append(muster);
        return dateien.value(muster);
    }
    QString umgebung(const QString &name) override { return env.value(name); }

    static QString iniName(const QString &datei, const QString &sektion, const QString &schluessel)
    {
        return (datei + QLatin1Char('|') + sektion + QLatin1Char('|') + schluessel).toLower();
    }

    QDateTime moment { QDate(2004, 1, 15), QTime(9, 5, 7) }; // a Thursday
    quint32 tick = 123456;
    QHash<QString, QString> ini;
    QString name = QStringLiteral("Anna Berg");
    QString guid = QStringLiteral("{0123ABCD-4567-89EF-0123-456789ABCDEF}");
    QList<double> zufallswerte;
    int zufallsZeiger = 0;
    int saaten = 0;
    int guids = 0;
    int jetztAbfragen = 0;
    QString ordner = QStringLiteral("C:\\Arbeit");
    QString prg = QStringLiteral("C:\\Prg");
    QHash<QString, QString> labels;
    QHash<QString, QStringList> dateien;
    QStringList gesuchteMuster;
    QHash<QString, QString> env;
};

struct Fall
{
    const char *eingabe;
    const char *erwartet;
};

void Pruefen(SpeicherUmgebung &u, std::initializer_list<Fall> faelle)
{
    for (const Fall &fall : faelle) {
        SCOPED_TRACE(fall.eingabe);
        EXPECT_EQ(Vario(u, QString::fromUtf8(fall.eingabe)), QString::fromUtf8(fall.erwartet));
    }
}

QString Zahl(qint64 wert)
{
    return QString::number(wert);
}

} // namespace

TEST(Vario, TextWithoutBraceOrPercentComesBackUnchanged)
{
    SpeicherUmgebung u;
    Pruefen(u, { { "", "" }, { "C:\\Bilder\\2004", "C:\\Bilder\\2004" }, { "jjjj}", "jjjj}" } });
    EXPECT_EQ(u.jetztAbfragen, 0);
}

TEST(Vario, EnvironmentReferenceIsReplacedWithoutBrace)
{
    SpeicherUmgebung u;
    u.env.insert(QStringLiteral("TEMP"), QStringLiteral("C:\\Tmp"));
    Pruefen(u,
        { { "%TEMP%\\x", "C:\\Tmp\\x" }, { "%temp%\\{jjjj}", "C:\\Tmp\\2004" },
            { "%Unbekannt%!", "!" } });
}

TEST(Vario, ReferenceMomentIsReadOncePerExpansion)
{
    SpeicherUmgebung u;
    Vario(u, QStringLiteral("{jjjj}{hh}{tag}{alter:01.01.2000}{wt+1}"));
    EXPECT_EQ(u.jetztAbfragen, 1);
}

TEST(Vario, KeyNamesBecomeControlCharacters)
{
    SpeicherUmgebung u;
    EXPECT_EQ(Vario(u, QStringLiteral("a{Tab}b{crlf}c{CR}{LF}{None}{NICHTS}{back}")),
        QStringLiteral("a\tb\r\nc\r\n\b"));
}

TEST(Vario, FixedPlaceholdersOfAThursdayInJanuary)
{
    SpeicherUmgebung u;
    u.labels.insert(QStringLiteral("C:"), QStringLiteral("urlaub 2004   "));
    Pruefen(u,
        {
            { "{K07}", "02" },
            { "{K10}", "01" },
            { "{datum}", "15.1.2004" },
            { "{datum0}", "15.01.2004" },
            { "{kw}", "03" },
            { "{versionakt0}", "2004.01" },
            { "{kwj}", "03" },
            { "{kwj2}", "04" },
            { "{kwj3}", "03" },
            { "{kwj4}", "04" },
            { "{kwj5}", "05" },
            { "{kw2}", "02" },
            { "{kw3}", "01" },
            { "{kw4}", "01" },
            { "{kw5}", "01" },
            { "{q}", "1" },
            { "{qr}", "I" },
            { "{jjjjq-1m}", "2003-4" },
            { "{jjqr}", "04-I" },
            { "{jjjjqr}", "2004-I" },
            { "{hh}", "09" },
            { "{hh-mm}", "09-05" },
            { "{hh-mm-ss}", "09-05-07" },
            { "{hh:mm}", "09:05" },
            { "{hh:mm:ss}", "09:05:07" },
            { "{SysTime}", "123456" },
            { "{jahr1}", "4" },
            { "{jahr2}", "04" },
            { "{jahr4}", "2004" },
            { "{jahrzent}", "0" },
            { "{jahrzent0}", "00" },
            { "{jahrhundert}", "20" },
            { "{jahrhundert+1}", "21" },
            { "{jahrtausend}", "2" },
            { "{jahrtausend+1}", "3" },
            { "{j}", "4" },
            { "{jj}", "04" },
            { "{yy}", "04" },
            { "{jj-1}", "03" },
            { "{jj-2}", "02" },
            { "{jj+1}", "05" },
            { "{jjjj}", "2004" },
            { "{yyyy}", "2004" },
            { "{jjjj-1}", "2003" },
            { "{jjjj-2}", "2002" },
            { "{jjjj+1}", "2005" },
            { "{jj-mm-tt}", "04-01-15" },
            { "{jjjj-mm-tt}", "2004-01-15" },
            { "{jjjj-mm}", "2004-01" },
            { "{jjjj-mm-1}", "2003-12" },
            { "{jjjj-mm-2}", "2003-11" },
            { "{jjmmtt}", "040115" },
            { "{jjjjmmtt}", "20040115" },
            { "{jetzt}", "Donnerstag, 15. Januar 2004 um 09:05 Uhr" },
            { "{laufwerk}", "C:" },
            { "{mm}", "01" },
            { "{mm-1}", "12" },
            { "{mm-2}", "11" },
            { "{monat}", "Januar" },
            { "{m}", "1" },
            { "{monat0}", "01" },
            { "{monatsname}", "Januar" },
            { "{monatsname3}", "Jan" },
            { "{mmmm}", "Januar" },
            { "{mmm}", "Jan" },
            { "{label}", "[urlaub 2004]" },
            { "{pfad}", "C:\\Arbeit" },
            { "{ordner_app}", "C:\\Prg" },
            { "{ordner_prg}", "C:\\Prg" },
            { "{ordner_dat}", "C:\\Dat" },
            { "{ordner_win}", "C:\\Windows" },
            { "{ordner_sys}", "C:\\Windows\\System32" },
            { "{ordner_cur}", "C:\\Arbeit" },
            { "{PrgTitel}", "Mirbelon" },
            { "{PrgName}", "Mirbelon" },
            { "{s}", "7" },
            { "{ss}", "07" },
            { "{sekunde}", "7" },
            { "{sekunde0}", "07" },
            { "{n}", "5" },
            { "{nn}", "05" },
            { "{minute}", "5" },
            { "{minute0}", "05" },
            { "{stunde}", "9" },
            { "{stunde0}", "09" },
            { "{h}", "9" },
            { "{tag}", "15" },
            { "{tag0}", "15" },
            { "{t}", "15" },
            { "{tt}", "15" },
            { "{dd}", "15" },
            { "{tt-mm-jj}", "15-01-04" },
            { "{tt-mm-jjjj}", "15-01-2004" },
            { "{tt.mm.jj}", "15.01.04" },
            { "{tt.mm.jjjj}", "15.01.2004" },
            { "{uhrzeit}", "9:5" },
            { "{uhrzeit0}", "09:05" },
            { "{wochentag}", "Donnerstag" },
            { "{wochentag2}", "Do" },
            { "{wwww}", "Donnerstag" },
            { "{ww}", "Do" },
        });
}

TEST(Vario, PlaceholdersMatchWithoutRegardToCase)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{JJJJ}", "2004" }, { "{jjjj}", "2004" }, { "{JjJj}-{MM}", "2004-01" },
            { "{systime}", "123456" } });
}

TEST(Vario, EveryOccurrenceIsReplaced)
{
    SpeicherUmgebung u;
    Pruefen(u, { { "{hh}/{HH}/{hh}", "09/09/09" }, { "{jjjj}{jjjj}", "20042004" } });
}

TEST(Vario, UnknownPlaceholderStaysAsWritten)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{unbekannt}", "{unbekannt}" }, { "{Counter}", "{Counter}" },
            { "{CounterX}", "{CounterX}" }, { "{jjjj", "{jjjj" } });
}

TEST(Vario, ValueHoldingALaterPlaceholderIsExpandedFurther)
{
    SpeicherUmgebung u;
    u.prg = QStringLiteral("C:\\Prg\\{tag}-{jjjj}");
    // "{tag}" comes after "{ordner_prg}" in the order, "{jjjj}" before it.
    EXPECT_EQ(Vario(u, QStringLiteral("{ordner_prg}")), QStringLiteral("C:\\Prg\\15-{jjjj}"));
    u.labels.insert(QStringLiteral("C:"), QStringLiteral("{hh}"));
    EXPECT_EQ(Vario(u, QStringLiteral("{label}")), QStringLiteral("[09]"));
}

TEST(Vario, WeekOfLateDecemberCountsAsFiftyTwoForTheYear)
{
    SpeicherUmgebung u;
    u.moment = QDateTime(QDate(2008, 12, 31), QTime(12, 0));
    Pruefen(u,
        { { "{kw}", "01" }, { "{kwj}", "52" }, { "{kwj2}", "52" }, { "{kwj5}", "50" },
            { "{kw2}", "01" }, { "{q}", "4" }, { "{qr}", "IV" }, { "{jjjjq-1m}", "2008-4" },
            { "{mm-1}", "11" }, { "{K07}", "52" }, { "{K10}", "37" } });
}

TEST(Vario, MonthArithmeticAroundTheYearEnd)
{
    SpeicherUmgebung u;
    u.moment = QDateTime(QDate(2004, 2, 29), QTime(0, 0));
    Pruefen(u,
        { { "{mm-1}", "01" }, { "{mm-2}", "12" }, { "{jjjj-mm-1}", "2004-01" },
            { "{jjjj-mm-2}", "2003-12" }, { "{jjjjq-1m}", "2004-1" } });
    u.moment = QDateTime(QDate(2004, 4, 30), QTime(0, 0));
    Pruefen(u, { { "{jjjjq-1m}", "2004-1" }, { "{jjqr}", "04-II" } });
}

TEST(Vario, TwoDigitYearArithmeticKeepsItsQuirks)
{
    SpeicherUmgebung u;
    u.moment = QDateTime(QDate(2000, 6, 1), QTime(0, 0));
    Pruefen(u, { { "{jj-1}", "-01" }, { "{jj-2}", "-02" }, { "{jjjj-1}", "1999" } });
    u.moment = QDateTime(QDate(2099, 6, 1), QTime(0, 0));
    Pruefen(u, { { "{jj+1}", "100" }, { "{jahrhundert+1}", "21" } });
    u.moment = QDateTime(QDate(2015, 6, 1), QTime(0, 0));
    Pruefen(u, { { "{jahrzent}", "1" }, { "{jahrzent0}", "10" }, { "{jahrtausend+1}", "3" } });
}

TEST(Vario, SystemTimeIsSigned)
{
    SpeicherUmgebung u;
    u.tick = 0xFFFFFFFFu;
    EXPECT_EQ(Vario(u, QStringLiteral("{SysTime}")), QStringLiteral("-1"));
}

TEST(Vario, RandomNumbersHaveTheirDigitCount)
{
    SpeicherUmgebung u;
    u.zufallswerte = { 0.123456789 };
    Pruefen(u, { { "{zufall1}", "1" }, { "{zufall3}", "123" }, { "{zufall8}", "12345679" } });
    u.zufallswerte = { 0.99999 };
    // Rounding can reach 10 to the power k, one digit longer.
    Pruefen(u, { { "{zufall1}", "10" }, { "{zufall2}", "100" } });
    u.zufallswerte = { 0.0 };
    Pruefen(u, { { "{zufall4}", "0000" } });
}

TEST(Vario, OccurrenceBeyondSixteenBitPositionsStays)
{
    SpeicherUmgebung u;
    const QString vorne(32766, QLatin1Char('a'));
    EXPECT_EQ(Vario(u, vorne + QStringLiteral("{jjjj}")), vorne + QStringLiteral("2004"));
    const QString weiter(32767, QLatin1Char('a'));
    EXPECT_EQ(Vario(u, weiter + QStringLiteral("{jjjj}")), weiter + QStringLiteral("{jjjj}"));
    EXPECT_EQ(Vario(u, QStringLiteral("{jjjj}") + weiter + QStringLiteral("{jjjj}")),
        QStringLiteral("2004") + weiter + QStringLiteral("{jjjj}"));
}

TEST(PlatzhalterErsetzen, InsertedTextIsNotSearchedAgain)
{
    QString text = QStringLiteral("{x}-{X}");
    PlatzhalterErsetzen(text, QStringLiteral("{x}"), QStringLiteral("a{x}"));
    EXPECT_EQ(text, QStringLiteral("a{x}-a{x}"));
    text = QStringLiteral("abc");
    PlatzhalterErsetzen(text, QString(), QStringLiteral("x"));
    EXPECT_EQ(text, QStringLiteral("abc"));
}

TEST(Vario, UserNameGuidAndFamilyFile)
{
    SpeicherUmgebung u;
    Pruefen(u, { { "{UserName}", "Anna Berg" }, { "{brenlo.ini}", "C:\\Brenlo\\Brenlo.ini" } });
    EXPECT_EQ(Vario(u, QStringLiteral("{guid}/{GUID}")), u.guid + QLatin1Char('/') + u.guid);
    EXPECT_EQ(u.guids, 1);
}

TEST(Vario, IdCountsSecondsSince1901PlusTicks)
{
    SpeicherUmgebung u;
    u.zufallswerte = { 0.0 };
    const QDateTime anfang(QDate(1901, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime bezug(u.moment.date(), u.moment.time(), Qt::UTC);
    EXPECT_EQ(Vario(u, QStringLiteral("{id}")), Zahl(anfang.secsTo(bezug) + 123456));
    u.zufallswerte = { 0.999 };
    EXPECT_EQ(Vario(u, QStringLiteral("{id}")), Zahl(anfang.secsTo(bezug) + 123456 + 99));
}

TEST(Vario, WorkdaysSkipSundays)
{
    SpeicherUmgebung u;
    u.moment = QDateTime(QDate(2004, 1, 16), QTime(18, 0)); // a Friday
    Pruefen(u,
        { { "{wt+0}", "16.01.2004" }, { "{wt+1}", "17.01.2004" }, { "{wt+2}", "19.01.2004" },
            { "{WT+6}", "23.01.2004" }, { "{wt+x}", "16.01.2004" } });
    // Only the first kind is handled, with its identical copies.
    EXPECT_EQ(Vario(u, QStringLiteral("{wt+1} {wt+2} {wt+1}")),
        QStringLiteral("17.01.2004 {wt+2} 17.01.2004"));
}

TEST(Vario, WeekdayOfAWrittenDate)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{wochentag24.12.2008}", "Mittwoch" }, { "{Wochentag1.1.2000}", "Samstag" },
            { "{wochentagkein}", "{wochentagkein}" }, { "{wochentag}", "Donnerstag" } });
}

TEST(Vario, RandomChoiceGivesTheLastItemHalfAsOften)
{
    SpeicherUmgebung u;
    constexpr int kZuege = 1000;
    for (int i = 0; i < kZuege; ++i)
        u.zufallswerte.append((i + 0.5) / kZuege);
    std::map<QString, int> anzahl;
    for (int i = 0; i < kZuege; ++i)
        ++anzahl[Vario(u, QStringLiteral("{zufall$A,b,c}"))];
    EXPECT_EQ(anzahl.size(), 3u);
    EXPECT_EQ(anzahl[QStringLiteral("a")], 400);
    EXPECT_EQ(anzahl[QStringLiteral("b")], 400);
    EXPECT_EQ(anzahl[QStringLiteral("c")], 200);
}

TEST(Vario, RandomChoiceItems)
{
    SpeicherUmgebung u;
    u.zufallswerte = { 0.0 };
    Pruefen(u,
        { { "{zufall$Rot,Grün}", "rot" }, { "{zufall$,,x,,}", "x" }, { "<{zufall$}>", "<>" },
            { "{zufall$a,b} {zufall$c,d}", "a {zufall$c,d}" } });
    // From the tenth item on every further item takes the tenth slot.
    u.zufallswerte = { 0.99 };
    EXPECT_EQ(
        Vario(u, QStringLiteral("{zufall$1,2,3,4,5,6,7,8,9,10,11,12}")), QStringLiteral("12"));
}

TEST(Vario, CounterRisesOnEveryExpansion)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "Nr{Counter7}", "Nr1" }, { "Nr{counter7}", "Nr2" },
            { "{COUNTER7}/{counter7}", "3/3" } });
    EXPECT_EQ(u.ini.value(SpeicherUmgebung::iniName(
                  {}, QStringLiteral("Variablen"), QStringLiteral("VarioCount7"))),
        QStringLiteral("3"));
}

TEST(Vario, IndexCyclesBetweenMinAndMax)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{index:bild,1,3}", "1" }, { "{index:bild,1,3}", "2" }, { "{index:bild,1,3}", "3" },
            { "{index:bild,1,3}", "1" }, { "{index:bild,1,3}", "2" }, { "{index:bild}", "0" },
            { "{index:bild}", "0" } });
    EXPECT_EQ(u.ini.value(SpeicherUmgebung::iniName(
                  {}, QStringLiteral("Variablen"), QStringLiteral("VarioIndex_bild"))),
        QStringLiteral("0"));
    Pruefen(u, { { "{index:b2,5,9}", "5" }, { "{index:b2,5,9}", "6" } });
}

TEST(Vario, IniValuesAndVariables)
{
    SpeicherUmgebung u;
    u.iniSchreiben(QStringLiteral("Test.ini"), QStringLiteral("S"), QStringLiteral("K"),
        QStringLiteral("Wert"));
    u.iniSchreiben({}, QStringLiteral("Variablen"), QStringLiteral("Ziel"),
        QStringLiteral(" D:\\Fotos ; Kommentar"));
    Pruefen(u,
        { { "{iniread,Test.ini,S,K,vorgabe}", "Wert" },
            { "{iniread,Test.ini,S,X,vorgabe}", "vorgabe" }, { "{iniread,Test.ini,S,X}", "" },
            { "{variable:Ziel}", "D:\\Fotos" }, { "{variable:Unbekannt}", "Unbekannt" } });
}

TEST(Vario, PlainAndUpperCaseArguments)
{
    SpeicherUmgebung u;
    Pruefen(u,
        { { "{a7b:Müller & Söhne!}", "mueller soehne" },
            { "{a7b:Straße ÄÖÜ 12}", "strasse aeoeue 12" }, { "{aig: müller }", "MÜLLER" } });
}

TEST(Vario, RandomFileFromAPattern)
{
    SpeicherUmgebung u;
    const QString muster = QStringLiteral("C:\\Bilder\\*.jpg");
    u.dateien.insert(muster,
        { QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("c.jpg"),
            QStringLiteral("d.jpg") });
    const struct
    {
        double r;
        const char *erwartet;
    } faelle[] = { { 0.0, "a.jpg" }, { 0.125, "a.jpg" }, { 0.2, "a.jpg" }, { 0.375, "b.jpg" },
        { 0.5, "b.jpg" }, { 0.7, "c.jpg" }, { 0.99, "d.jpg" } };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.r);
        u.zufallswerte = { fall.r };
        u.zufallsZeiger = 0;
        EXPECT_EQ(Vario(u, QStringLiteral("{$C:\\Bilder\\*.jpg}")), QLatin1String(fall.erwartet));
    }
    EXPECT_EQ(u.saaten, 7);
    EXPECT_EQ(Vario(u, QStringLiteral("{$C:\\Leer\\*.xyz}")), QStringLiteral("KeinName.Txt"));
}

TEST(Vario, FilePatternEndsAtTheBraceAfterItsPrefix)
{
    SpeicherUmgebung u;
    u.dateien.insert(QStringLiteral("C:\\Bilder\\*.jpg"), { QStringLiteral("x.jpg") });
    EXPECT_EQ(
        Vario(u, QStringLiteral("{guid}-{$C:\\Bilder\\*.jpg}")), u.guid + QStringLiteral("-x.jpg"));
    EXPECT_EQ(u.gesuchteMuster, QStringList { QStringLiteral("C:\\Bilder\\*.jpg") });
}

TEST(Vario, AllFilesOfAPattern)
{
    SpeicherUmgebung u;
    u.dateien.insert(
        QStringLiteral("C:\\B\\*.*"), { QStringLiteral("a.jpg"), QStringLiteral("b.txt") });
    Pruefen(u, { { "{&C:\\B\\*.*}", "a.jpg b.txt" }, { "{&C:\\Leer\\*.xyz}", "KeinName.Txt" } });
}

TEST(Vario, AgeOfADate)
{
    SpeicherUmgebung u;
    // 15.01.2004 09:05:07 is 127472707 seconds after 01.01.2000, about 4.04 years.
    Pruefen(u,
        { { "Alter: {alter:01.01.2000", "Alter: 4,0 J" }, { "{alter:01.01.2000}", "4,0 J" },
            { "{alter:15.01.2004 09:05}", "7 Sek" }, { "{alter:16.01.2004 09:05:07}", "24,0 Std" },
            { "{alter:kein Datum}", "kein Datum???" } });
    Pruefen(u,
        { { "{alterd:14.01.2004}", "1,4" }, { "{alterd:16.01.2004 09:05:07}", "-1,0" },
            { "{alterd:2004-01-05", "10,4" }, { "{alterd:x}", "x???" } });
}

TEST(Vario, ErrorlevelStaysAndLaterReferencesWithIt)
{
    SpeicherUmgebung u;
    u.env.insert(QStringLiteral("TEMP"), QStringLiteral("C:\\Tmp"));
    Pruefen(u,
        { { "%ERRORLEVEL%", "%ERRORLEVEL%" },
            { "if %errorlevel% %TEMP%", "if %ERRORLEVEL% %TEMP%" },
            { "%TEMP% %ERRORLEVEL%", "C:\\Tmp %ERRORLEVEL%" }, { "50%%", "50" },
            { "% temp %", "% temp %" }, { "% temp % %TEMP%", "% temp % C:\\Tmp" },
            { "nur 50%", "nur 50%" } });
}

TEST(UmgebungErsetzen, AtMostEightPasses)
{
    SpeicherUmgebung u;
    u.env.insert(QStringLiteral("A"), QStringLiteral("%A%"));
    u.env.insert(QStringLiteral("B"), QStringLiteral("x"));
    // A value that holds a reference is met again; each pass starts anew.
    EXPECT_EQ(UmgebungErsetzen(u, QStringLiteral("%a% %b%")), QStringLiteral("%A% %b%"));
    QString kette;
    for (int i = 1; i <= 9; ++i) {
        u.env.insert(QStringLiteral("V%1").arg(i), QString());
        kette += QStringLiteral("%V%1%").arg(i);
    }
    EXPECT_EQ(UmgebungErsetzen(u, kette), QStringLiteral("%V9%"));
}

TEST(PlatzhalterTeil, WholePlaceholderAndArgument)
{
    const struct
    {
        const char *text;
        const char *praefix;
        int teil;
        const char *erwartet;
    } faelle[] = {
        { "x{Counter12}y", "Counter", 1, "{counter12}" },
        { "x{Counter12}y", "Counter", 2, "12" },
        { "x{Counter12}y", " {COUNTER ", 2, "12" },
        { "{counter12", "counter", 1, "" },
        { "{counter12", "counter", 2, "" },
        { "{a}", "{", 1, "" },
        { "{a}", "", 2, "" },
        { "{a}", "b", 1, "" },
        { "{Index:Bild,1}", "index:", 2, "bild,1" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(std::string(fall.text) + " / " + fall.praefix);
        EXPECT_EQ(PlatzhalterTeil(
                      QString::fromUtf8(fall.text), QString::fromUtf8(fall.praefix), fall.teil),
            QString::fromUtf8(fall.erwartet));
    }
}

TEST(DatumAusText, WrittenDates)
{
    const struct
    {
        const char *text;
        QDateTime erwartet;
    } faelle[] = {
        { "01.01.2000", QDateTime(QDate(2000, 1, 1), QTime(0, 0)) },
        { " 1.2.04 ", QDateTime(QDate(2004, 2, 1), QTime(0, 0)) },
        { "1.2.75", QDateTime(QDate(1975, 2, 1), QTime(0, 0)) },
        { "2004-01-05", QDateTime(QDate(2004, 1, 5), QTime(0, 0)) },
        { "24/12/2008 18:30", QDateTime(QDate(2008, 12, 24), QTime(18, 30)) },
        { "24.12.2008 18:30:15", QDateTime(QDate(2008, 12, 24), QTime(18, 30, 15)) },
        { "31.02.2004", QDateTime() },
        { "24.12.2008 25:00", QDateTime() },
        { "kein", QDateTime() },
        { "24.12-2008", QDateTime() },
        { "", QDateTime() },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.text);
        const std::optional<QDateTime> datum = DatumAusText(QString::fromUtf8(fall.text));
        EXPECT_EQ(datum.value_or(QDateTime()), fall.erwartet);
    }
}
