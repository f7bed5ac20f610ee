#pragma once

#include <QString>
#include <QStringList>

namespace mirbelon {

class Context;

// The non-empty command lines "AfterCopyFile"/"Job00" to "Job09" of the
// Foto.ini in the folder part of the source text, in key order.
QStringList KopierJobs(Context &ctx, const QString &quelle);

// "Infos"/"PostRun" of the Foto.ini at the root of the source's drive.
QString PostRunBefehl(Context &ctx, const QString &quelle);

// Commands a card brings are untrusted: the user allows or refuses each
// exact set once (`anlass` says when they would run); the answer is kept in
// section "Befehle" of the settings file under a hash of the set.
bool BefehleErlaubt(Context &ctx, const QStringList &befehle, const QString &anlass);

// Replaces every `platzhalter` (case ignored), also one written in double
// quotes, by `hostPfad` quoted for the shell, so no name becomes a command.
QString PfadEinsetzen(const QString &befehl, const QString &platzhalter, const QString &hostPfad);

} // namespace mirbelon
