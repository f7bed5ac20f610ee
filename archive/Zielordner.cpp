#include "archive/Zielordner.h"

#include "archive/Speicherplatz.h"
#include "archive/ZielName.h"
#include "source/Arbeiter.h"
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

void Zielordner::unterordnerAnlegen(const QString &name)
{
    const QStringList teile = name.split(QLatin1Char('\\'));
    QString ordner = m_ordner;
    for (int k = 0; k + 1 < teile.size(); ++k) {
        ordner += QLatin1Char('\\') + teile.at(k);
        if (!m_files.isFolder(ordner))
            m_files.makeFolder(ordner);
    }
}

Zielordner::Ablage Zielordner::ablegen(const QString &name, const QStringList &gleichGross,
                                       const QString &temp, const CopyResult &kopie) const
{
    // Also when no copy could be made here (a full disk): what is already
    // here needs none.
    if (!gleichGross.isEmpty()) {
        const QString vorhanden = schonDa(gleichGross, kopie.hash, kopie.bytes);
        if (!vorhanden.isEmpty()) {
            if (!temp.isEmpty())
                m_files.dropCopy(temp);
            return {vorhanden, true, true};
        }
    }
    if (temp.isEmpty())
        return {name};
    const QString ziel = m_files.hostPath(pfad(name));
    if (!ziel.isEmpty() && !m_files.placeCopy(temp, ziel))
        return {name, false, true};
    m_files.dropCopy(temp);
    return {name};
}

QString OhneZweiteKopieText(const QString &ordner, const Fehler &grund, const QStringList &fotos)
{
    constexpr int kZeilen = 12;
    QString text = QStringLiteral("Keine zweite Kopie in ´") + ordner + QStringLiteral("´: ")
                   + (PlatteVoll(grund) ? QStringLiteral("dort ist kein Platz mehr frei.")
                                        : grund.beschreibung)
                   + (fotos.size() == 1 ? QStringLiteral("~~Ohne zweite Kopie ist 1 Foto:")
                                        : QStringLiteral("~~Ohne zweite Kopie sind %1 Fotos:").arg(fotos.size()));
    for (int k = 0; k < fotos.size() && k < kZeilen; ++k)
        text += QLatin1Char('~') + fotos.at(k);
    if (fotos.size() > kZeilen)
        text += QStringLiteral("~... und %1 weitere").arg(fotos.size() - kZeilen);
    return text + QStringLiteral("~~Sie zählen nicht als kopiert: mit »Nein« beim Löschen bleiben sie "
                                 "auf der Karte. Ins erste Ziel wurde weiter kopiert.");
}

} // namespace mirbelon
