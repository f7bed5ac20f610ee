#include "archive/ArchivPruefen.h"

#include "archive/Laufsperre.h"
#include "frame/Context.h"
#include "services/Platzhalter.h"
#include "source/Arbeiter.h"
#include "source/Fenster.h"
#include "source/Statusleiste.h"
#include "text/Pfad.h"

#include <QFile>
#include <QHash>

#include <algorithm>

namespace mirbelon {

namespace {

const QString kTitel = QStringLiteral("Archiv prüfen");
constexpr qsizetype kNamenJeGruppe = 20;

int HexWert(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A name with a line break or a backslash: xxhsum marks the line with a
// leading "\" and writes them as "\n" and "\\".
std::optional<QByteArray> Entschaerft(const QByteArray &name)
{
    QByteArray klar;
    klar.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.at(i) != '\\') {
            klar.append(name.at(i));
            continue;
        }
        if (++i == name.size())
            return std::nullopt;
        if (name.at(i) == 'n')
            klar.append('\n');
        else if (name.at(i) == '\\')
            klar.append('\\');
        else
            return std::nullopt;
    }
    return klar;
}

struct Erwartet
{
    QByteArray pfad;
    QList<Hash128> hashes; // two receipts may disagree: the file is then not both
};

QString Gruppe(const QString &kopf, const QStringList &namen)
{
    QString text = kopf + QLatin1Char('\n');
    for (qsizetype i = 0; i < std::min(namen.size(), kNamenJeGruppe); ++i)
        text += QStringLiteral("  ") + namen.at(i) + QLatin1Char('\n');
    if (namen.size() > kNamenJeGruppe)
        text += QStringLiteral("  ... und ") + QString::number(namen.size() - kNamenJeGruppe)
            + QStringLiteral(" weitere\n");
    return text + QLatin1Char('\n');
}

QString Dateien(qsizetype n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" Datei") : QStringLiteral(" Dateien"));
}

QString Listen(int n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" Prüfliste") : QStringLiteral(" Prüflisten"));
}

} // namespace

std::optional<PruefZeile> PruefZeileLesen(QByteArray zeile)
{
    if (zeile.endsWith('\r'))
        zeile.chop(1);
    const bool entschaerft = zeile.startsWith('\\');
    if (entschaerft)
        zeile.remove(0, 1);
    constexpr qsizetype kHex = 32;
    if (zeile.size() < kHex + 3 || zeile.at(kHex) != ' ' || (zeile.at(kHex + 1) != ' ' && zeile.at(kHex + 1) != '*'))
        return std::nullopt;
    PruefZeile p;
    for (qsizetype i = 0; i < kHex; ++i) {
        const int wert = HexWert(zeile.at(i));
        if (wert < 0)
            return std::nullopt;
        quint64 &haelfte = i < kHex / 2 ? p.hash.high : p.hash.low;
        haelfte = (haelfte << 4) | quint64(wert);
    }
    p.pfad = zeile.mid(kHex + 2);
    if (entschaerft) {
        const std::optional<QByteArray> klar = Entschaerft(p.pfad);
        if (!klar)
            return std::nullopt;
        p.pfad = *klar;
    }
    return p;
}

PruefErgebnis ArchivOrdnerPruefen(Context &ctx, Fenster &fenster, const QString &ordner,
                                  const std::function<bool()> &abbrechen)
{
    FileSystem &files = ctx.host.files;
    PruefErgebnis ergebnis;
    const QString hostOrdner = files.hostPath(ordner);
    QList<DirEntry> listen;
    for (const DirEntry &e : files.list(ordner).value_or(QList<DirEntry>{})) {
        if (!e.isFolder && !e.isHidden && e.name.endsWith(QStringLiteral(".xxh128"), Qt::CaseInsensitive))
            listen << e;
    }
    // Oldest first, as their names say the time of their run.
    std::sort(listen.begin(), listen.end(),
              [](const DirEntry &a, const DirEntry &b) { return a.name < b.name; });

    QList<Erwartet> erwartet;
    QHash<QByteArray, qsizetype> stelle;
    for (const DirEntry &liste : std::as_const(listen)) {
        const std::optional<QByteArray> inhalt = files.readAll(FileRef(ordner + QLatin1Char('\\') + liste.name, liste.host));
        if (!inhalt) {
            ergebnis.unlesbar << ordner + QLatin1Char('\\') + liste.name;
            continue;
        }
        ++ergebnis.listen;
        for (const QByteArray &zeile : inhalt->split('\n')) {
            const std::optional<PruefZeile> p = PruefZeileLesen(zeile);
            if (!p)
                continue;
            const auto it = stelle.constFind(p->pfad);
            if (it == stelle.constEnd()) {
                stelle.insert(p->pfad, erwartet.size());
                erwartet.append(Erwartet{p->pfad, {p->hash}});
            } else if (!erwartet[*it].hashes.contains(p->hash)) {
                erwartet[*it].hashes.append(p->hash);
            }
        }
    }
    ergebnis.dateien = int(erwartet.size());

    LaufSperre sperre(ctx, Lauf::Pruefen);
    BusyPointer busy(ctx.host.dialogs);
    fenster.setFortschrittSichtbar(true);
    for (qsizetype i = 0; i < erwartet.size(); ++i) {
        if (abbrechen && abbrechen()) {
            ergebnis.abgebrochen = true;
            break;
        }
        const Erwartet &datei = erwartet.at(i);
        const QString name = QFile::decodeName(datei.pfad);
        const QString host = name.startsWith(QLatin1Char('/')) ? name : hostOrdner + QLatin1Char('/') + name;
        QString pfad = files.programPath(host);
        if (pfad.isEmpty())
            pfad = host;
        fenster.setFortschritt(int(qRound((i + 1) * 100.0 / double(erwartet.size()))));
        fenster.setPanel(QStringLiteral("Status"), QStringLiteral("Prüfe: ") + pfad);
        fenster.statusNeuZeichnen();
        // From the disk, not from the cache: what is there for good is checked.
        const ReadBack gelesen = ZurueckLesenImHintergrund(files, host);
        if (gelesen.fehler.nummer == 53 || gelesen.fehler.nummer == 76)
            ergebnis.fehlen << pfad;
        else if (gelesen.fehler)
            ergebnis.unlesbar << pfad + QStringLiteral(" (") + gelesen.fehler.beschreibung + QLatin1Char(')');
        else if (!datei.hashes.contains(gelesen.hash))
            ergebnis.geaendert << pfad;
        else
            ++ergebnis.gleich;
    }
    fenster.setFortschrittSichtbar(false);
    return ergebnis;
}

