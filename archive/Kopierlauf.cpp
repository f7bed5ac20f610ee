#include "archive/Kopierlauf.h"

#include "archive/KartenBefehle.h"
#include "archive/Laufanzeige.h"
#include "archive/Laufsperre.h"
#include "archive/Loeschen.h"
#include "archive/Messung.h"
#include "archive/Speicherplatz.h"
#include "archive/Vorkopien.h"
#include "archive/ZielName.h"
#include "archive/ZielStatus.h"
#include "archive/Zielordner.h"
#include "archive/ZweitesZiel.h"
#include "frame/Context.h"
#include "frame/IniStore.h"
#include "services/Meldungen.h"
#include "services/Platzhalter.h"
#include "services/Warten.h"
#include "source/Arbeiter.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"
#include "source/KarteEntfernt.h"
#include "text/DateiVorhanden.h"
#include "text/Meldung.h"
#include "text/Zahlen.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace mirbelon {

namespace {

const QString kTitel = QStringLiteral("Fotos kopieren");

bool KarteGeaendert(const FileStamp &vorher, const FileStamp &jetzt)
{
    return vorher.size >= 0 && jetzt.size >= 0 && !(vorher == jetzt);
}

// One copy run over the list as it was at its start.
class Kopierlauf
{
public:
    Kopierlauf(Context &ctx, FotoListe &liste, Fenster &fenster)
        : m_ctx(ctx), m_liste(liste), m_fenster(fenster), m_files(ctx.host.files),
          m_quelle(fenster.quelle()), m_muster(fenster.zielMuster()), m_pfade(liste.pfade()),
          m_fotos(liste.dateien()), m_marken(liste.marken())
    {
    }

    void laufen();

private:
    void stempelNehmen();
    // How many photos are marked, and their bytes as their stamps say.
    int markierte() const;
    qint64 markierteBytes() const;
    void vorauskopieren();
    // Puts the statistics and counters kept since the last time on disk.
    void speichern();
    bool eintrag(int i);
    // A photo's names in the destinations, and the files there of its size.
    struct Namen
    {
        QString name;
        QStringList gleichGross;
        QString name2;
        QStringList gleichGross2;
    };
    bool kopieren(int i, const Namen &namen);
    // Made again the ordinary way, where the copy made ahead did not reach a
    // destination; `zweite` tells whether the second one still needs it.
    CopyResult nachkopieren(int i, const Namen &namen, bool erste, bool zweite);
    bool zweitesAn() const { return m_zweites && !m_zweitesAus; }
    void zweitesZielOeffnen();
    // The photo has no copy in the second destination, for `grund`.
    void ohneZweite(int i, const Fehler &grund);
    // False when the user cancels the report of a photo that changed on the card.
    bool karteGeaendert(int i, const CopyResult &ergebnis, const QString &ziel);
    void fortschrittInDatei(int i, double anteil);
    bool jobsStarten(const QString &ziel);
    bool postRun();
    // Each destination's receipt of the photos it holds for this run.
    void quittungenSchreiben(bool vollstaendig);
    void zaehlen(const QString &schluessel);
    // False when the user cancels the report: the run ends.
    bool weiter(const Fehler &fehler);
    void abbrechen();

