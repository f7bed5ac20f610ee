#pragma once

#include <QByteArray>
#include <QString>

namespace mirbelon {

// How an ini file is spelled on disk. The family writes Windows-1252; Windows
// editors and the Windows profile functions also write UTF-16LE with a byte
// order mark, and some editors UTF-8 with one. A file keeps its spelling.
enum class ProfileEncoding { Ansi, Utf8Bom, Utf16LeBom };

struct ProfileText
{
    QString text; // without the byte order mark
    ProfileEncoding encoding = ProfileEncoding::Ansi;
};

ProfileText decodeProfile(const QByteArray &bytes);
QByteArray encodeProfile(const QString &text, ProfileEncoding encoding);

} // namespace mirbelon
