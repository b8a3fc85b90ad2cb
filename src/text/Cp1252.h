// Windows-1252, the single-byte text of the store, the laboratory's wire, metafiles, INI and
// report files: Latin-1 plus 27 characters in 0x80..0x9F. The five codes Windows leaves unassigned
// read as the C1 control of the same number, so any byte read comes back unchanged when written;
// a character the code page cannot hold is written as "?".
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tv::text {

char16_t cp1252Char(uint8_t byte);
/// The byte of `c`, or "?" with `mapped` set false when the code page has none.
char cp1252Byte(char16_t c, bool* mapped = nullptr);

QByteArray toCp1252(QStringView text);
QString fromCp1252(QByteArrayView bytes);

} // namespace tv::text
