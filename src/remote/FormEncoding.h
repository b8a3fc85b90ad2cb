// HTML form bodies (application/x-www-form-urlencoded) as the laboratory link writes them, and
// the single-byte Windows-1252 character set their texts travel in. The encoder escapes exactly
// the laboratory's list of special bytes; the decoder is its inverse for the service side.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tv::remote {

struct FormField {
    QByteArray name;
    QByteArray value;
    friend bool operator==(const FormField&, const FormField&) = default;
};

/// Escapes one name or value: + & * % < > # { } | \ ^ ~ [ ] ' ? ! = / : $ " and bytes from 0x80 as
/// %XX (upper-case hex), a space as "+", every other byte (control bytes too) unchanged.
QByteArray formEscape(const QByteArray& bytes);

/// name=value pairs joined by "&" in the given order.
QByteArray formEncode(const QList<FormField>& fields);

struct FormDecodeResult {
    bool ok = false;
    QList<FormField> fields; ///< in body order; an empty body has none
    QString message;
};

/// Splits a form body at "&" and the first "=" of each pair, then undoes "+" and %XX.
/// A "%" not followed by two hex digits makes the body malformed.
FormDecodeResult formDecode(const QByteArray& body);

} // namespace tv::remote
