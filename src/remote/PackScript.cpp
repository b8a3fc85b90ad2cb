#include "remote/PackScript.h"

#include "remote/Gzip.h"
#include "remote/HexDigits.h"

namespace tv::remote {

QByteArray quotedPrintableEncode(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 2);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            out.append("\r\n", 2);
            ++i;
        } else if (b >= 32 && b <= 126 && b != '=') {
            out.append(char(b));
        } else {
            out.append('=');
            out.append(hex::kDigits[b >> 4]);
            out.append(hex::kDigits[b & 15]);
        }
    }
    return out;
}

UnpackResult quotedPrintableDecode(const QByteArray& text)
{
    UnpackResult result;
    QByteArray& out = result.data;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out.append(text[i]);
            continue;
        }
        const int hi = i + 2 < text.size() ? hex::value(text[i + 1]) : -1;
        const int lo = hi >= 0 ? hex::value(text[i + 2]) : -1;
        if (lo < 0) {
            result.data.clear();
            result.message = QStringLiteral("bad quoted-printable escape at byte %1").arg(i);
            return result;
        }
        out.append(char(hi * 16 + lo));
        i += 2;
    }
    result.ok = true;
    return result;
}

QByteArray packScript(const QByteArray& script)
{
    return quotedPrintableEncode(gzipCompress(script));
}

UnpackResult unpackScript(const QByteArray& packed)
{
    UnpackResult result = quotedPrintableDecode(packed);
    if (!result.ok)
        return result;
    GunzipResult gz = gzipDecompress(result.data);
    result.ok = gz.ok;
    result.data = gz.ok ? std::move(gz.data) : QByteArray();
    result.message = gz.message;
    return result;
}

} // namespace tv::remote
