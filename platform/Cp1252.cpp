#include "platform/Cp1252.h"

namespace mirbelon {

namespace {

// Bytes 0x80-0x9F. The five bytes that Windows-1252 leaves undefined map to
// the C1 control of the same value, as MultiByteToWideChar does.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr unsigned char kUnknown = '?';

} // namespace

unsigned char cp1252Code(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return static_cast<unsigned char>(0x80 + i);
    }
    return kUnknown;
}

QByteArray toCp1252(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    const QChar *in = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = in[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *out++ = static_cast<char>(u);
            continue;
        }
        const QChar c = in[i];
        // A character beyond the basic plane is one character, so one "?".
        if (c.isHighSurrogate() && i + 1 < n && in[i + 1].isLowSurrogate())
            ++i;
        *out++ = static_cast<char>(cp1252Code(c));
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

QString fromCp1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = (u >= 0x80 && u < 0xA0) ? QChar(kHigh[u - 0x80]) : QChar(u);
    }
    return text;
}

} // namespace mirbelon
