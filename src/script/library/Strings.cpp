// String functions that take a string apart or build one: character codes, case, lengths,
// trimming, substrings, repetition, comparison and the URL-style Escape/Unescape.
// A Null argument gives Null where the language says so; lengths and positions below range are error 5.

#include "script/library/Args.h"
#include "script/library/Modules.h"
#include "text/Cp1252.h"

namespace tv::script::lib {

namespace {

QString str(const Variant& v) { return v.toString(); }

Variant asc(Context&, Args a)
{
    const QString s = str(a[0]);
    if (s.isEmpty())
        raise(5);
    return Variant::fromInteger(int16_t(uint8_t(text::cp1252Byte(s[0].unicode()))));
}

Variant ascW(Context&, Args a)
{
    const QString s = str(a[0]);
    if (s.isEmpty())
        raise(5);
    return Variant::fromInteger(int16_t(s[0].unicode()));
}

Variant ascB(Context&, Args a)
{
    const QString s = str(a[0]);
    if (s.isEmpty())
        raise(5);
    return Variant::fromInteger(int16_t(s[0].unicode() & 0xFF));
}

Variant chr(Context&, Args a)
{
    const int32_t code = a[0].toLong();
    if (code < 0 || code > 255)
        raise(5);
    return Variant(QString(QChar(text::cp1252Char(uint8_t(code)))));
}

Variant chrW(Context&, Args a)
{
    const int32_t code = a[0].toLong();
    if (code < -32768 || code > 65535)
        raise(5);
    return Variant(QString(QChar(char16_t(code & 0xFFFF))));
}

Variant lCase(Context&, Args a) { return a[0].isNull() ? Variant::null() : Variant(str(a[0]).toLower()); }
Variant uCase(Context&, Args a) { return a[0].isNull() ? Variant::null() : Variant(str(a[0]).toUpper()); }

Variant len(Context&, Args a)
{
    return a[0].isNull() ? Variant::null() : Variant::fromLong(int32_t(str(a[0]).size()));
}

// Trimming removes blanks only, never tabs or line breaks.
Variant trimmed(Args a, bool left, bool right)
{
    if (a[0].isNull())
        return Variant::null();
    const QString s = str(a[0]);
    qsizetype from = 0;
    qsizetype to = s.size();
    while (left && from < to && s[from] == u' ')
        ++from;
    while (right && to > from && s[to - 1] == u' ')
        --to;
    return Variant(from == 0 && to == s.size() ? s : s.mid(from, to - from));
}

Variant lTrim(Context&, Args a) { return trimmed(a, true, false); }
Variant rTrim(Context&, Args a) { return trimmed(a, false, true); }
Variant trim(Context&, Args a) { return trimmed(a, true, true); }

int32_t lengthArg(const Variant& v)
{
    const int32_t n = v.toLong();
    if (n < 0)
        raise(5);
    return n;
}

Variant left(Context&, Args a)
{
    const int32_t n = lengthArg(a[1]);
    return a[0].isNull() ? Variant::null() : Variant(str(a[0]).left(n));
}

Variant right(Context&, Args a)
{
    const int32_t n = lengthArg(a[1]);
    return a[0].isNull() ? Variant::null() : Variant(str(a[0]).right(n));
}

Variant mid(Context&, Args a)
{
    const int32_t start = a[1].toLong();
    if (start < 1)
        raise(5);
    const int32_t count = missing(a, 2) ? -1 : lengthArg(a[2]);
    if (a[0].isNull())
        return Variant::null();
    const QString s = str(a[0]);
    if (start > s.size())
        return Variant(QString());
    return Variant(count < 0 ? s.mid(start - 1) : s.mid(start - 1, count));
}

Variant space(Context& cx, Args a)
{
    const int32_t n = lengthArg(a[0]);
    checkLength(n);
    cx.checkTime();
    return Variant(QString(n, u' '));
}

Variant string(Context& cx, Args a)
{
    const int32_t n = lengthArg(a[0]);
    if (a[1].isNull())
        return Variant::null();
    QChar c;
    if (a[1].isString()) {
        if (a[1].rawString().isEmpty())
            raise(5);
        c = a[1].rawString()[0];
    } else {
        c = QChar(text::cp1252Char(uint8_t(a[1].toLong() & 0xFF)));
    }
    checkLength(n);
    cx.checkTime();
    return Variant(QString(n, c));
}

Variant strReverse(Context&, Args a)
{
    QString s = str(a[0]);
    std::reverse(s.begin(), s.end());
    return Variant(s);
}

Variant strComp(Context&, Args a)
{
    const bool text = textCompareArg(a, 2);
    if (a[0].isNull() || a[1].isNull())
        return Variant::null();
    const int c = QString::compare(str(a[0]), str(a[1]), text ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return Variant::fromInteger(int16_t(c < 0 ? -1 : c > 0 ? 1 : 0));
}

// Escape leaves letters, digits and @*_+-./ alone; other characters below 256 become %XX and
// the rest %uXXXX. Unescape reverses both forms and leaves malformed sequences as they are.
Variant escape(Context&, Args a)
{
    if (a[0].isNull())
        return Variant::null();
    const QString s = str(a[0]);
    static const QString kPlain = QStringLiteral("@*_+-./");
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if ((u < 128 && (c.isLetterOrNumber() || kPlain.contains(c))))
            out += c;
        else if (u < 256)
            out += u'%' + QString::number(u, 16).toUpper().rightJustified(2, u'0');
        else
            out += QStringLiteral("%u") + QString::number(u, 16).toUpper().rightJustified(4, u'0');
    }
    return Variant(out);
}

int hexValue(QStringView s)
{
    int v = 0;
    for (QChar c : s) {
        const int d = c.isDigit() ? c.digitValue() : (c.toLower() >= u'a' && c.toLower() <= u'f') ? c.toLower().unicode() - 'a' + 10 : -1;
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

Variant unescape(Context&, Args a)
{
    if (a[0].isNull())
        return Variant::null();
    const QString s = str(a[0]);
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'%') {
            const QStringView rest = QStringView(s).mid(i + 1);
            int v;
            if (rest.size() >= 5 && (rest[0] == u'u' || rest[0] == u'U') && (v = hexValue(rest.mid(1, 4))) >= 0) {
                out += QChar(char16_t(v));
                i += 5;
                continue;
            }
            if (rest.size() >= 2 && (v = hexValue(rest.left(2))) >= 0) {
                out += QChar(char16_t(v));
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return Variant(out);
}

constexpr Builtin kFunctions[] = {
    {"Asc", 1, 1, asc},         {"AscB", 1, 1, ascB},       {"AscW", 1, 1, ascW},
    {"Chr", 1, 1, chr},         {"ChrB", 1, 1, chr},        {"ChrW", 1, 1, chrW},
    {"LCase", 1, 1, lCase},     {"UCase", 1, 1, uCase},     {"Len", 1, 1, len},
    {"LTrim", 1, 1, lTrim},     {"RTrim", 1, 1, rTrim},     {"Trim", 1, 1, trim},
    {"Left", 2, 2, left},       {"Right", 2, 2, right},     {"Mid", 2, 3, mid},
    {"Space", 1, 1, space},     {"String", 2, 2, string},   {"StrReverse", 1, 1, strReverse},
    {"StrComp", 2, 3, strComp}, {"Escape", 1, 1, escape},   {"Unescape", 1, 1, unescape},
};

} // namespace

void registerStrings(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
