// FormatNumber, FormatCurrency, FormatPercent and FormatDateTime with the fixed US settings:
// "." decimal point, "," groups of three, leading zero, "$" before the number, negative currency in
// parentheses. Numbers round half away from zero on their 15-digit decimal form, as the platform does.

#include "script/library/Args.h"
#include "script/library/DateMath.h"
#include "script/library/Modules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tv::script::lib {

namespace {

// |v| with exactly `places` decimals, rounded half away from zero on its 15 significant digits.
QString fixedDigits(double v, int places)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    // buf: d.dddddddddddddde[+-]xx
    QString digits = QString::fromLatin1(buf, 1) + QString::fromLatin1(buf + 2, 14);
    const int exponent = std::atoi(buf + 17);
    // Position of the decimal point within digits: after exponent + 1 digits.
    int point = exponent + 1;
    if (point < 0) {
        digits.prepend(QString(-point, u'0'));
        point = 0;
    }
    const int keep = point + places;
    if (keep < digits.size()) {
        const bool up = keep >= 0 && digits[keep] >= u'5';
        digits.truncate(std::max(keep, 0));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[i] == u'9')
                digits[i--] = u'0';
            if (i >= 0)
                digits[i] = QChar(digits[i].unicode() + 1);
            else {
                digits.prepend(u'1');
                ++point;
            }
        }
    } else {
        digits += QString(keep - digits.size(), u'0');
    }
    QString whole = digits.left(point);
    while (whole.size() > 1 && whole[0] == u'0')
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    const QString fraction = digits.mid(point, places);
    return whole + (places > 0 ? u'.' + fraction : QString());
}

struct NumberStyle {
    int places = 2;
    bool leadingZero = true;
    bool parentheses = false;
    bool groups = true;
};

// The optional arguments from index i: places (-1 default), then three tristates (-2 default).
NumberStyle styleArgs(Args a, size_t i, bool currency)
{
    NumberStyle s;
    s.parentheses = currency;
    const int32_t places = intArg(a, i, -1);
    if (places < -1 || places > 255)
        raise(5);
    if (places >= 0)
        s.places = places;
    bool* flags[] = {&s.leadingZero, &s.parentheses, &s.groups};
    for (size_t k = 0; k < 3; ++k) {
        const int32_t t = intArg(a, i + 1 + k, -2);
        if (t != -2)
            *flags[k] = t != 0;
    }
    return s;
}

QString formatted(double v, const NumberStyle& s, const QString& prefix, const QString& suffix)
{
    QString text = fixedDigits(v, s.places);
    const bool negative =
        v < 0 && std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    qsizetype point = text.indexOf(u'.');
    if (point < 0)
        point = text.size();
    if (s.groups)
        for (qsizetype at = point - 3; at > 0; at -= 3)
            text.insert(at, u',');
    if (!s.leadingZero && text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    text = prefix + text + suffix;
    if (!negative)
        return text;
    return s.parentheses ? u'(' + text + u')' : u'-' + text;
}

double numberArg(const Variant& v)
{
    if (v.isNull())
        raise(13);
    return v.toDouble();
}

Variant formatNumber(Context&, Args a)
{
    return Variant(formatted(numberArg(a[0]), styleArgs(a, 1, false), QString(), QString()));
}

Variant formatCurrency(Context&, Args a)
{
    return Variant(formatted(numberArg(a[0]), styleArgs(a, 1, true), QStringLiteral("$"), QString()));
}

Variant formatPercent(Context&, Args a)
{
    return Variant(formatted(numberArg(a[0]) * 100, styleArgs(a, 1, false), QString(), QStringLiteral("%")));
}

Variant formatDateTime(Context&, Args a)
{
    const int32_t form = intArg(a, 1, 0);
    if (form < 0 || form > 4)
        raise(5);
    if (a[0].isNull())
        raise(13);
    const double serial = a[0].toDate();
    const DateParts p = dateParts(serial);
    switch (form) {
    case 1:
        return Variant(QStringLiteral("%1, %2 %3, %4")
                           .arg(weekdayName(p.weekday, false), monthName(p.month, false))
                           .arg(p.day)
                           .arg(p.year));
    case 2:
        return Variant(QStringLiteral("%1/%2/%3").arg(p.month).arg(p.day).arg(p.year));
    case 3:
        return Variant(Variant::formatDate(std::fabs(serial - std::trunc(serial))));
    case 4:
        return Variant(QStringLiteral("%1:%2").arg(p.hour, 2, 10, QChar(u'0')).arg(p.minute, 2, 10, QChar(u'0')));
    default:
        return Variant(Variant::formatDate(serial));
    }
}

constexpr Builtin kFunctions[] = {
    {"FormatNumber", 1, 5, formatNumber},
    {"FormatCurrency", 1, 5, formatCurrency},
    {"FormatPercent", 1, 5, formatPercent},
    {"FormatDateTime", 1, 2, formatDateTime},
};

} // namespace

void registerFormatting(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
