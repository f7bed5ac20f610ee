#include "source/Scan.h"

#include "frame/Context.h"
#include "frame/Einstellungswerte.h"
#include "frame/GrossKlein.h"
#include "frame/IniStore.h"
#include "platform/Cp1252.h"
#include "source/Arbeiter.h"
#include "source/DateiTyp.h"
#include "source/Fenster.h"
#include "source/Karte.h"
#include "source/FotoListe.h"
#include "text/DateiVorhanden.h"
#include "text/Formatierung.h"
#include "text/Pfad.h"

#include <QMap>
#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

namespace mirbelon {

namespace {

const QString kStatus = QStringLiteral("Status");
const QString kMarkenDatei = QStringLiteral("\\BrenloTemp.ini");
const QString kMarkenSektion = QStringLiteral("ListeSel");
const QString kAutoSelVorgabe = QStringLiteral("*.bmp;*.jpg;*.gif;*.tif");
// Entries handled between two runs of pending window events.
constexpr qsizetype kEintraegeJeEreignisse = 2000;

// Marks the scan as running for its lifetime.
class ScanMarke
{
public:
    explicit ScanMarke(Context &ctx)
        : m_ctx(ctx)
        , m_vorher(ctx.scanLaeuft)
    {
        m_ctx.scanLaeuft = true;
    }
    ~ScanMarke() { m_ctx.scanLaeuft = m_vorher; }
    ScanMarke(const ScanMarke &) = delete;
    ScanMarke &operator=(const ScanMarke &) = delete;

private:
    Context &m_ctx;
    bool m_vorher;
};

// "*" any run of characters (also none), "?" exactly one; everything else
// stands for itself. Greedy with one back-track point, linear in practice.
bool PasstMuster(QStringView name, QStringView muster)
{
    qsizetype n = 0, m = 0, sternM = -1, sternN = 0;
    while (n < name.size()) {
        if (m < muster.size() && (muster[m] == QLatin1Char('?') || muster[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < muster.size() && muster[m] == QLatin1Char('*')) {
            sternM = m++;
            sternN = n;
        } else if (sternM >= 0) {
            m = sternM + 1;
            n = ++sternN;
        } else {
            return false;
        }
    }
    while (m < muster.size() && muster[m] == QLatin1Char('*'))
        ++m;
    return m == muster.size();
}

// PasstMuster on the lower-cased name; a name in plain ASCII is lower-cased
// on the stack, as most names on a card are.
bool PasstKlein(const QString &name, QStringView muster)
{
    QVarLengthArray<char16_t, 64> klein(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name.at(i).unicode();
        if (u >= 128)
            return PasstMuster(name.toLower(), muster);
        klein[i] = u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
    }
    return PasstMuster(QStringView(klein.constData(), klein.size()), muster);
}

// One walk over the source, on a worker: a camera's folders come over its
// cable. Links are not followed: what one reaches inside the source is
// listed under its real name anyway, and what lies outside is no part of the
// card (a "Ja" to the delete question must never reach it).
struct Suche
{
    const FileSystem &files;
    QString muster;
    const std::atomic<bool> &abbruch;
    QList<FileRef> gesammelt;
    QSet<FileId> gesehen; // folders and files met so far
};

// False for a file or folder met before (a folder mounted twice, a hard link).
bool ErstesMal(Suche &suche, const FileId &id)
{
    if (id == FileId{})
        return true;
    const qsizetype vorher = suche.gesehen.size();
    suche.gesehen.insert(id);
    return suche.gesehen.size() != vorher;
}

void Sammeln(Suche &suche, QString ordner, const QByteArray &host)
{
    if (suche.abbruch)
        return;
    if (!ordner.endsWith(QLatin1Char('\\')))
        ordner += QLatin1Char('\\');
    const auto eintraege = suche.files.list(FileRef(ordner, host));
    if (!eintraege)
        return;
    for (const DirEntry &eintrag : *eintraege) {
        if (eintrag.isLink || !ErstesMal(suche, eintrag.id))
            continue;
        if (eintrag.isFolder)
            Sammeln(suche, ordner + eintrag.name, eintrag.host);
        else if (PasstKlein(eintrag.name, suche.muster))
            suche.gesammelt.emplaceBack(ordner + eintrag.name, eintrag.host);
        if (suche.abbruch)
            return;
    }
}

// Once per run, when the type list hides files the program could show: how
// many and of which types, so the user knows where to add them.
void VersteckteMelden(Context &ctx, const QMap<QString, int> &versteckt)
{
    if (versteckt.isEmpty() || ctx.formateHinweisGezeigt)
        return;
    int anzahl = 0;
    QStringList typen;
    for (auto it = versteckt.cbegin(); it != versteckt.cend(); ++it) {
        anzahl += it.value();
        typen << QStringLiteral("*.") + it.key();
    }
    ctx.formateHinweisGezeigt = true;
    ctx.statusHinweis = QStringLiteral("%1 %2 auf der Karte %3 nicht gelistet: %4 - Formate in den Einstellungen")
                            .arg(anzahl)
                            .arg(anzahl == 1 ? QStringLiteral("Datei") : QStringLiteral("Dateien"))
                            .arg(anzahl == 1 ? QStringLiteral("wird") : QStringLiteral("werden"))
                            .arg(typen.join(QStringLiteral(", ")));
    ctx.statusHinweisSeit = ctx.host.system.tickCount();
}

} // namespace

void DateienSuchen(
    Context &ctx, const QString &ordner, const QString &muster, QList<FileRef> &liste)
{
    QList<FileRef> gesammelt;
    {
        BusyPointer busy(ctx.host.dialogs);
        ctx.host.desktop.processEvents();
        const FileSystem &files = ctx.host.files;
        const std::atomic<bool> &abbruch = ctx.scanAbbruch;
        const QString start = ordner.toLower();
        if (!abbruch)
            gesammelt = ImHintergrund<QList<FileRef>>(
                [&files, &abbruch, start, muster = muster.trimmed().toLower()] {
                    Suche suche{files, muster, abbruch, {}, {}};
                    if (const std::optional<FileId> id = files.id(start))
                        ErstesMal(suche, *id);
                    Sammeln(suche, start, files.hostFile(start));
                    return std::move(suche.gesammelt);
                },
                {}, Strecke::Blick);
        if (liste.isEmpty())
            liste = std::move(gesammelt);
        else
            liste += gesammelt;
    }
    ctx.host.desktop.processEvents();
}

bool ScanAbbrechen(Context &ctx)
{
    if (!ctx.scanLaeuft)
        return false;
    ctx.scanAbbruch = true;
    return true;
}

double ListenPruefsumme(const FotoListe &liste)
{
    double summe = 0;
    double position = 0;
    for (const QString &eintrag : liste.pfade()) {
        const qsizetype laenge = eintrag.size();
        for (qsizetype i = 0; i < laenge; ++i) {
            const QChar c = eintrag.at(i);
            // Beyond the basic plane one character is one "?" in the code page.
            if (c.isHighSurrogate() && i + 1 < laenge && eintrag.at(i + 1).isLowSurrogate())
                ++i;
            summe += ++position * (c.unicode() < 0x80 ? c.unicode() : cp1252Code(c));
        }
        summe += ++position * ';';
    }
    return summe;
}

void ListenAuswahl(Context &ctx, FotoListe &liste, const QString &modus)
{
    BusyPointer busy(ctx.host.dialogs);
    const QString datei = ctx.ordner.tmp + kMarkenDatei;
    const QString schluessel = QString::number(ListenPruefsumme(liste), 'f', 0);
    std::vector<char> marken = liste.marken();

    if (modus.startsWith(QLatin1Char('l'), Qt::CaseInsensitive)) {
        const QString text = IniLesen(ctx, datei, kMarkenSektion, schluessel, {});
        const size_t bekannt = std::min(marken.size(), static_cast<size_t>(text.size()));
        for (size_t i = 0; i < bekannt; ++i) {
            const QChar c = text.at(static_cast<qsizetype>(i));
            if (c == QLatin1Char('0'))
                marken[i] = 0;
            else if (c == QLatin1Char('1'))
                marken[i] = 1;
        }
        liste.setMarken(marken);
        return;
    }

    QString text(static_cast<qsizetype>(marken.size()), QLatin1Char('0'));
    for (size_t i = 0; i < marken.size(); ++i) {
        if (marken[i])
            text[static_cast<qsizetype>(i)] = QLatin1Char('1');
    }
    IniSchreiben(ctx, datei, kMarkenSektion, schluessel, text);
}

void QuelleScannen(Context &ctx, FotoListe &liste, Fenster &fenster)
{
    if (ctx.lauf != Lauf::Keiner) {
        fenster.setPanel(kStatus,
            QStringLiteral("Während des Kopierens oder Löschens wird die "
                           "Quelle nicht neu eingelesen."));
        fenster.statusNeuZeichnen();
        return;
    }
    // Typing into txtQ while the folders are read lands here again; the
    // newest text is read once the current scan has ended.
    if (ctx.scanLaeuft) {
        ctx.scanNochmal = true;
        return;
    }
    if (ctx.scanAbbruch)
        return;
    do {
        ctx.scanNochmal = false;
        QuelleEinlesen(ctx, liste, fenster);
    } while (ctx.scanNochmal && ctx.lauf == Lauf::Keiner && !ctx.scanAbbruch);
    ctx.scanNochmal = false;
    // The end was asked for during the scan; the window is as the user left it again.
    if (ctx.scanAbbruch)
        fenster.programmEnde();
}

void QuelleEinlesen(Context &ctx, FotoListe &liste, Fenster &fenster)
{
    ScanMarke marke(ctx);
    ctx.karteEntfernt = false;
    BusyPointer busy(ctx.host.dialogs);
    EinstellungenAuffrischen(ctx);
    ctx.laufZeile.clear();
    const bool vorschau = fenster.vorschauAn();
    fenster.setVorschauAn(false);
    liste.leeren();

    QList<FileRef> dateien;
    DateienSuchen(ctx, fenster.quelle(), QStringLiteral("*.*"), dateien);
    // One look at the family file for the whole card, not one per photo;
    // pending events run now and then, as the window stays usable. The
    // files of the types kept move up in place, their paths re-cased.
    const QString ausnahmen = GrossKleinAusnahmen(ctx);
    const TypPruefer typen(ctx.dateiTypen);
    qsizetype seitEreignissen = 0;
    qsizetype behalten = 0;
    QMap<QString, int> versteckt; // by ending, of the files the preview could show
    for (qsizetype i = 0; i < dateien.size(); ++i) {
        FileRef &datei = dateien[i];
        if (typen.passt(datei.path)) {
            datei.path = GrossKleinMitAusnahmen(std::move(datei.path), ausnahmen);
            if (behalten != i)
                dateien[behalten] = std::move(datei);
            ++behalten;
        } else if (ArtVon(datei.path) != VorschauArt::Keine) {
            ++versteckt[PfadTeil(datei.path, 2).toLower()];
        }
        if (++seitEreignissen == kEintraegeJeEreignisse) {
            seitEreignissen = 0;
            ctx.host.desktop.processEvents();
        }
    }
    dateien.resize(behalten);
    if (ctx.scanAbbruch) {
        fenster.setVorschauAn(vorschau);
        return;
    }
    liste.setDateien(std::move(dateien));

    const QString autoSel = IniLesenMitVorgabe(ctx, ctx.einstellungsDatei,
        QStringLiteral("Mirbelon"), QStringLiteral("AutoSel"), kAutoSelVorgabe);
    std::vector<char> marken(static_cast<size_t>(liste.anzahl()), 0);
    const TypPruefer markiert(autoSel);
    const QStringList &pfade = liste.pfade();
    for (int i = 0; i < liste.anzahl(); ++i)
        marken[static_cast<size_t>(i)] = markiert.passt(pfade.at(i)) ? 1 : 0;
    liste.setMarken(marken);
    ListenAuswahl(ctx, liste, QStringLiteral("load"));

    KameraLesen(ctx, liste, fenster);
    VersteckteMelden(ctx, versteckt);

    fenster.timerHinweiseAn();
    fenster.timerInfoAn();
    fenster.timerInitAn();
    fenster.setVorschauAn(vorschau);
}

void QuelleWaehlen(Context &ctx, Fenster &fenster)
{
    const auto datei
        = ctx.host.dialogs.openFile(QStringLiteral("Wähle eine Datei im gewünschten Quell-Ordner"),
            QStringLiteral("Alles"), QStringLiteral("*.*"), fenster.quelle());
    if (!datei)
        return;
    fenster.setQuelle(PfadTeil(*datei, -1));
    fenster.fokusQuelle();
}

} // namespace mirbelon
