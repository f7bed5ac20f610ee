#pragma once

#include "platform/FileSystem.h"

#include <QAbstractListModel>
#include <QStringList>

#include <vector>

namespace mirbelon {

// The photo list ListBilder: full program paths, sorted by the user's locale
// without regard to case, one mark per entry and a current entry (-1 for
// none). Each entry keeps the host file it was found as: the text may name
// several files, or none. It is the one model of the photos on the source.
// Changing the current entry or a mark, by the user or by code, emits
// geklickt() (the list's click reaction).
class FotoListe : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit FotoListe(QObject *parent = nullptr);

    int anzahl() const { return static_cast<int>(m_pfade.size()); }
    const QStringList &pfade() const { return m_pfade; }
    QString pfad(int index) const;
    // The file behind an entry; every operation on the photo goes through it.
    FileRef datei(int index) const;
    const QList<FileRef> &dateien() const { return m_dateien; }
    bool markiert(int index) const;
    int anzahlMarkiert() const;
    std::vector<char> marken() const { return m_marken; }

    int aktuell() const { return m_aktuell; }
    QString aktuellerPfad() const { return pfad(m_aktuell); }
    FileRef aktuelleDatei() const { return datei(m_aktuell); }

    // While hidden, the click reaction does nothing (bulk mark changes).
    bool versteckt() const { return m_versteckt; }
    void setVersteckt(bool versteckt);

    // Replace all entries; they are sorted here, all unmarked, none current.
    void setDateien(QList<FileRef> dateien);
    void setPfade(const QStringList &pfade); // files found by their paths
    void leeren() { setDateien({}); }

    void setMarkiert(int index, bool markiert);
    // One change for many marks: marken.size() must equal anzahl().
    void setMarken(const std::vector<char> &marken);
    void setAktuell(int index);
    // Runs the click reaction without a change (redraw of the preview).
    void klicken() { emit geklickt(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void geklickt();
    void aktuellGeaendert(int index);

private:
    QStringList m_pfade;
    QList<FileRef> m_dateien; // beside m_pfade, entry for entry
    std::vector<char> m_marken;
    int m_aktuell = -1;
    bool m_versteckt = false;
};

} // namespace mirbelon
