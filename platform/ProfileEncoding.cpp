#include "platform/ProfileEncoding.h"

#include "platform/Cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace mirbelon {

namespace {
const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LeBom("\xFF\xFE", 2);
} // namespace

ProfileText decodeProfile(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf16LeBom)) {
        QStringDecoder utf16(QStringDecoder::Utf16LE);
        return {utf16(bytes.sliced(kUtf16LeBom.size())), ProfileEncoding::Utf16LeBom};
    }
    if (bytes.startsWith(kUtf8Bom))
        return {QString::fromUtf8(bytes.sliced(kUtf8Bom.size())), ProfileEncoding::Utf8Bom};
    return {fromCp1252(bytes), ProfileEncoding::Ansi};
}

QByteArray encodeProfile(const QString &text, ProfileEncoding encoding)
{
    switch (encoding) {
    case ProfileEncoding::Utf16LeBom: {
        QStringEncoder utf16(QStringEncoder::Utf16LE);
        return kUtf16LeBom + QByteArray(utf16(text));
    }
    case ProfileEncoding::Utf8Bom:
        return kUtf8Bom + text.toUtf8();
    case ProfileEncoding::Ansi:
        break;
    }
    return toCp1252(text);
}

} // namespace mirbelon
