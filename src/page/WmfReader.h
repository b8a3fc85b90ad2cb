// Reads a 16-bit Windows metafile (placeable or not) into a WmfPicture of PageOps. Unknown
// records are skipped; damaged input gives an error or a shorter picture, never a crash.
#pragma once

#include "page/PageOp.h"

#include <QByteArrayView>
#include <QString>

namespace tv::page {

struct WmfReadResult {
    std::shared_ptr<const WmfPicture> picture; ///< null on error
    QString error;
};

WmfReadResult readWmf(QByteArrayView bytes);
WmfReadResult readWmfFile(const QString& path);

} // namespace tv::page
