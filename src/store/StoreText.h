// The store's text boundary: the database runs with character set NONE and holds report texts
// as single-byte Windows-1252, so every text is encoded on its way in and decoded on its way out
// here and nowhere deeper. Characters Windows-1252 cannot hold become "?".
#pragma once

#include <QByteArray>
#include <QString>

namespace tv::store {

QByteArray encodeStoreText(QStringView text);
QString decodeStoreText(const char* bytes, qsizetype size);
inline QString decodeStoreText(const QByteArray& bytes)
{
    return decodeStoreText(bytes.constData(), bytes.size());
}

} // namespace tv::store
