#pragma once

#include "frame/Context.h"
#include "platform/FileSystem.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace mirbelon {


// The date of a photo as a plain calendar value: date and time of day, to the
// second, carried as Qt::UTC so that no time zone moves it or finds it
// invalid (the hour skipped when summer time starts is an hour like any other).
// It is the file's modification time in local time, or with "FotoDatum=Aufnahme"
// the capture date the file holds (else the file time), moved by the date
// correction (ctx.datumKorrektur, rounded to whole minutes, halves away from
// zero) on the wall clock. nullopt when the file's time stamp cannot be read.
// The capture date is read on a worker while the window's events run.
std::optional<QDateTime> Picture_DT(Context &ctx, const FileRef &hFile);

// Keeps what was read elsewhere (the preview worker reads the capture date
// with the picture), so that Picture_DT does not read the file again.
void AufnahmeMerken(Context &ctx, const QByteArray &hostPfad, const FileStamp &stempel,
    const DateiAngaben &angaben);

// A film's running time in milliseconds as far as it was read before, for
// the file with stamp `stempel` (as it is now): 0 for a film that does not
// say, -1 when no film is known there. Reads nothing from the file.
qint64 FilmDauer(Context &ctx, const FileRef &datei, const FileStamp &stempel);

} // namespace mirbelon
