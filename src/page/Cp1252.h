// Windows-1252, the single-byte text of metafiles and report data: Latin-1 plus 27 printable
// characters in 0x80..0x9F. Characters outside it become "?".
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tv::page {

QByteArray toCp1252(const QString& text);
QString fromCp1252(QByteArrayView bytes);

} // namespace tv::page
