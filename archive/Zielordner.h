#pragma once

#include "archive/Quittung.h"
#include "platform/FileSystem.h"

#include <QString>
#include <QStringList>

namespace mirbelon {

// One destination folder of a copy run: the names its photos get there,
// what it already holds, and its receipt.
class Zielordner
{
public:
    Zielordner(FileSystem &files, QString ordner) : m_files(files), m_ordner(std::move(ordner)) {}

    // T, a program path without a trailing "\".
    const QString &ordner() const { return m_ordner; }
    QString pfad(const QString &name) const { return m_ordner + QLatin1Char('\\') + name; }

    // The first name of `basis`, basis-01, basis-02 ... that no file holds
    // here. `gleichGross` gets the names passed over whose file has
    // `groesse` bytes: they may hold the photo already.
    QString freierName(const QString &basis, qint64 groesse, QStringList &gleichGross) const;

    // Of `kandidaten`, the first that holds exactly the bytes of `hash`
    // (read from the disk on a worker, the window's events running); empty
    // when none does.
    QString schonDa(const QStringList &kandidaten, const Hash128 &hash, qint64 bytes) const;

    Quittung quittung;

private:
    FileSystem &m_files;
    QString m_ordner;
};

} // namespace mirbelon
