// gzip (RFC 1952) in memory with zlib: the packing of answer tables and scripts on the wire.
// Compression uses the fastest level; decompression reads every member of a multi-member stream
// and treats input that stops before a member's end as an error, never as a shorter answer.
#pragma once

#include <QByteArray>
#include <QString>

namespace tv::remote {

struct GunzipResult {
    bool ok = false;
    QByteArray data;
    QString message; ///< why the input is not a complete gzip stream
};

/// Compresses `data` into one gzip member at the fastest level.
QByteArray gzipCompress(const QByteArray& data);

/// Unpacks a gzip stream of one or more members; an empty input is an error.
GunzipResult gzipDecompress(const QByteArray& gzip);

} // namespace tv::remote
