#include "remote/FormEncoding.h"

#include "remote/HexDigits.h"

#include <cstring>

namespace tv::remote {

namespace {

bool needsEscape(unsigned char b)
{
    // strchr would also find the terminator: a NUL byte is no special character
    return b >= 0x80 || (b != 0 && std::strchr("+&*%<>#{}|\\^~[]'?!=/:$\"", b) != nullptr);
}

bool unescape(QByteArrayView text, QByteArray* out)
{
    out->clear();
    out->reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out->append(' ');
        } else if (c == '%') {
            const int hi = i + 2 < text.size() ? hex::value(text[i + 1]) : -1;
            const int lo = hi >= 0 ? hex::value(text[i + 2]) : -1;
            if (lo < 0)
                return false;
            out->append(char(hi * 16 + lo));
            i += 2;
        } else {
            out->append(c);
        }
    }
    return true;
}

} // namespace

QByteArray formEscape(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == ' ') {
            out.append('+');
        } else if (needsEscape(b)) {
            out.append('%');
            out.append(hex::kDigits[b >> 4]);
            out.append(hex::kDigits[b & 15]);
        } else {
            out.append(c);
        }
    }
    return out;
}

QByteArray formEncode(const QList<FormField>& fields)
{
    QByteArray out;
    for (const FormField& f : fields) {
        if (!out.isEmpty())
            out.append('&');
        out.append(formEscape(f.name));
        out.append('=');
        out.append(formEscape(f.value));
    }
    return out;
}

FormDecodeResult formDecode(const QByteArray& body)
{
    FormDecodeResult result;
    if (body.isEmpty()) {
        result.ok = true;
        return result;
    }
    qsizetype start = 0;
    while (start <= body.size()) {
        qsizetype end = body.indexOf('&', start);
        if (end < 0)
            end = body.size();
        const QByteArrayView pair = QByteArrayView(body).sliced(start, end - start);
        start = end + 1;
        const qsizetype eq = pair.indexOf('=');
        FormField field;
        if (!unescape(eq < 0 ? pair : pair.first(eq), &field.name) ||
            !unescape(eq < 0 ? QByteArrayView() : pair.sliced(eq + 1), &field.value)) {
            result.message = QStringLiteral("field %1 has a bad %-escape").arg(result.fields.size() + 1);
            result.fields.clear();
            return result;
        }
        result.fields.append(field);
    }
    result.ok = true;
    return result;
}

} // namespace tv::remote
