#pragma once

#include <QByteArray>

namespace mirbelon {

// A file mapped read-only into memory, for the decoders and exiv2. A page
// that can no longer be read - the card pulled, the file cut short by another
// program - reads as zeros instead of ending the program with SIGBUS;
// beschaedigt() then says that what was read from it is not the file.
class DateiAbbild
{
public:
    explicit DateiAbbild(const QByteArray &hostPfad);
    ~DateiAbbild();
    DateiAbbild(const DateiAbbild &) = delete;
    DateiAbbild &operator=(const DateiAbbild &) = delete;

    // The whole file, empty when it cannot be opened or is empty.
    // Valid while this lives.
    QByteArray daten() const { return m_daten; }
    bool beschaedigt() const;

private:
    QByteArray m_daten;
    void *m_anfang = nullptr;
    size_t m_laenge = 0;
    int m_platz = -1; // in the table of watched mappings, -1 for none
};

} // namespace mirbelon
