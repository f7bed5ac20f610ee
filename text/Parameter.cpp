#include "text/Parameter.h"

#include <algorithm>

namespace mirbelon {

namespace {

bool InAnfuehrung(const QString &text)
{
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
}

QString OhneAnfuehrung(const QString &text)
{
    return InAnfuehrung(text) ? text.mid(1, text.size() - 2) : text;
}

} // namespace

int Parameter::ParameterZerlegen(const QString &kommandozeile, const QString &trenner)
{
    for (QString &argument : m_argumente)
        argument.clear();
    m_anzahl = 0;

    const QString zeichen = trenner.isEmpty() ? QStringLiteral(" /,;|\t\n\r") : trenner;
    // The closing separator ends the last argument like every other one.
    const QString zeile = kommandozeile + zeichen.at(0);

    qsizetype anfang = 0;
    bool zitat = false;
    for (qsizetype i = 0; i < zeile.size(); ++i) {
        const QChar c = zeile.at(i);
        if (c == QLatin1Char('"')) {
            zitat = !zitat;
            continue;
        }
        if (zitat || !zeichen.contains(c))
            continue;
        if (i > anfang) {
            // Beyond the last slot every further argument overwrites it.
            if (m_anzahl < kMax)
                ++m_anzahl;
            m_argumente[m_anzahl] = OhneAnfuehrung(zeile.mid(anfang, i - anfang));
        }
        anfang = i + 1;
    }
    return m_anzahl;
}

QString Parameter::ParameterWert(const QString &name) const
{
    QString wert;
    for (int i = 1; i <= m_anzahl; ++i) {
        if (m_argumente[i].startsWith(name, Qt::CaseInsensitive))
            wert = m_argumente[i].mid(name.size());
    }
    return OhneAnfuehrung(wert);
}

QString Kommandozeile(const QStringList &argumente)
{
    const QString trenner = QStringLiteral(" ,;|\t");
    QStringList teile;
    for (const QString &a : argumente) {
        const bool zitieren = !a.contains(QLatin1Char('"'))
                              && std::any_of(a.cbegin(), a.cend(),
                                             [&](QChar c) { return trenner.contains(c); });
        // Only the value is quoted, so that a switch still reads as
        // "/ordnerdat=" to whoever looks for it in the whole line.
        const qsizetype gleich = a.indexOf(QLatin1Char('='));
        const qsizetype vorn = gleich >= 0 ? gleich + 1 : (a.startsWith(QLatin1Char('/')) ? 1 : 0);
        teile << (zitieren ? a.left(vorn) + QLatin1Char('"') + a.mid(vorn) + QLatin1Char('"') : a);
    }
    return teile.join(QLatin1Char(' '));
}

QString Parameter::argument(int nummer) const
{
    return nummer >= 1 && nummer <= m_anzahl ? m_argumente[nummer] : QString();
}

} // namespace mirbelon
