#pragma once

#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Ejector.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/ProfileFiles.h"
#include "platform/System.h"
#include "text/Parameter.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

namespace mirbelon {

// The host interfaces, owned elsewhere (main() or a test).
struct Host
{
    FileSystem &files;
    ProfileFiles &profiles;
    Processes &processes;
    Dialogs &dialogs;
    Desktop &desktop;
    System &system;
    Ejector *ejector = nullptr; // nullptr: the host cannot eject a card
};

// Folder values, all program paths without a trailing "\"; set once per run.
struct Ordner
{
    QString prg;        // OrdnerPrg: the program folder
    QString brenlo;     // OrdnerBrenlo: the family folder; empty until resolved
    QString tmp;        // OrdnerTmp
    QString dat;        // OrdnerDat
    QString debugDatei; // DebugDatei: OrdnerDat + "\Debug.txt"
};

// An archive copy that this program run made of a photo: where it went and
// the hash of the bytes read from the card.
struct Kopiert
{
    QString ziel; // host path
    Hash128 hash;
    qint64 bytes = 0;
    FileStamp quelle; // the photo as it was opened for the copy
    QString ziel2 = {}; // host path of the copy in the second destination; empty: none
    // A second destination was set, and holds no copy of the photo: it does
    // not count as copied.
    bool zweiteFehlt = false;
};

// What a photo or film file says about itself, read once per file.
struct DateiAngaben
{
    std::optional<QDateTime> aufnahme; // the capture date
    qint64 filmMs = -1; // a film's running time, 0 when it does not say; -1: no film known
};

// Which long run is going on; a scan or a second run is refused meanwhile.
enum class Lauf { Keiner, Kopieren, Loeschen, Pruefen, Auswerfen };

// The one shared context of a run: host, folders and the few module-level
// values of the main window. Set up once at start-up and passed in.
class Context
{
public:
    Context(Host host, QString kommandozeile, QString programmName = QStringLiteral("Mirbelon"))
        : host(host), kommandozeile(std::move(kommandozeile)), programmName(std::move(programmName))
    {
    }

    Host host;
    Ordner ordner;
    QString kommandozeile;  // the whole command line as one text
    // The arguments as the shell passed them and the folder they were given
    // in: their host paths are read again once the media have their letters.
    QStringList argumente;
    QString arbeitsordner;
    QString programmName;   // executable file name without extension
    Parameter parameter;    // filled by ParameterZerlegen at start-up

    QString einstellungsDatei; // Mirbelon.ini, fixed when the main window loads
    QString dateiTypen;        // "Formate", loaded by KonfigLaden
    float datumKorrektur = 0;  // minutes, set by the date correction
    bool fotoDatumAufnahme = false; // "FotoDatum=Aufnahme": photos dated by their capture date
    // "Doppelte=Auslassen": a photo whose bytes the archive holds under its
    // name or a clash name of it is not copied again.
    bool doppelteAuslassen = true;
    // Of the settings file when "Formate" and "FotoDatum" were read from it;
    // nullopt: not read from a file, they stay as they are.
    std::optional<FileStamp> einstellungsStempel;
    // What files said so far, per host file, size and time stamp.
    QHash<QByteArray, DateiAngaben> aufnahmeDaten;

    // A hint the status bar shows in place of "Bereit" for a while from
    // tick count `seit`; the one of hidden camera files once per run.
    QString statusHinweis;
    quint32 statusHinweisSeit = 0;
    bool formateHinweisGezeigt = false;

    // The letters kept per medium as the settings file holds them.
    QMap<QChar, QString> gemerkteBuchstaben;

    int debugModus = 0;          // 0 undecided, <0 off, >=1 on
    quint32 debugLetzterTick = 0;

    Lauf lauf = Lauf::Keiner;
    // What the last copy run did, in the status bar instead of "Bereit"
    // until the source is read again.
    QString laufZeile;
    bool scanLaeuft = false;
    bool scanNochmal = false; // the source was asked for again while a scan ran
    // The program ends: no scan runs any more. The scan's worker reads it too.
    std::atomic<bool> scanAbbruch = false;
    bool karteEntfernt = false; // the source went while listed; until the next scan
    // Answers to a card's commands, also when the settings file cannot keep them.
    QHash<QString, bool> befehlsAntworten;
    // Archive copies of this program run, by the photo's host file; a photo is
    // deleted only when they read back as the card's bytes.
    QHash<QByteArray, Kopiert> kopien;
};

} // namespace mirbelon
