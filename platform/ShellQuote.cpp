#include "platform/ShellQuote.h"

namespace mirbelon {

QString shellQuote(const QString &word)
{
    return QString::fromUtf8(shellQuote(word.toUtf8()));
}

QByteArray shellQuote(const QByteArray &word)
{
    QByteArray out = word;
    out.replace('\'', "'\\''");
    return '\'' + out + '\'';
}

void ShellSkript::text(const QString &syntax)
{
    for (const QChar c : syntax) {
        const QChar vorher = m_skript.isEmpty() ? QLatin1Char(' ') : m_skript.back();
        m_skript += c;
        if (m_maskiert) {
            m_maskiert = false;
            continue;
        }
        switch (m_zustand) {
        case Zustand::Frei:
            if (c == QLatin1Char('\\'))
                m_maskiert = true;
            else if (c == QLatin1Char('\''))
                m_zustand = Zustand::Einfach;
            else if (c == QLatin1Char('"'))
                m_zustand = Zustand::Doppelt;
            else if (c == QLatin1Char('#') && (vorher.isSpace() || QStringLiteral(";&|()<>").contains(vorher)))
                m_zustand = Zustand::Kommentar;
            break;
        case Zustand::Kommentar:
            if (c == QLatin1Char('\n'))
                m_zustand = Zustand::Frei;
            break;
        case Zustand::Einfach:
            if (c == QLatin1Char('\''))
                m_zustand = Zustand::Frei;
            break;
        case Zustand::Doppelt:
            if (c == QLatin1Char('\\'))
                m_maskiert = true;
            else if (c == QLatin1Char('"'))
                m_zustand = Zustand::Frei;
            break;
        }
    }
}

void ShellSkript::wert(const QString &wert)
{
    m_werte << wert;
    const QString verweis = QStringLiteral("${%1}").arg(m_werte.size());
    // A pending "\" is used up as a line continuation, not on our quote.
    if (m_maskiert) {
        m_skript += QLatin1Char('\n');
        m_maskiert = false;
    }
    // The reference is built of quotes, "$", braces and digits only: even
    // where the quoting was judged wrongly it can never run anything.
    switch (m_zustand) {
    case Zustand::Frei:
    case Zustand::Kommentar:
        m_skript += QLatin1Char('"') + verweis + QLatin1Char('"');
        break;
    case Zustand::Doppelt:
        m_skript += verweis;
        break;
    case Zustand::Einfach:
        m_skript += QStringLiteral("'\"") + verweis + QStringLiteral("\"'");
        break;
    }
}

QStringList ShellSkript::shArgumente() const
{
    return QStringList{QStringLiteral("-c"), m_skript, QStringLiteral("mirbelon")} + m_werte;
}

} // namespace mirbelon
