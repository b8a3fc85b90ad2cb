// The encodings of a stored page script: Base64 (76 characters a line) of the UU encoding of the
// text's bytes. Decoding accepts exactly the forms the encoder writes, so a damaged stored script
// is reported instead of being run as garbage.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tv::render {

enum class Encoding { None, QuotedPrintable, Base64, UU };

/// "QP", "64" and "UE" name an encoding; any other code copies the bytes.
Encoding encodingMethodOf(const QString& code);

/// Lines of up to 57 bytes: a length character, 4 characters per 3 bytes (6-bit value + 32, a zero
/// value as "`"), CR LF; then a line holding only "`".
QByteArray uuEncode(const QByteArray& bytes);
std::optional<QByteArray> uuDecode(const QByteArray& text);

/// Standard alphabet with "=" padding, 76 characters a line, CR LF between lines.
QByteArray base64Lines(const QByteArray& bytes);
std::optional<QByteArray> base64LinesDecode(const QByteArray& text);

QByteArray encodeStoredScript(const QByteArray& plain);
/// nullopt when the text is not exactly in the stored form.
std::optional<QByteArray> decodeStoredScript(const QByteArray& stored);

} // namespace tv::render
