#include "render/StoredScript.h"

#include <QList>

namespace tv::render {

namespace {

constexpr int kBytesPerLine = 57;
constexpr int kBase64LineLength = 76;

char uuChar(int value)
{
    return value == 0 ? '`' : char(value + 32);
}

// Only the characters the encoder writes: "`" for zero, then 33 ... 95.
int uuValue(char c)
{
    if (c == '`') return 0;
    if (c > ' ' && c < '`') return c - 32;
    return -1;
}

int uuLineLength(int bytes)
{
    return 1 + bytes / 3 * 4 + (bytes % 3 == 0 ? 0 : bytes % 3 + 1);
}

QList<QByteArray> splitCrLf(const QByteArray& text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (true) {
        const qsizetype end = text.indexOf("\r\n", start);
        if (end < 0) {
            lines.append(text.mid(start));
            return lines;
        }
        lines.append(text.mid(start, end - start));
        start = end + 2;
    }
}

} // namespace

Encoding encodingMethodOf(const QString& code)
{
    if (code == QLatin1String("QP")) return Encoding::QuotedPrintable;
    if (code == QLatin1String("64")) return Encoding::Base64;
    if (code == QLatin1String("UE")) return Encoding::UU;
    return Encoding::None;
}

QByteArray uuEncode(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 4 / 3 + bytes.size() / kBytesPerLine * 3 + 8);
    for (qsizetype start = 0; start < bytes.size(); start += kBytesPerLine) {
        const int count = int(std::min<qsizetype>(kBytesPerLine, bytes.size() - start));
        out.append(uuChar(count));
        for (int i = 0; i < count; i += 3) {
            const int n = std::min(3, count - i);
            const auto b = [&](int k) { return k < n ? uchar(bytes[start + i + k]) : 0; };
            const unsigned group = (b(0) << 16) | (b(1) << 8) | b(2);
            for (int k = 0; k <= n; ++k)
                out.append(uuChar((group >> (18 - 6 * k)) & 0x3F));
        }
        out.append("\r\n");
    }
    out.append("`\r\n");
    return out;
}

std::optional<QByteArray> uuDecode(const QByteArray& text)
{
    QByteArray out;
    for (const QByteArray& line : splitCrLf(text)) {
        const int count = line.isEmpty() ? -1 : uuValue(line[0]);
        if (count <= 0 || line.size() != uuLineLength(count)) break;
        for (int i = 0; i < count; i += 3) {
            const int n = std::min(3, count - i);
            unsigned group = 0;
            for (int k = 0; k <= n; ++k) {
                const int v = uuValue(line[1 + i / 3 * 4 + k]);
                if (v < 0) return std::nullopt;
                group |= unsigned(v) << (18 - 6 * k);
            }
            for (int k = 0; k < n; ++k)
                out.append(char((group >> (16 - 8 * k)) & 0xFF));
        }
    }
    // Exactly the encoder's form: full lines, the closing back-quote line, no stray bits or text.
    if (uuEncode(out) != text) return std::nullopt;
    return out;
}

QByteArray base64Lines(const QByteArray& bytes)
{
    const QByteArray flat = bytes.toBase64();
    QByteArray out;
    out.reserve(flat.size() + flat.size() / kBase64LineLength * 2);
    for (qsizetype i = 0; i < flat.size(); i += kBase64LineLength) {
        if (i > 0) out.append("\r\n");
        out.append(flat.mid(i, kBase64LineLength));
    }
    return out;
}

std::optional<QByteArray> base64LinesDecode(const QByteArray& text)
{
    QByteArray flat = text;
    flat.replace("\r\n", QByteArray());
    auto decoded = QByteArray::fromBase64Encoding(flat, QByteArray::AbortOnBase64DecodingErrors);
    // Exactly the encoder's form: 76-character lines, padding, no line break after the last.
    if (!decoded || base64Lines(decoded.decoded) != text) return std::nullopt;
    return decoded.decoded;
}

QByteArray encodeStoredScript(const QByteArray& plain)
{
    return base64Lines(uuEncode(plain));
}

std::optional<QByteArray> decodeStoredScript(const QByteArray& stored)
{
    const auto uu = base64LinesDecode(stored);
    if (!uu) return std::nullopt;
    return uuDecode(*uu);
}

} // namespace tv::render
