#include "source/FotoListe.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

namespace mirbelon {

FotoListe::FotoListe(QObject *parent) : QAbstractListModel(parent) {}

QString FotoListe::pfad(int index) const
{
    return index >= 0 && index < anzahl() ? m_pfade.at(index) : QString();
}

FileRef FotoListe::datei(int index) const
{
    return index >= 0 && index < anzahl() ? m_dateien.at(index) : FileRef();
}

bool FotoListe::markiert(int index) const
{
    return index >= 0 && index < anzahl() && m_marken[static_cast<size_t>(index)];
}

int FotoListe::anzahlMarkiert() const
{
    return static_cast<int>(std::count(m_marken.begin(), m_marken.end(), 1));
}

void FotoListe::setVersteckt(bool versteckt)
{
    m_versteckt = versteckt;
}

void FotoListe::setPfade(const QStringList &pfade)
{
    setDateien(QList<FileRef>(pfade.begin(), pfade.end()));
}

namespace {

// Above this many runs in order, sort keys are cheaper than merging them.
constexpr size_t kMeisteLaeufe = 64;

// The order in which the list shows `dateien`: stable, by the user's locale
// without regard to case. What a scan collects comes in long runs already in
// that order (folder by folder, each folder's names in order), so the runs
// are found and merged; a list in no order gets sort keys instead.
std::vector<qsizetype> Reihenfolge(const QList<FileRef> &dateien)
{
    std::vector<qsizetype> folge(static_cast<size_t>(dateien.size()));
    std::iota(folge.begin(), folge.end(), 0);
    if (folge.size() < 2)
        return folge;
    // As a list box of the user's system sorts: "Ärger" beside "Arbeit", not after "Zebra".
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);

    std::vector<size_t> grenzen { 0 };
    for (size_t i = 1; i < folge.size() && grenzen.size() <= kMeisteLaeufe; ++i) {
        if (collator.compare(dateien.at(qsizetype(i) - 1).path, dateien.at(qsizetype(i)).path) > 0)
            grenzen.push_back(i);
    }
    if (grenzen.size() <= kMeisteLaeufe) {
        // Merging neighbouring runs, the earlier one first on equal texts, is
        // a stable sort: the same order as sorting by keys.
        const auto vor = [&dateien, &collator](qsizetype a, qsizetype b) {
            return collator.compare(dateien.at(a).path, dateien.at(b).path) < 0;
        };
        grenzen.push_back(folge.size());
        while (grenzen.size() > 2) {
            std::vector<size_t> weiter { 0 };
            for (size_t k = 0; k + 2 < grenzen.size(); k += 2) {
                const auto anfang = folge.begin() + qsizetype(grenzen[k]);
                std::inplace_merge(anfang, folge.begin() + qsizetype(grenzen[k + 1]),
                    folge.begin() + qsizetype(grenzen[k + 2]), vor);
                weiter.push_back(grenzen[k + 2]);
            }
            if (weiter.back() != folge.size())
                weiter.push_back(folge.size());
            grenzen = std::move(weiter);
        }
        return folge;
    }

    std::vector<QCollatorSortKey> schluessel;
    schluessel.reserve(folge.size());
    for (const FileRef &datei : dateien)
        schluessel.push_back(collator.sortKey(datei.path));
    std::stable_sort(folge.begin(), folge.end(), [&schluessel](qsizetype a, qsizetype b) {
        return schluessel[static_cast<size_t>(a)].compare(schluessel[static_cast<size_t>(b)]) < 0;
    });
    return folge;
}

} // namespace

void FotoListe::setDateien(QList<FileRef> dateien)
{
    const std::vector<qsizetype> folge = Reihenfolge(dateien);
    QList<FileRef> sortiert;
    QStringList pfade;
    pfade.reserve(dateien.size());
    if (std::is_sorted(folge.begin(), folge.end())) {
        // In order already, as a scan mostly collects them.
        sortiert = std::move(dateien);
        for (const FileRef &datei : std::as_const(sortiert))
            pfade.append(datei.path);
    } else {
        sortiert.reserve(dateien.size());
        for (const qsizetype i : folge) {
            pfade.append(dateien.at(i).path);
            sortiert.append(std::move(dateien[i]));
        }
    }
    const bool hatteAktuell = m_aktuell != -1;
    beginResetModel();
    m_pfade = std::move(pfade);
    m_dateien = std::move(sortiert);
    m_marken.assign(static_cast<size_t>(m_pfade.size()), 0);
    m_aktuell = -1;
    endResetModel();
    if (hatteAktuell)
        emit aktuellGeaendert(-1);
}

void FotoListe::setMarkiert(int index, bool markiert)
{
    if (index < 0 || index >= anzahl())
        return;
    char &marke = m_marken[static_cast<size_t>(index)];
    if (static_cast<bool>(marke) == markiert)
        return;
    marke = markiert ? 1 : 0;
    const QModelIndex mi = createIndex(index, 0);
    emit dataChanged(mi, mi, {Qt::CheckStateRole});
    emit geklickt();
}

void FotoListe::setMarken(const std::vector<char> &marken)
{
    if (marken.size() != m_marken.size() || marken == m_marken)
        return;
    for (size_t i = 0; i < marken.size(); ++i)
        m_marken[i] = marken[i] ? 1 : 0;
    if (anzahl() > 0)
        emit dataChanged(createIndex(0, 0), createIndex(anzahl() - 1, 0), {Qt::CheckStateRole});
    emit geklickt();
}

void FotoListe::setAktuell(int index)
{
    if (index < -1 || index >= anzahl() || index == m_aktuell)
        return;
    m_aktuell = index;
    emit aktuellGeaendert(index);
    emit geklickt();
}

int FotoListe::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : anzahl();
}

QVariant FotoListe::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= anzahl())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_pfade.at(index.row());
    case Qt::CheckStateRole:
        return markiert(index.row()) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool FotoListe::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    setMarkiert(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags FotoListe::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

} // namespace mirbelon
