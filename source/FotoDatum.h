#pragma once

#include "platform/FileSystem.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace mirbelon {

class Context;

// The date of a photo as a plain calendar value: date and time of day, to the
// second, carried as Qt::UTC so that no time zone moves it or finds it
// invalid (the hour skipped when summer time starts is an hour like any other).
// It is the file's modification time in local time, or with "FotoDatum=Aufnahme"
// the capture date the file holds (else the file time), moved by the date
// correction (ctx.datumKorrektur, rounded to whole minutes, halves away from
// zero) on the wall clock. nullopt when the file's time stamp cannot be read.
std::optional<QDateTime> Picture_DT(Context &ctx, const FileRef &hFile);

// Keeps a capture date read elsewhere (the preview worker reads it with the
// picture), so that Picture_DT does not read the file again.
void AufnahmeMerken(Context &ctx, const QByteArray &hostPfad, const FileStamp &stempel,
    const std::optional<QDateTime> &aufnahme);

} // namespace mirbelon
