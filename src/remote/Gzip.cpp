#include "remote/Gzip.h"

#include <zlib.h>

namespace tv::remote {

namespace {

constexpr int kGzipWindowBits = 15 + 16; // 16 selects the gzip wrapper
constexpr qsizetype kChunk = 256 * 1024;
constexpr uInt kMaxAvail = 1u << 30; // avail_in/avail_out are 32-bit

constexpr qsizetype kMaxRatio = 1032; // deflate never expands data more than this

/// The last member's trailer holds its size mod 2^32: a good first guess of the output size.
qsizetype sizeHint(const QByteArray& gzip)
{
    if (gzip.size() < 4)
        return 0;
    const auto* tail = reinterpret_cast<const uchar*>(gzip.constData() + gzip.size() - 4);
    return qsizetype(quint32(tail[0]) | quint32(tail[1]) << 8 | quint32(tail[2]) << 16 | quint32(tail[3]) << 24);
}

} // namespace

QByteArray gzipCompress(const QByteArray& data)
{
    z_stream zs{};
    if (deflateInit2(&zs, Z_BEST_SPEED, Z_DEFLATED, kGzipWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        qFatal("deflateInit2 failed");
    QByteArray out;
    out.resize(qsizetype(deflateBound(&zs, uLong(data.size()))) + 64);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    qsizetype inLeft = data.size();
    qsizetype written = 0;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        if (written == out.size())
            out.resize(out.size() * 2);
        const uInt inNow = uInt(qMin<qsizetype>(inLeft, kMaxAvail));
        zs.avail_in = inNow;
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + written);
        zs.avail_out = uInt(qMin<qsizetype>(out.size() - written, kMaxAvail));
        const uInt outBefore = zs.avail_out;
        rc = deflate(&zs, inLeft == qsizetype(inNow) ? Z_FINISH : Z_NO_FLUSH);
        inLeft -= qsizetype(inNow - zs.avail_in);
        written += qsizetype(outBefore - zs.avail_out);
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
            qFatal("deflate failed: %d", rc);
    }
    deflateEnd(&zs);
    out.truncate(written);
    return out;
}

GunzipResult gzipDecompress(const QByteArray& gzip)
{
    GunzipResult result;
    if (gzip.isEmpty()) {
        result.message = QStringLiteral("empty input is not gzip");
        return result;
    }
    z_stream zs{};
    if (inflateInit2(&zs, kGzipWindowBits) != Z_OK) {
        result.message = QStringLiteral("inflateInit2 failed");
        return result;
    }
    QByteArray& out = result.data;
    out.resize(qBound(kChunk, sizeHint(gzip) + 1, qMax(kChunk, gzip.size() * kMaxRatio)));
    qsizetype written = 0;
    qsizetype consumed = 0;
    bool memberOpen = true;
    while (true) {
        if (written == out.size())
            out.resize(out.size() * 2);
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gzip.constData() + consumed));
        zs.avail_in = uInt(qMin<qsizetype>(gzip.size() - consumed, kMaxAvail));
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + written);
        zs.avail_out = uInt(qMin<qsizetype>(out.size() - written, kMaxAvail));
        const uInt inBefore = zs.avail_in;
        const uInt outBefore = zs.avail_out;
        const int rc = inflate(&zs, Z_NO_FLUSH);
        consumed += qsizetype(inBefore - zs.avail_in);
        written += qsizetype(outBefore - zs.avail_out);
        if (rc == Z_STREAM_END) {
            memberOpen = false;
            if (consumed == gzip.size())
                break;
            inflateReset(&zs);
            memberOpen = true;
            continue;
        }
        if (rc == Z_OK)
            continue;
        if (rc == Z_BUF_ERROR && zs.avail_out == 0)
            continue; // output full: grow and go on
        if (rc == Z_BUF_ERROR && consumed == gzip.size())
            break; // input ended inside a member
        result.message = QStringLiteral("not gzip data: %1").arg(QString::fromLatin1(zs.msg ? zs.msg : "error"));
        inflateEnd(&zs);
        result.data.clear();
        return result;
    }
    inflateEnd(&zs);
    if (memberOpen) {
        result.message = QStringLiteral("gzip data is truncated");
        result.data.clear();
        return result;
    }
    out.truncate(written);
    result.ok = true;
    return result;
}

} // namespace tv::remote
