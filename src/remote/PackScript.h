// The packing of a script statement for the laboratory: gzip at the fastest level, then
// quoted-printable without soft line breaks, where only a CR LF pair and the printable bytes
// other than "=" pass unchanged. The unpacking is the exact inverse, for the service side.
#pragma once

#include <QByteArray>
#include <QString>

namespace tv::remote {

QByteArray quotedPrintableEncode(const QByteArray& bytes);

struct UnpackResult {
    bool ok = false;
    QByteArray data;
    QString message;
};

/// "=XX" (either case of hex) becomes the byte; any other byte is itself. A "=" without two hex
/// digits after it is malformed.
UnpackResult quotedPrintableDecode(const QByteArray& text);

/// gzip, then quoted-printable: the text that travels as the script request's SQL field.
QByteArray packScript(const QByteArray& script);

/// quoted-printable decoding, then gzip unpacking.
UnpackResult unpackScript(const QByteArray& packed);

} // namespace tv::remote
