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

    // Makes the sub-folders a name with "\" reaches into; a failure shows in the copy.
    void unterordnerAnlegen(const QString &name);

    // What became of a photo's bytes copied ahead to `temp` (empty: none).
    struct Ablage
    {
        QString name;
        bool schonDa = false;   // `name` held them already; `temp` is gone
        bool abgelegt = false;  // the photo is here as `name`
    };
    // Finds the bytes among `gleichGross`, else gives `temp` the name `name`
    // (never over a file). A `temp` that cannot take it is removed.
    Ablage ablegen(const QString &name, const QStringList &gleichGross, const QString &temp,
                   const CopyResult &kopie) const;

    Quittung quittung;

private:
    FileSystem &m_files;
    QString m_ordner;
};

// The one report of photos without their copy in the second destination
// `ordner`, for `grund` (a full disk, one that is not there).
QString OhneZweiteKopieText(const QString &ordner, const Fehler &grund, const QStringList &fotos);

} // namespace mirbelon
