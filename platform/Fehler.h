#pragma once

#include <QString>

namespace mirbelon {

// A failure as the error report shows it: number, description and source.
// Numbers follow the classic run-time error table so that the report's tips
// fit: 53 file not found, 57 device I/O error, 58 file exists, 61 disk full,
// 70 permission denied, 71 disk not ready, 75 path/file access error,
// 76 path not found. Number 0 means success.
struct Fehler
{
    int nummer = 0;
    QString beschreibung;
    QString quelle;

    explicit operator bool() const { return nummer != 0; }
};

// The German standard text for a run-time error number ("" when unknown).
QString FehlerStandardText(int nummer);

// A Fehler built from the standard text of its number.
Fehler FehlerAusNummer(int nummer, const QString &quelle);

// Maps a POSIX errno to the run-time error number; `ordnerFehlt` chooses 76
// over 53 when the file's folder is missing.
int FehlerNummerAusErrno(int errnoWert, bool ordnerFehlt = false);

} // namespace mirbelon
