#pragma once

#include "platform/Processes.h"
#include "platform/ShellQuote.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mirbelon {

class Context;

// The non-empty command lines "AfterCopyFile"/"Job00" to "Job09" of the
// Foto.ini in the folder part of the source text, in key order.
QStringList KopierJobs(Context &ctx, const QString &quelle);

// "Infos"/"PostRun" of the Foto.ini at the root of the source's drive.
QString PostRunBefehl(Context &ctx, const QString &quelle);

// Commands that would run on one occasion ("nach dem Kopieren"), as written.
struct BefehlsGruppe
{
    QString anlass;
    QStringList befehle;
};

// Commands from outside the program (a card, a foreign script) are untrusted:
// the user allows or refuses each exact set once, seeing every command of it;
// the answer is kept in section "Befehle" of the settings file under a hash
// of the set. `neuFragen` asks even when an answer is kept.
bool BefehleErlaubt(Context &ctx, const QString &herkunft, const QList<BefehlsGruppe> &gruppen,
                    bool neuFragen = false);

// A card's command line as a shell script: `platzhalter` (case ignored) gets
// `hostWert`; with `mitVario` the general placeholders are expanded as well,
// except those that read files or list folders ("{iniread,", "{variable:",
// "{$", "{&"), which stay as written, so nothing runs that the question did
// not show. Every value goes in as a value, never as shell syntax.
// One question for all the commands a card brings to a copy run, its jobs
// and its post-run command; false when there are none.
bool KartenBefehleErlaubt(Context &ctx, const QStringList &jobs, const QString &postRun);

ShellSkript KartenSkript(Context &ctx, const QString &befehl, const QString &platzhalter,
                         const QString &hostWert, bool mitVario);

bool SkriptStarten(Context &ctx, const ShellSkript &skript, WindowStyle stil);

// Menu "Befehle der Speicherkarte...": asks again about the commands of the
// card in `quelle`, so an answer given once can be changed.
void mnuKartenBefehle(Context &ctx, const QString &quelle);

// The exit script of the end sequence. One from a place other than the data,
// program, executable's or family folder runs only after the same consent
// as a card's commands, and then exactly as it was shown.
void ExitSkriptStarten(Context &ctx);

} // namespace mirbelon
