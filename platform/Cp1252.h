#pragma once

#include <QByteArray>
#include <QString>

namespace mirbelon {

// Windows-1252, the code page of the family's ini files on Windows.
// Characters outside it are written as "?".
QByteArray toCp1252(const QString &text);
QString fromCp1252(const QByteArray &bytes);
// The byte value of one character in Windows-1252 ('?' = 63 when not representable).
unsigned char cp1252Code(QChar c);

} // namespace mirbelon
