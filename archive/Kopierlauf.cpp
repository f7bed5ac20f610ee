#include "archive/Kopierlauf.h"

#include "archive/Arbeiter.h"
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
#include "frame/Context.h"
#include "frame/IniStore.h"
#include "services/Meldungen.h"
#include "services/Platzhalter.h"
#include "services/Warten.h"
#include "source/Fenster.h"
#include "source/FotoListe.h"
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
    bool kopieren(int i, const QString &name, const QStringList &gleichGross);
    // The photo's bytes are in the archive already as `name`: nothing is copied.
    void schonDa(int i, const QString &name, const CopyResult &ergebnis);
    // False when the user cancels the report of a photo that changed on the card.
    bool karteGeaendert(int i, const CopyResult &ergebnis, const QString &ziel);
    void fortschrittInDatei(int i, double anteil);
    bool jobsStarten(const QString &ziel);
    bool postRun();
    // Each destination's receipt of the photos it holds for this run.
    void quittungenSchreiben(bool vollstaendig);
    void unterordnerAnlegen(const QString &name);
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
    quint32 m_start = 0;
    QDateTime m_beginn; // names the receipts
    double m_dateien = 0;
    double m_bytes = 0;
    int m_kopiert = 0; // of them, the photos that reached the archive
    qint64 m_kopiertBytes = 0;
    int m_schonDa = 0; // photos whose bytes the archive held already
    bool m_voll = false; // the target disk filled: the copying ends, the rest of the run follows
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
        if (!eintrag(i))
            return abbrechen();
        if (m_seitSpeichern.elapsed() >= 1000)
            speichern();
    }

    m_anzeige->takt(true);
    m_vorkopien->aufgeben(); // what an empty name left untaken
    quittungenSchreiben(!m_voll);
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
        QStringList gleichGross;
        const QString name = m_erstes->freierName(
            basis, m_ctx.doppelteAuslassen ? m_stempel.at(i).size : -1, gleichGross);

        const QString ziel = m_ziel + QLatin1Char('\\') + name;
        m_anzeige->foto(i, quelle, QStringLiteral("Kopiere: ") + quelle + QStringLiteral(" -> ") + ziel);

        if (!name.isEmpty()) {
            if (!kopieren(i, name, gleichGross))
                return false;
            m_ctx.host.desktop.processEvents();
            if (!m_voll && !jobsStarten(ziel))
                return false;
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
    const QString vorab = m_ziel + QStringLiteral("\\.mirbelon-vorab");
    m_files.makeFolder(vorab); // a failure shows in the copies, which are then made at their turn
    const QString ordner = m_files.hostPath(vorab);
    for (int i = 0; i < m_pfade.size(); ++i) {
        const QByteArray &host = m_hosts.at(i);
        if (host.isEmpty() || ordner.isEmpty()) {
            auftraege << CopyOrder{};
            continue;
        }
        // Named after the photo only for whoever looks into the folder meanwhile.
        auftraege << CopyOrder{host, ordner + QLatin1Char('/') + QFileInfo(QFile::decodeName(host)).fileName(),
                               false, m_stempel.at(i), true};
    }
    m_vorkopien = std::make_unique<Vorkopien>(m_files, ordner, auftraege);
    m_anzeige.emplace(m_fenster, m_liste, markierte(), markierteBytes());
}

void Kopierlauf::speichern()
{
    m_sammeln.reset(); // before the next one begins: only the outermost batch writes
    m_sammeln = std::make_unique<ProfileBatch>(m_ctx.host.profiles);
    m_seitSpeichern.restart();
}

bool Kopierlauf::kopieren(int i, const QString &name, const QStringList &gleichGross)
{
    unterordnerAnlegen(name);
    const QString ziel = m_ziel + QLatin1Char('\\') + name;
    // Never over an existing file. Put on disk before any photo of the card is
    // deleted, not one by one: a run that ends without deleting needs no wait.
    const CopyOrder auftrag{m_hosts.at(i), m_files.hostPath(ziel), false, m_stempel.at(i)};
    const auto anteil = [this, i](double a) { fortschrittInDatei(i, a); };
    CopyResult ergebnis;
    if (auftrag.from.isEmpty() || auftrag.to.isEmpty()) {
        ergebnis.fehler = FehlerAusNummer(68, QStringLiteral("mnuKopieren"));
    } else {
        ergebnis = m_vorkopien->abholen(i, anteil);
        // Only the bytes hashed on their way from the card tell a photo
        // already there; a copy that had to be made again is made.
        if (!gleichGross.isEmpty() && !ergebnis.fehler && !ergebnis.temp.isEmpty()) {
            const QString vorhanden = m_erstes->schonDa(gleichGross, ergebnis.hash, ergebnis.bytes);
            if (!vorhanden.isEmpty()) {
                m_files.dropCopy(ergebnis.temp);
                schonDa(i, vorhanden, ergebnis);
                return karteGeaendert(i, ergebnis, m_erstes->pfad(vorhanden));
            }
        }
        // A copy made ahead that failed, or cannot take its name (a name
        // taken meanwhile, a sub-folder on another disk), is made again the
        // ordinary way: so its report is the one a copy at its turn gives.
        const bool platziert = !ergebnis.fehler && !ergebnis.temp.isEmpty()
                               && !m_files.placeCopy(ergebnis.temp, auftrag.to);
        if (!platziert) {
            if (!ergebnis.temp.isEmpty())
                m_files.dropCopy(ergebnis.temp);
            ergebnis = KopierenImHintergrund(m_files, auftrag, anteil);
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
    if (fehler)
        return weiter(fehler);
    ++m_kopiert;
    m_kopiertBytes += qMax<qint64>(0, ergebnis.bytes);
    m_files.noteCopy(auftrag.to);
    m_ctx.kopien.insert(auftrag.from, Kopiert{auftrag.to, ergebnis.hash, ergebnis.bytes, ergebnis.found});
    m_erstes->quittung.eintragen(ergebnis.hash, name);
    return karteGeaendert(i, ergebnis, ziel);
}

void Kopierlauf::schonDa(int i, const QString &name, const CopyResult &ergebnis)
{
    ++m_schonDa;
    m_dateien += 1;
    m_bytes += qMax<qint64>(0, ergebnis.bytes);
    m_anzeige->erledigt(static_cast<int>(m_dateien), static_cast<qint64>(m_bytes));
    // The file already there stands for the photo: the deletion reads it back.
    m_ctx.kopien.insert(m_hosts.at(i), Kopiert{m_files.hostPath(m_erstes->pfad(name)), ergebnis.hash,
                                               ergebnis.bytes, ergebnis.found});
    m_erstes->quittung.eintragen(ergebnis.hash, name);
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
    if (!m_erstes || m_erstes->quittung.leer())
        return;
    const Fehler fehler = m_erstes->quittung.schreiben(m_files, m_erstes->ordner(), m_beginn, vollstaendig);
    // A full disk has had its report.
    if (fehler && !m_voll)
        weiter(fehler);
}

void Kopierlauf::unterordnerAnlegen(const QString &name)
{
    const QStringList teile = name.split(QLatin1Char('\\'));
    QString ordner = m_ziel;
    for (int k = 0; k + 1 < teile.size(); ++k) {
        ordner += QLatin1Char('\\') + teile.at(k);
        if (!m_files.isFolder(ordner))
            m_files.makeFolder(ordner); // a failure shows in the copy
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
