#pragma once

#include "platform/Fehler.h"

#include <QDate>
#include <QString>

namespace mirbelon {

class Context;

// Plays a "#" system sound name (emptied after a beep) or a sound file.
void TonAusgeben(Context &ctx, QString &name);

// The standard report of an unexpected error: logs it in section "Fehler" of
// Brenlo.ini and offers an update or an e-mail. Returns 0 for error number 0,
// 2 when the user cancels, 5 otherwise. `kontext` gets "~~" appended when
// not empty.
int FehlerMelden(Context &ctx, const Fehler &fehler, QString &kontext);
inline int FehlerMelden(Context &ctx, const Fehler &fehler, const QString &kontext)
{
    QString k = kontext;
    return FehlerMelden(ctx, fehler, k);
}

// Age of the running version in years, never negative.
float ProgrammAlter(const QDate &heute);

// The program's version: major = year, minor = month.
int ProgrammVersionJahr();
int ProgrammVersionMonat();

} // namespace mirbelon
