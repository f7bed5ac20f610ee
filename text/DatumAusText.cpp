#include "text/DatumAusText.h"

#include <QRegularExpression>

namespace mirbelon {

namespace {
constexpr int kJahrhundertGrenze = 30;

int Jahr(const QString &text)
{
    const int jahr = text.toInt();
    if (text.size() > 2)
        return jahr;
    return jahr < kJahrhundertGrenze ? 2000 + jahr : 1900 + jahr;
}
} // namespace

std::optional<QDateTime> DatumAusText(const QString &text)
{
    static const QRegularExpression muster(QStringLiteral(
        "^(?:(\\d{4})-(\\d{1,2})-(\\d{1,2})|(\\d{1,2})([./-])(\\d{1,2})\\5(\\d{4}|\\d{2}))"
        "(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?$"));
    const QRegularExpressionMatch treffer = muster.match(text.trimmed());
    if (!treffer.hasMatch())
        return std::nullopt;

    QDate datum;
    if (!treffer.captured(1).isEmpty())
        datum = QDate(
            treffer.captured(1).toInt(), treffer.captured(2).toInt(), treffer.captured(3).toInt());
    else
        datum = QDate(
            Jahr(treffer.captured(7)), treffer.captured(6).toInt(), treffer.captured(4).toInt());
    const QTime zeit(
        treffer.captured(8).toInt(), treffer.captured(9).toInt(), treffer.captured(10).toInt());
    if (!datum.isValid() || !zeit.isValid())
        return std::nullopt;
    return QDateTime(datum, zeit);
}

} // namespace mirbelon
