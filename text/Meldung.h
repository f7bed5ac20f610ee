#pragma once

#include <QDate>
#include <QString>

namespace mirbelon {

// Prepares a German message: "~" line breaks (CRLF), "^t" tabs, "{datum}",
// pairs of "´" and of "`" as »…«, at most two line breaks in a row.
QString MeldungsText(const QString &text, const QDate &heute = QDate::currentDate());

} // namespace mirbelon