    Context &m_ctx;
    FotoListe &m_liste;
    Fenster &m_fenster;
    FileSystem &m_files;
    const QString m_quelle;
    const QString m_muster;
    const QStringList m_pfade;
    const QList<FileRef> m_fotos; // the files behind m_pfade
    const std::vector<char> m_marken;
    QList<QByteArray> m_hosts;  // the photos' host files, as listed
    QList<FileStamp> m_stempel; // size and time of each when the run began
    int m_fortschritt = -1;     // the last value set within a file, -1 for none
    std::optional<BusyPointer> m_busy;
    // Settings go to disk once a second, not once a photo.
    std::unique_ptr<ProfileBatch> m_sammeln;
    QElapsedTimer m_seitSpeichern;
    std::unique_ptr<Vorkopien> m_vorkopien;
    std::optional<Laufanzeige> m_anzeige;
    // The card's commands as the user was asked about them.
    QStringList m_jobs;
    QString m_postRun;
    bool m_befehleErlaubt = false;
    QString m_ziel; // T, without a trailing "\"
    std::optional<Zielordner> m_erstes;
    std::optional<Zielordner> m_zweites; // none when no second destination is set
    bool m_zweitesAus = false;           // gone or full: the run goes on without it
    Fehler m_zweitesGrund;               // why the first photo lacks its second copy
    QStringList m_ohneZweite;            // the photos that lack it
    quint32 m_start = 0;
    QDateTime m_beginn; // names the receipts
    double m_dateien = 0;
    double m_bytes = 0;
    int m_kopiert = 0; // of them, the photos that reached the archive
    qint64 m_kopiertBytes = 0;
    int m_schonDa = 0; // photos whose bytes the archive held already
    bool m_voll = false; // the target disk filled: the copying ends, the rest of the run follows
    bool m_karteWeg = false; // the card went: the run ends
};

void Kopierlauf::laufen()
{
    LaufSperre sperre(m_ctx, Lauf::Kopieren);
    // Asked once, before the first photo and outside the measured time.
    m_jobs = KopierJobs(m_ctx, m_quelle);
    m_postRun = PostRunBefehl(m_ctx, m_quelle);
    m_befehleErlaubt = KartenBefehleErlaubt(m_ctx, m_jobs, m_postRun);
    m_busy.emplace(m_ctx.host.dialogs);
    m_fenster.setFortschrittSichtbar(true);
    m_beginn = m_ctx.host.system.now();

    m_ziel = Vario(m_ctx, m_fenster.ziel());
    if (m_ziel.endsWith(QLatin1Char('\\')))
        m_ziel.chop(1);
    m_erstes.emplace(m_files, m_ziel);
    zweitesZielOeffnen();
    stempelNehmen();
    if (!PlatzVorDemLauf(m_ctx, markierte(), markierteBytes(), m_ziel))
        return abbrechen();
    if (!HatNormaleDatei(m_files, m_ziel))
        OrdnerAnlegen(m_ctx, m_ziel);

    vorauskopieren();
    m_sammeln = std::make_unique<ProfileBatch>(m_ctx.host.profiles);
    m_seitSpeichern.start();
    m_start = m_ctx.host.system.tickCount();
    for (int i = 0; i < m_pfade.size() && !m_voll; ++i) {
        if (!eintrag(i)) {
            abbrechen();
            // The window lists the card's photos no longer, as after a card pulled between runs.
            if (m_karteWeg) {
                sperre.freigeben();
                QuelleNochDa(m_ctx, m_liste, m_fenster);
                m_fenster.timerHinweiseAn();
                m_fenster.timerInfoAn();
            }
            return;
        }
        if (m_seitSpeichern.elapsed() >= 1000)
            speichern();
    }

    m_anzeige->takt(true);
    m_vorkopien->aufgeben(); // what an empty name left untaken
    quittungenSchreiben(!m_voll);
    if (!m_ohneZweite.isEmpty())
        m_ctx.host.dialogs.message(MeldungsText(OhneZweiteKopieText(m_zweites->ordner(), m_zweitesGrund, m_ohneZweite)),
                                   kTitel, Icon::Exclamation, Buttons::Ok, Answer::Ok);
    m_fenster.setFortschrittSichtbar(false);
    m_busy.reset();
    GeschwindigkeitSpeichern(m_ctx, m_ctx.host.system.tickCount() - m_start, m_dateien, m_bytes);
    m_sammeln.reset();
    m_ctx.laufZeile = m_anzeige->schlusszeile(m_kopiert, m_kopiertBytes);
    if (m_schonDa > 0)
        m_ctx.laufZeile += m_schonDa == 1 ? QStringLiteral("; 1 Foto lag schon im Archiv")
                                          : QStringLiteral("; %1 Fotos lagen schon im Archiv").arg(m_schonDa);
    m_fenster.setPanel(QStringLiteral("Status"), m_ctx.laufZeile);

    // The copying is over; the delete question runs as a run of its own,
    // with the archive's new count in view.
    sperre.freigeben();
    befZUpdate(m_ctx, m_fenster);
    mnuLoeschenAlle(m_ctx, m_liste, m_fenster, true);
    if (!postRun())
        return;
    if (m_liste.anzahl() == 0) {
        m_fenster.programmEnde();
        return;
    }
    m_fenster.timerHinweiseAn();
    m_fenster.timerInfoAn();
}

bool Kopierlauf::eintrag(int i)
{
    const int anzahl = static_cast<int>(m_pfade.size());
    m_anzeige->fortschritt(qRound((i + 1) * 100.0f / anzahl));
    m_fenster.timerInfoAn();
    zaehlen(QStringLiteral("Anzahl Sum"));

    if (m_marken[static_cast<size_t>(i)]) {
        const QString quelle = m_pfade.at(i);
        zaehlen(QStringLiteral("Anzahl Cpy"));
        IniSchreiben(m_ctx, m_ctx.einstellungsDatei,
                     QStringLiteral("Statistik_") + m_fenster.kamera(), QStringLiteral("Anzahl Lst"),
                     FormatDatum(m_ctx.host.system.now(), QStringLiteral("yyyy.mm.dd hh:nn:ss")));
        m_ctx.host.desktop.processEvents();

        // From the snapshot, not the current entry: a click meanwhile must not
        // give this photo another photo's name.
        const FileRef datei = m_fotos.at(i);
        const QString basis = ZielNameFuer(m_ctx, datei, m_muster, 0);
        const qint64 groesse = m_ctx.doppelteAuslassen ? m_stempel.at(i).size : -1;
        Namen namen;
        namen.name = m_erstes->freierName(basis, groesse, namen.gleichGross);
        if (zweitesAn())
            namen.name2 = m_zweites->freierName(basis, groesse, namen.gleichGross2);
        const QString &name = namen.name;
        const QString ziel = m_ziel + QLatin1Char('\\') + name;
        m_anzeige->foto(i, quelle, QStringLiteral("Kopiere: ") + quelle + QStringLiteral(" -> ") + ziel);

        if (!name.isEmpty()) {
            if (!kopieren(i, namen))
                return false;
            m_ctx.host.desktop.processEvents();
        }
        m_ctx.host.desktop.processEvents();
    }
    IniZaehler(m_ctx, m_ctx.einstellungsDatei, QStringLiteral("Mirbelon"), QStringLiteral("Nr3"), 1);
    return true;
}

void Kopierlauf::stempelNehmen()
{
    m_hosts.reserve(m_pfade.size());
    for (int i = 0; i < m_pfade.size(); ++i)
        m_hosts << (m_marken[static_cast<size_t>(i)] ? m_files.hostFile(m_fotos.at(i)) : QByteArray());
    const FileSystem &files = m_files;
    const QList<QByteArray> hosts = m_hosts;
    m_stempel = ImHintergrund<QList<FileStamp>>([&files, &hosts] {
        QList<FileStamp> stempel;
        stempel.reserve(hosts.size());
        for (const QByteArray &host : hosts)
            stempel << (host.isEmpty() ? FileStamp{} : files.hostStamp(host).value_or(FileStamp{}));
        return stempel;
    });
}

int Kopierlauf::markierte() const
{
    return static_cast<int>(std::count_if(m_marken.begin(), m_marken.end(), [](char m) { return m != 0; }));
}

qint64 Kopierlauf::markierteBytes() const
{
    qint64 bytes = 0;
    for (const FileStamp &stempel : m_stempel)
        bytes += qMax<qint64>(0, stempel.size);
    return bytes;
}

void Kopierlauf::vorauskopieren()
{
    QList<CopyOrder> auftraege;
    auftraege.reserve(m_pfade.size());
    // Not the target folder itself: its listing, which every clash test
    // reads, would change with each copy made ahead and be read anew.
    const auto vorab = [this](const QString &ziel) {
        const QString ordner = ziel + QStringLiteral("\\.mirbelon-vorab");
        m_files.makeFolder(ordner); // a failure shows in the copies, which are then made at their turn
        return m_files.hostPath(ordner);
    };
    const QString ordner = vorab(m_ziel);
    const QString ordner2 = zweitesAn() ? vorab(m_zweites->ordner()) : QString();
    for (int i = 0; i < m_pfade.size(); ++i) {
        const QByteArray &host = m_hosts.at(i);
        if (host.isEmpty() || ordner.isEmpty()) {
            auftraege << CopyOrder{};
            continue;
        }
        // Named after the photo only for whoever looks into the folder meanwhile.
        const QString name = QLatin1Char('/') + QFileInfo(QFile::decodeName(host)).fileName();
        auftraege << CopyOrder{host, ordner + name, false, m_stempel.at(i), true,
                               ordner2.isEmpty() ? QString() : ordner2 + name};
    }
    m_vorkopien = std::make_unique<Vorkopien>(m_files, ordner, ordner2, auftraege);
    m_anzeige.emplace(m_fenster, m_liste, markierte(), markierteBytes());
}

void Kopierlauf::speichern()
{
    m_sammeln.reset(); // before the next one begins: only the outermost batch writes
    m_sammeln = std::make_unique<ProfileBatch>(m_ctx.host.profiles);
    m_seitSpeichern.restart();
}

bool Kopierlauf::kopieren(int i, const Namen &namen)
{
    const bool zweites = zweitesAn();
    m_erstes->unterordnerAnlegen(namen.name);
    if (zweites)
        m_zweites->unterordnerAnlegen(namen.name2);
    const auto anteil = [this, i](double a) { fortschrittInDatei(i, a); };
    CopyResult ergebnis;
    Zielordner::Ablage erste;
    Zielordner::Ablage zweite{namen.name2};
    Fehler fehler2;
    if (m_hosts.at(i).isEmpty() || m_files.hostPath(m_erstes->pfad(namen.name)).isEmpty()) {
        ergebnis.fehler = FehlerAusNummer(68, QStringLiteral("mnuKopieren"));
    } else {
        ergebnis = m_vorkopien->abholen(i, anteil);
        fehler2 = ergebnis.fehler2;
        // Only the bytes hashed on their way from the card tell a photo
        // already there; a copy that had to be made again is made.
        if (!ergebnis.fehler) {
            erste = m_erstes->ablegen(namen.name, namen.gleichGross, ergebnis.temp, ergebnis);
            if (zweites)
                zweite = m_zweites->ablegen(namen.name2, namen.gleichGross2, ergebnis.temp2, ergebnis);
            else if (!ergebnis.temp2.isEmpty())
                m_files.dropCopy(ergebnis.temp2);
        }
        // A copy made ahead that failed, or cannot take its name (a name
        // taken meanwhile, a sub-folder on another disk), is made again the
        // ordinary way: so its report is the one a copy at its turn gives. A
        // second copy that failed on its own is not tried again.
        const bool zweiteNochmal = zweites && !zweite.abgelegt && (ergebnis.fehler || !fehler2);
        if (!erste.abgelegt || zweiteNochmal) {
            const CopyResult neu = nachkopieren(i, namen, !erste.abgelegt, zweiteNochmal);
            if (zweiteNochmal) {
                fehler2 = neu.fehler2;
                zweite.abgelegt = !neu.fehler2;
            }
            if (!erste.abgelegt) {
                erste.name = namen.name;
                ergebnis = neu;
            }
        }
    }
    if (m_fortschritt >= 0) {
        m_anzeige->fortschritt(qRound((i + 1) * 100.0f / static_cast<float>(m_pfade.size())));
        m_fortschritt = -1;
    }
    m_dateien += 1;
    m_bytes += ergebnis.found.size >= 0 ? ergebnis.found.size : qMax<qint64>(0, m_files.size(m_fotos.at(i)));
    m_anzeige->erledigt(static_cast<int>(m_dateien), static_cast<qint64>(m_bytes));

    const Fehler &fehler = ergebnis.fehler;
    if (PlatteVoll(fehler)) {
        PlatteVollMelden(m_ctx, m_pfade, m_marken, i, m_ziel);
        m_voll = true;
        return true;
    }
    // A card gone fails every photo after this one: one report ends the run.
    if (fehler && KarteWeg(m_ctx, m_fotos.at(i), m_stempel.at(i).device)) {
        m_anzeige->takt(true);
        KarteWegMelden(m_ctx, m_pfade.at(i),
                       QStringLiteral("Das Kopieren ist beendet; die übrigen Fotos wurden nicht kopiert "
                                      "und auf der Karte wurde nichts gelöscht."));
        m_karteWeg = true;
        return false;
    }
    if (fehler)
        return weiter(fehler);

    const QString ziel = m_erstes->pfad(erste.name);
    Kopiert kopiert{m_files.hostPath(ziel), ergebnis.hash, ergebnis.bytes, ergebnis.found};
    if (!erste.schonDa)
        m_files.noteCopy(kopiert.ziel);
    m_erstes->quittung.eintragen(ergebnis.hash, erste.name);
    if (m_zweites && zweite.abgelegt) {
        kopiert.ziel2 = m_files.hostPath(m_zweites->pfad(zweite.name));
        if (!zweite.schonDa)
            m_files.noteCopy(kopiert.ziel2);
        m_zweites->quittung.eintragen(ergebnis.hash, zweite.name);
    } else if (m_zweites) {
        kopiert.zweiteFehlt = true;
        ohneZweite(i, zweites ? fehler2 : m_zweitesGrund);
    }
    // The files already there stand for the photo: the deletion reads them back.
    m_ctx.kopien.insert(m_hosts.at(i), kopiert);
    if (erste.schonDa && (!m_zweites || zweite.schonDa || kopiert.zweiteFehlt)) {
        ++m_schonDa;
    } else if (!kopiert.zweiteFehlt) {
        ++m_kopiert;
        m_kopiertBytes += qMax<qint64>(0, ergebnis.bytes);
    }
    if (!karteGeaendert(i, ergebnis, ziel))
        return false;
    return erste.schonDa || jobsStarten(ziel);
}

CopyResult Kopierlauf::nachkopieren(int i, const Namen &namen, bool erste, bool zweite)
{
    CopyOrder auftrag{m_hosts.at(i), m_files.hostPath(m_erstes->pfad(namen.name)), false, m_stempel.at(i)};
    if (zweite)
        auftrag.to2 = m_files.hostPath(m_zweites->pfad(namen.name2));
    if (!erste) {
        // Only the second is missing: it takes the first one's place in the order.
        auftrag.to = auftrag.to2;
        auftrag.to2.clear();
    }
    const CopyResult neu
        = KopierenImHintergrund(m_files, auftrag, [this, i](double a) { fortschrittInDatei(i, a); });
    if (erste)
        return neu;
    CopyResult nurZweite;
    nurZweite.fehler2 = neu.fehler;
    return nurZweite;
}

void Kopierlauf::zweitesZielOeffnen()
{
    QString ordner = Vario(m_ctx, ZweitesZiel(m_ctx));
    if (ordner.endsWith(QLatin1Char('\\')))
        ordner.chop(1);
    if (ordner.isEmpty())
        return;
    m_zweites.emplace(m_files, ordner);
    if (!m_files.hostPath(ordner).isEmpty() && !HatNormaleDatei(m_files, ordner))
        OrdnerAnlegen(m_ctx, ordner);
    if (m_files.hostPath(ordner).isEmpty() || !m_files.isFolder(ordner)) {
        m_zweitesAus = true;
        m_zweitesGrund = Fehler{76, QStringLiteral("der Ordner ist nicht da und lässt sich nicht anlegen "
                                                   "(ist das Laufwerk angeschlossen?)."),
                                QStringLiteral("mnuKopieren")};
    }
}

void Kopierlauf::ohneZweite(int i, const Fehler &grund)
{
    m_ohneZweite << m_pfade.at(i);
    if (!m_zweitesGrund)
        m_zweitesGrund = grund;
    // A full disk, or one that went: the later photos are not tried there.
    if (!m_zweitesAus && (PlatteVoll(grund) || !m_files.isFolder(m_zweites->ordner()))) {
        m_zweitesAus = true;
        m_vorkopien->zweitesZielAus();
    }
}

bool Kopierlauf::karteGeaendert(int i, const CopyResult &ergebnis, const QString &ziel)
{
    if (!KarteGeaendert(m_stempel.at(i), ergebnis.found))
        return true;
    return weiter({57,
                   QStringLiteral("Die Datei »") + m_pfade.at(i)
                       + QStringLiteral("« hat sich auf der Karte geändert (Größe oder "
                                        "Zeit). Kopiert wurde sie so, wie sie jetzt ist, nach »")
                       + ziel + QStringLiteral("«."),
                   QStringLiteral("mnuKopieren")});
}

// A large file moves the bar within its own step; a small one only steps.
void Kopierlauf::fortschrittInDatei(int i, double anteil)
{
    if (anteil <= 0 || anteil >= 1)
        return;
    const qint64 groesse = qMax<qint64>(0, m_stempel.at(i).size);
    m_anzeige->erledigt(static_cast<int>(m_dateien), static_cast<qint64>(m_bytes + anteil * double(groesse)));
    m_anzeige->takt();
    const int wert = qRound((i + anteil) * 100.0f / static_cast<float>(m_pfade.size()));
    if (wert == m_fortschritt)
        return;
    m_fortschritt = wert;
    m_anzeige->fortschritt(wert);
}

bool Kopierlauf::jobsStarten(const QString &ziel)
{
    if (!m_befehleErlaubt)
        return true;
    const QString hostZiel = m_files.hostPath(ziel);
    for (const QString &job : m_jobs) {
        const ShellSkript befehl = KartenSkript(m_ctx, job, QStringLiteral("{DateiZiel}"), hostZiel, false);
        if (!SkriptStarten(m_ctx, befehl, WindowStyle::NormalNoFocus)
            && !weiter(FehlerAusNummer(53, QStringLiteral("mnuKopieren"))))
            return false;
        m_ctx.host.desktop.processEvents();
        Warten(m_ctx, 1);
    }
    return true;
}

bool Kopierlauf::postRun()
{
    if (m_postRun.isEmpty() || !m_befehleErlaubt)
        return true;
    const ShellSkript befehl = KartenSkript(m_ctx, m_postRun, QStringLiteral("{$Mirbelon:Ziel}"),
                                            m_files.hostPath(m_ziel), true);
    return SkriptStarten(m_ctx, befehl, WindowStyle::Normal)
           || weiter(FehlerAusNummer(53, QStringLiteral("mnuKopieren")));
}

void Kopierlauf::quittungenSchreiben(bool vollstaendig)
{
    for (const std::optional<Zielordner> *ziel : {&m_erstes, &m_zweites}) {
        if (!*ziel || (*ziel)->quittung.leer())
            continue;
        const Fehler fehler = (*ziel)->quittung.schreiben(m_files, (*ziel)->ordner(), m_beginn, vollstaendig);
        // A full disk has had its report.
        if (fehler && !m_voll && !(ziel == &m_zweites && m_zweitesAus))
            weiter(fehler);
    }
}

void Kopierlauf::zaehlen(const QString &schluessel)
{
    IniZaehler(m_ctx, m_ctx.einstellungsDatei, QStringLiteral("Statistik_Summe"), schluessel, 1);
    IniZaehler(m_ctx, m_ctx.einstellungsDatei, QStringLiteral("Statistik_") + m_fenster.kamera(),
               schluessel, 1);
}

bool Kopierlauf::weiter(const Fehler &fehler)
{
    // The box puts the settings on disk; the window shows the photo it is about.
    m_anzeige->takt(true);
    return FehlerMelden(m_ctx, fehler, QStringLiteral("Es ist ein Fehler beim Kopieren aufgetreten."))
           != 2;
}

void Kopierlauf::abbrechen()
{
    if (m_vorkopien) // none yet when the run ends before its first photo
        m_vorkopien->aufgeben();
    quittungenSchreiben(false);
    m_sammeln.reset();
    m_fenster.setFortschrittSichtbar(false);
    m_busy.reset();
}

} // namespace

void mnuKopieren(Context &ctx, FotoListe &liste, Fenster &fenster)
{
    if (LaufBesetzt(ctx, fenster))
        return;
    const auto hinweis = [&](const QString &text) {
        ctx.host.dialogs.message(MeldungsText(text), kTitel, Icon::Exclamation, Buttons::Ok,
                                 Answer::Ok);
    };
    if (fenster.quelle().isEmpty())
        return hinweis(QStringLiteral("Wählen Sie bitte vor dem Kopieren ein Quelllaufwerk aus."));
    if (liste.anzahl() == 0)
        return hinweis(QStringLiteral("Es wurden keine Fotos auf dem Quelllaufwerk gefunden."));
    Kopierlauf(ctx, liste, fenster).laufen();
}

void OrdnerAnlegen(Context &ctx, const QString &pfad)
{
    QString p = pfad;
    if (!p.endsWith(QLatin1Char('\\')))
        p += QLatin1Char('\\');
    for (int k = p.indexOf(QLatin1Char('\\')); k >= 0; k = p.indexOf(QLatin1Char('\\'), k + 1)) {
        if (k > 4)
            ctx.host.files.makeFolder(p.left(k));
    }
}

} // namespace mirbelon
