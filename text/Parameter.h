#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace mirbelon {

// The command-line argument list: up to 255 arguments, numbered from 1.
class Parameter
{
public:
    static constexpr int kMax = 255;

    // Splits `kommandozeile` at the separator characters (default: blank "/"
    // "," ";" "|" tab LF CR), keeping quoted parts together; returns the count.
    int ParameterZerlegen(const QString &kommandozeile, const QString &trenner = QString());
    // The rest of the last argument that begins with `name` (ignoring case).
    QString ParameterWert(const QString &name) const;

    int anzahl() const { return m_anzahl; }
    QString argument(int nummer) const; // 1-based

private:
    std::array<QString, kMax + 1> m_argumente;
    int m_anzahl = 0;
};

// The command line as one text, as Windows hands it to a program, from the
// arguments the shell split: an argument with a separator in it is quoted
// again, from behind its first "=" (/OrdnerDat="C:\Foto daten"), else
// whole (a switch behind its "/").
QString Kommandozeile(const QStringList &argumente);

} // namespace mirbelon
