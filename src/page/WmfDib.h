// Device-independent bitmaps inside metafile records, decoded defensively: sizes, colour tables
// and row data are checked against the bytes present before anything is allocated.
#pragma once

#include <QByteArrayView>
#include <QImage>

namespace tv::page {

/// Decodes an uncompressed DIB (info or core header, 1/4/8/16/24/32 bits); null when damaged.
QImage decodeDib(QByteArrayView dib);

} // namespace tv::page
