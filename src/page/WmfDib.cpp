#include "page/WmfDib.h"

#include <QtEndian>
#include <cstdlib>
#include <vector>

namespace tv::page {

namespace {

constexpr qint64 kMaxSide = 16384;
constexpr qint64 kMaxPixels = 32 * 1024 * 1024;

quint32 u32At(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.data() + at);
}

quint16 u16At(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.data() + at);
}

} // namespace

QImage decodeDib(QByteArrayView dib)
{
    if (dib.size() < 12) return {};
    const quint32 headerSize = u32At(dib, 0);
    qint64 width = 0, height = 0;
    int bits = 0;
    quint32 compression = 0, used = 0;
    int entrySize = 4;
    if (headerSize == 12) {
        width = u16At(dib, 4);
        height = qint16(u16At(dib, 6));
        bits = u16At(dib, 10);
        entrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024 && dib.size() >= qsizetype(headerSize)) {
        width = qint32(u32At(dib, 4));
        height = qint32(u32At(dib, 8));
        bits = u16At(dib, 14);
        compression = u32At(dib, 16);
        used = u32At(dib, 32);
    } else {
        return {};
    }
    const bool topDown = height < 0;
    height = std::llabs(height);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) return {};
    if (compression != 0 && !(compression == 3 && (bits == 16 || bits == 32))) return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return {};

    qsizetype at = headerSize;
    if (compression == 3 && headerSize == 40)
        at += 12; // the three colour masks follow the header; 5-5-5 and 8-8-8 are assumed below
    std::vector<QRgb> table;
    if (bits <= 8) {
        const qint64 count = used ? std::min<qint64>(used, 256) : (1 << bits);
        if (at + count * entrySize > dib.size()) return {};
        for (qint64 i = 0; i < count; ++i) {
            const auto* e = reinterpret_cast<const uchar*>(dib.data() + at + i * entrySize);
            table.push_back(qRgb(e[2], e[1], e[0]));
        }
        at += count * entrySize;
    }
    const qint64 stride = ((width * bits + 31) / 32) * 4;
    if (at + stride * height > dib.size()) return {};

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (qint64 row = 0; row < height; ++row) {
        const auto* src = reinterpret_cast<const uchar*>(dib.data() + at + row * stride);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(int(topDown ? row : height - 1 - row)));
        for (qint64 x = 0; x < width; ++x) {
            switch (bits) {
            case 1:
            case 4:
            case 8: {
                const qint64 bit = x * bits;
                const int index = (src[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
                dst[x] = index < int(table.size()) ? table[size_t(index)] : qRgb(0, 0, 0);
                break;
            }
            case 16: {
                const quint16 v = quint16(src[2 * x] | src[2 * x + 1] << 8);
                dst[x] = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
                break;
            }
            case 24:
                dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            default:
                dst[x] = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
                break;
            }
        }
    }
    return image;
}

} // namespace tv::page
