#include "source/DateiTyp.h"

namespace mirbelon {

bool TypPasst(const QString &pfad, const QString &typen)
{
    return typen.toLower().contains(pfad.right(4).toLower());
}

TypPruefer::TypPruefer(const QString &typen)
    : m_klein(typen.toLower())
{
}

bool TypPruefer::passt(const QString &pfad) const
{
    const QStringView ende = QStringView(pfad).right(4);
    char16_t klein[4];
    for (qsizetype i = 0; i < ende.size(); ++i) {
        const char16_t u = ende[i].unicode();
        // Beyond ASCII, lower case may change the length: the general way.
        if (u >= 128)
            return m_klein.contains(pfad.right(4).toLower());
        klein[i] = u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
    }
    return m_klein.contains(QStringView(klein, ende.size()));
}

} // namespace mirbelon
