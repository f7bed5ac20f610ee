#include "platform/ShellQuote.h"

namespace mirbelon {

QString shellQuote(const QString &word)
{
    QString out;
    out.reserve(word.size() + 2);
    out += QLatin1Char('\'');
    for (const QChar c : word) {
        if (c == QLatin1Char('\''))
            out += QLatin1String("'\\''");
        else
            out += c;
    }
    out += QLatin1Char('\'');
    return out;
}

} // namespace mirbelon
