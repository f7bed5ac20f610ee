#include "archive/Vorkopien.h"

#include "source/Arbeiter.h"

namespace mirbelon {

namespace {

// Enough to keep the disk busy across a slow step of the window, little
// enough that a run ended early has not much to remove.
constexpr int kMeisteKopien = 16;
constexpr qint64 kMeisteBytes = qint64(256) << 20;

} // namespace

struct Vorkopien::Kopie
{
    std::shared_ptr<Vorarbeit> arbeit;
    CopyResult ergebnis;
    ByteProgress fortschritt;
    bool genommen = false;
};

Vorkopien::Vorkopien(const FileSystem &files, QString ordner, QString ordner2, QList<CopyOrder> auftraege)
    : m_files(files), m_ordner(std::move(ordner)), m_ordner2(std::move(ordner2)),
      m_auftraege(std::move(auftraege))
{
    m_kopien.resize(m_auftraege.size());
}

Vorkopien::~Vorkopien()
{
    m_halt->store(true);
    for (const auto &kopie : std::as_const(m_kopien)) {
        if (!kopie || kopie->genommen)
            continue;
        kopie->arbeit->blockieren();
        wegwerfen(*kopie);
    }
    m_files.dropCopy(m_ordner);
    if (!m_ordner2.isEmpty())
        m_files.dropCopy(m_ordner2);
}

void Vorkopien::wegwerfen(const Kopie &kopie) const
{
    if (!kopie.ergebnis.temp.isEmpty())
        m_files.dropCopy(kopie.ergebnis.temp);
    if (!kopie.ergebnis.temp2.isEmpty())
        m_files.dropCopy(kopie.ergebnis.temp2);
}

void Vorkopien::aufgeben()
{
    m_halt->store(true);
    for (const auto &kopie : std::as_const(m_kopien)) {
        if (!kopie || kopie->genommen)
            continue;
        kopie->arbeit->abwarten();
        kopie->genommen = true;
        wegwerfen(*kopie);
    }
    m_files.dropCopy(m_ordner);
    if (!m_ordner2.isEmpty())
        m_files.dropCopy(m_ordner2);
}

void Vorkopien::nachlegen(int ab)
{
    int laufend = 0;
    qint64 bytes = 0;
    for (int k = ab; k < m_gestartet; ++k) {
        if (m_kopien.at(k) && !m_kopien.at(k)->genommen) {
            ++laufend;
            bytes += qMax<qint64>(0, m_auftraege.at(k).expected.size);
        }
    }
    // At least the entry asked for, however large it is.
    while (m_gestartet < m_auftraege.size()
           && (m_gestartet <= ab || (laufend < kMeisteKopien && bytes < kMeisteBytes))) {
        const int k = m_gestartet++;
        const CopyOrder &auftrag = m_auftraege.at(k);
        if (auftrag.from.isEmpty())
            continue;
        auto kopie = std::make_shared<Kopie>();
        const FileSystem &files = m_files;
        kopie->arbeit = Vorab(Strecke::Bytes, [&files, auftrag, kopie, halt = m_halt, ohne = m_ohneZweites] {
            if (halt->load())
                return;
            CopyOrder a = auftrag;
            if (ohne->load())
                a.to2.clear();
            kopie->ergebnis = files.copyBytes(a, &kopie->fortschritt);
        });
        m_kopien[k] = kopie;
        ++laufend;
        bytes += qMax<qint64>(0, auftrag.expected.size);
    }
}

CopyResult Vorkopien::abholen(int i, const std::function<void(double)> &anteil)
{
    nachlegen(i);
    const std::shared_ptr<Kopie> kopie = m_kopien.at(i);
    if (!kopie)
        return {};
    kopie->arbeit->abwarten([&] {
        const qint64 ganz = kopie->fortschritt.total.load();
        if (anteil && ganz > 0)
            anteil(double(kopie->fortschritt.done.load()) / double(ganz));
    });
    kopie->genommen = true;
    nachlegen(i + 1);
    return kopie->ergebnis;
}

} // namespace mirbelon
