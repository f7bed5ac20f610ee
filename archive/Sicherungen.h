#pragma once

#include "platform/FileSystem.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace mirbelon {

class Context;

// The records in the temp folder's BrenloTemp.ini of the safety copies the
// deletion made there: only a recorded file is ever deleted as ours.
struct Sicherung
{
    QString name;      // in the temp folder, exactly as written
    qint64 bytes = -1; // -1: its size, file and hash are not known
    quint64 inode = 0;
    Hash128 hash;
};

// The settings file of the records, as a program path.
QString SicherungsIni(const Context &ctx);

// Records the names as one write before their copies are made; false, and
// nothing said, when the file could not be written.
bool SicherungenMerken(Context &ctx, const QStringList &namen);
// Adds to the records what tells their copies from other files, as one write.
void SicherungenKennen(Context &ctx, const QList<Sicherung> &sicherungen);
void SicherungenVergessen(Context &ctx, const QStringList &namen);
// The record of a name, matched exactly; nullopt when there is none.
std::optional<Sicherung> GemerkteSicherung(Context &ctx, const QString &name);

} // namespace mirbelon
