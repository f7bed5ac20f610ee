#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace mirbelon {

// One word for /bin/sh: the text in single quotes, inner quotes escaped, so
// that no file name can become a command.
QString shellQuote(const QString &word);
// The same for a host name in its own bytes, which need not be UTF-8.
QByteArray shellQuote(const QByteArray &word);

// A /bin/sh script put together from text that is shell syntax and values
// that must never be: a value is not written into the script at all but
// passed as a positional parameter, and the script refers to it as fits the
// quoting at its place (outside quotes, in double or in single quotes).
// Whatever the value holds, it stays the text of its word.
class ShellSkript
{
public:
    void text(const QString &syntax);
    void wert(const QString &wert);

    const QString &skript() const { return m_skript; }
    // The arguments for /bin/sh that run the script with its values.
    QStringList shArgumente() const;

private:
    enum class Zustand { Frei, Kommentar, Einfach, Doppelt };
    Zustand m_zustand = Zustand::Frei;
    bool m_maskiert = false; // a "\" waits for the next character
    QString m_skript;
    QStringList m_werte;
};

} // namespace mirbelon
