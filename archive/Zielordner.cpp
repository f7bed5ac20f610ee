#include "archive/Zielordner.h"

#include "archive/Arbeiter.h"
#include "archive/ZielName.h"
#include "text/DateiVorhanden.h"

namespace mirbelon {

QString Zielordner::freierName(const QString &basis, qint64 groesse, QStringList &gleichGross) const
{
    QString name = basis;
    for (int clash = 1; DateiVorhanden(m_files, pfad(name)); ++clash) {
        if (groesse >= 0 && m_files.size(pfad(name)) == groesse)
            gleichGross << name;
        name = NummerierterName(basis, clash);
    }
    return name;
}

QString Zielordner::schonDa(const QStringList &kandidaten, const Hash128 &hash, qint64 bytes) const
{
    for (const QString &name : kandidaten) {
        const QString host = m_files.hostPath(pfad(name));
        if (host.isEmpty())
            continue;
        // Not on the lane of the copies made ahead: they go on meanwhile.
        ReadBack gelesen;
        const FileSystem &files = m_files;
        Vorab(Strecke::Lesen, [&files, host, &gelesen] { gelesen = files.readBack(host, nullptr); })
            ->abwarten();
        if (!gelesen.fehler && gelesen.bytes == bytes && gelesen.hash == hash)
            return name;
    }
    return {};
}

} // namespace mirbelon
