#include "text/Cp1252.h"

#include <array>

namespace tv::text {

namespace {

constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char16_t cp1252Char(uint8_t byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t(byte);
}

char cp1252Byte(char16_t c, bool* mapped)
{
    if (mapped) *mapped = true;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return char(0x80 + i);
    if (mapped) *mapped = false;
    return '?';
}

QByteArray toCp1252(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = cp1252Byte(text[i].unicode());
    return out;
}

QString fromCp1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = QChar(cp1252Char(uint8_t(bytes[i])));
    return out;
}

} // namespace tv::text