void ArchivPruefen(Context &ctx, Fenster &fenster, const std::function<bool()> &abbrechen)
{
    if (LaufBesetzt(ctx, fenster))
        return;
    const QString ziel = Vario(ctx, fenster.ziel());
    const std::optional<QString> gewaehlt = ctx.host.dialogs.openFile(
        QStringLiteral("Wähle eine Prüfliste im Archiv-Ordner"), QStringLiteral("Prüflisten"),
        QStringLiteral("*.xxh128"), ziel);
    if (!gewaehlt)
        return;
    const QString ordner = PfadTeil(*gewaehlt, -1);
    const PruefErgebnis e = ArchivOrdnerPruefen(ctx, fenster, ordner, abbrechen);
    if (e.abgebrochen) {
        HinweisZeigen(ctx, fenster, QStringLiteral("Die Prüfung des Archivs wurde abgebrochen."));
        return;
    }
    if (e.listen == 0 && e.unlesbar.isEmpty()) {
        ctx.host.dialogs.message(QStringLiteral("Im Ordner »") + ordner
                                     + QStringLiteral("« liegt keine Prüfliste (*.xxh128)."),
                                 kTitel, Icon::Exclamation, Buttons::Ok, Answer::Ok);
        return;
    }
    const QString umfang = QStringLiteral("»") + ordner + QStringLiteral("«, ") + Listen(e.listen)
        + QStringLiteral(" mit ") + Dateien(e.dateien);
    if (e.fehlen.isEmpty() && e.geaendert.isEmpty() && e.unlesbar.isEmpty()) {
        const QString zeile = e.dateien == 0
            ? QStringLiteral("Archiv geprüft: die Prüflisten in »") + ordner + QStringLiteral("« nennen keine Datei.")
            : QStringLiteral("Archiv geprüft: alle ") + Dateien(e.dateien) + QStringLiteral(" aus ")
                + Listen(e.listen) + QStringLiteral(" in »") + ordner + QStringLiteral("« sind unverändert.");
        HinweisZeigen(ctx, fenster, zeile);
        ctx.host.dialogs.message(zeile, kTitel, Icon::Information, Buttons::Ok, Answer::Ok);
        return;
    }
    QString text = QStringLiteral("Prüfung von ") + umfang + QStringLiteral(":\n\n");
    if (!e.fehlen.isEmpty())
        text += Gruppe(e.fehlen.size() == 1 ? QStringLiteral("Diese Datei fehlt:")
                                            : QStringLiteral("Diese Dateien fehlen:"),
                       e.fehlen);
    if (!e.geaendert.isEmpty())
        text += Gruppe(e.geaendert.size() == 1
                           ? QStringLiteral("Diese Datei hat andere Bytes als beim Kopieren:")
                           : QStringLiteral("Diese Dateien haben andere Bytes als beim Kopieren:"),
                       e.geaendert);
    if (!e.unlesbar.isEmpty())
        text += Gruppe(e.unlesbar.size() == 1 ? QStringLiteral("Diese Datei lässt sich nicht lesen:")
                                              : QStringLiteral("Diese Dateien lassen sich nicht lesen:"),
                       e.unlesbar);
    text += Dateien(e.gleich) + (e.gleich == 1 ? QStringLiteral(" ist unverändert.")
                                               : QStringLiteral(" sind unverändert."));
    HinweisZeigen(ctx, fenster,
            QStringLiteral("Archiv geprüft: fehlend %1, verändert %2, unlesbar %3, unverändert %4.")
                .arg(e.fehlen.size())
                .arg(e.geaendert.size())
                .arg(e.unlesbar.size())
                .arg(e.gleich));
    ctx.host.dialogs.message(text, kTitel, Icon::Exclamation, Buttons::Ok, Answer::Ok);
}

} // namespace mirbelon
