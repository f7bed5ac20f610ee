#pragma once

#include "frame/Context.h"
#include "source/Arbeiter.h"

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace mirbelon {

// A photo's safety copy made, flushed and read back on the workers before its
// entry's turn, as Sichern and Pruefen do it there. The window thread fills
// in the order before the start and reads the results once all of it is done.
struct Vorarbeiten
{
    int eintrag = -1;
    QByteArray host;   // the photo
    QString kopie;     // the safety copy, program path
    QString kopieHost;
    qint64 groesse = 0;
    QStringList offen; // copies still to be flushed when it was started
    QString eintraege; // host file of the copies' records, flushed with them
    std::optional<Kopiert> archiv;

    CopyResult sicherung;
    Fehler flushFehler;
    bool sicherungGleich = false;
    bool archivGleich = false;
    bool archiv2Gleich = false; // also when there is no second copy

    std::shared_ptr<Vorarbeit> kopieren;
    std::shared_ptr<Vorarbeit> flushen;
    std::shared_ptr<Vorarbeit> lesenKopie;
    std::shared_ptr<Vorarbeit> lesenArchiv;

    // Lets the window's events run until all of it is done.
    void abwarten() const
    {
        lesenKopie->abwarten();
        lesenArchiv->abwarten();
    }
    // Whether what was found so far lets the read-backs go on.
    bool lesbar() const
    {
        return !sicherung.fehler && !flushFehler
               && (!archiv || (archiv->hash == sicherung.hash && archiv->bytes == sicherung.bytes));
    }
};

// The safety copies of the photos to come, made ahead in list order. Their
// names are kept free for them and recorded before they are made, as one
// write per group that is flushed with the group's copies; a copy never used
// is removed again, and its record.
class Vorlauf
{
public:
    Vorlauf(Context &ctx, const QList<FileRef> &dateien, std::vector<char> zuLoeschen);
    ~Vorlauf();
    Vorlauf(const Vorlauf &) = delete;
    Vorlauf &operator=(const Vorlauf &) = delete;

    // The work for entry `i`, started now when it was not made ahead. None
    // when it cannot be made; eintragFehler() then tells whether its record
    // could not be written.
    std::shared_ptr<Vorarbeiten> nehmen(int i);
    const Fehler &eintragFehler() const { return m_eintragFehler; }
    // Starts the next photos after `i` up to the limits, once half of them
    // are used up, as one group flushed together; not beyond a read-only
    // photo, whose question comes first.
    void auffuellen(int i);
    // The safety copies' names taken by the work made ahead.
    QStringList reserviert() const;
    // The work made ahead for the entries up to `i`, not to be used.
    void verwerfenBis(int i);
    // Waits for work not to be used and removes the copy it made.
    void verwerfen(const std::shared_ptr<Vorarbeiten> &v);

private:
    void sammeln(int i, std::vector<std::shared_ptr<Vorarbeiten>> &neue);
    std::shared_ptr<Vorarbeiten> vorbereiten(int j);
    bool merken(const std::vector<std::shared_ptr<Vorarbeiten>> &neue);

    Context &m_ctx;
    const QList<FileRef> &m_dateien;
    const std::vector<char> m_zuLoeschen;
    std::deque<std::shared_ptr<Vorarbeiten>> m_voraus;
    Fehler m_eintragFehler;
};

// Whether the work made ahead still stands for the photo: its copy was made,
// the card holds what was copied, and the archive copy is the one it read.
bool Brauchbar(const Context &ctx, const Vorarbeiten &v);

// The first name from `nummer` on for a safety copy of `name`: the name
// itself, then name-01.ext, name-02.ext ...; one that no file in the
// temporary folder holds and `belegt` does not list. Empty when none is left.
QString FreierSicherungsName(const Context &ctx, const QString &name, const QStringList &belegt,
                             int &nummer);

} // namespace mirbelon
