// String functions that search: InStr, InStrRev, Replace, Split, Join and Filter. Text compare is
// case-insensitive; binary compare (the default) is exact.

#include "script/library/Args.h"
#include "script/library/Modules.h"

namespace tv::script::lib {

namespace {

Qt::CaseSensitivity sensitivity(bool text) { return text ? Qt::CaseInsensitive : Qt::CaseSensitive; }

// InStr([start,] string1, string2[, compare]): the first argument is the start when three or more are given.
Variant inStr(Context&, Args a)
{
    const bool hasStart = a.size() >= 3;
    const size_t first = hasStart ? 1 : 0;
    const bool text = hasStart && textCompareArg(a, 3);
    int32_t start = 1;
    if (hasStart) {
        start = a[0].toLong();
        if (start < 1)
            raise(5);
    }
    if (a[first].isNull() || a[first + 1].isNull())
        return Variant::null();
    const QString s = a[first].toString();
    const QString find = a[first + 1].toString();
    if (start > s.size())
        return Variant::fromLong(0);
    if (find.isEmpty())
        return Variant::fromLong(start);
    return Variant::fromLong(int32_t(s.indexOf(find, start - 1, sensitivity(text)) + 1));
}

Variant inStrRev(Context&, Args a)
{
    int32_t start = intArg(a, 2, -1);
    if (start == 0 || start < -1)
        raise(5);
    const bool text = textCompareArg(a, 3);
    if (a[0].isNull() || a[1].isNull())
        return Variant::null();
    const QString s = a[0].toString();
    const QString find = a[1].toString();
    if (start == -1)
        start = int32_t(s.size());
    if (start > s.size())
        return Variant::fromLong(0);
    if (find.isEmpty())
        return Variant::fromLong(start);
    const qsizetype from = start - find.size();
    if (from < 0)
        return Variant::fromLong(0);
    return Variant::fromLong(int32_t(s.lastIndexOf(find, from, sensitivity(text)) + 1));
}

// The result begins at start; at most count replacements (-1: all).
Variant replace(Context& cx, Args a)
{
    const int32_t start = intArg(a, 3, 1);
    const int32_t count = intArg(a, 4, -1);
    if (start < 1 || count < -1)
        raise(5);
    const bool text = textCompareArg(a, 5);
    if (a[0].isNull())
        return Variant::null();
    const QString s = a[0].toString();
    const QString find = a[1].toString();
    const QString with = a[2].toString();
    if (start > s.size())
        return Variant(QString());
    if (find.isEmpty() || count == 0)
        return Variant(s.mid(start - 1));
    qsizetype pos = start - 1;
    if (pos == 0 && s.indexOf(find, 0, sensitivity(text)) < 0)
        return Variant(s);
    QString out;
    int32_t done = 0;
    while (count < 0 || done < count) {
        const qsizetype at = s.indexOf(find, pos, sensitivity(text));
        if (at < 0)
            break;
        out += QStringView(s).mid(pos, at - pos);
        out += with;
        checkLength(out.size());
        pos = at + find.size();
        ++done;
        if ((done & 1023) == 0)
            cx.checkTime();
    }
    out += QStringView(s).mid(pos);
    return Variant(out);
}

Variant split(Context& cx, Args a)
{
    const QString delimiter = missing(a, 1) ? QStringLiteral(" ") : a[1].toString();
    const int32_t count = intArg(a, 2, -1);
    if (count < -1)
        raise(5);
    const bool text = textCompareArg(a, 3);
    const QString s = a[0].toString();
    std::vector<Variant> items;
    if (s.isEmpty() || count == 0)
        return Variant::arrayOf(std::move(items));
    if (delimiter.isEmpty()) {
        items.emplace_back(s);
        return Variant::arrayOf(std::move(items));
    }
    qsizetype pos = 0;
    while (count < 0 || int32_t(items.size()) < count - 1) {
        const qsizetype at = s.indexOf(delimiter, pos, sensitivity(text));
        if (at < 0)
            break;
        items.emplace_back(s.mid(pos, at - pos));
        pos = at + delimiter.size();
        if ((items.size() & 1023) == 0)
            cx.checkTime();
    }
    items.emplace_back(s.mid(pos));
    return Variant::arrayOf(std::move(items));
}

// A one-dimensional array argument; error 13 for anything else.
const ArrayData& vector(const Variant& v)
{
    if (v.isNull())
        raise(94);
    const ArrayData* data = v.isArray() ? v.rawArray() : nullptr;
    if (!data || data->rank() != 1)
        raise(13);
    return *data;
}

QString elementText(const Variant& v) { return v.isNull() ? QString() : v.toString(); }

Variant join(Context&, Args a)
{
    const ArrayData& data = vector(a[0]);
    const QString delimiter = missing(a, 1) ? QStringLiteral(" ") : a[1].toString();
    QString out;
    for (size_t i = 0; i < data.items.size(); ++i) {
        if (i)
            out += delimiter;
        out += elementText(data.items[i]);
        checkLength(out.size());
    }
    return Variant(out);
}

Variant filter(Context&, Args a)
{
    const ArrayData& data = vector(a[0]);
    if (a[1].isNull())
        raise(94);
    const QString match = a[1].toString();
    const bool include = boolArg(a, 2, true);
    const bool text = textCompareArg(a, 3);
    std::vector<Variant> items;
    for (const Variant& v : data.items) {
        const QString s = elementText(v);
        if (s.contains(match, sensitivity(text)) == include)
            items.emplace_back(s);
    }
    return Variant::arrayOf(std::move(items));
}

constexpr Builtin kFunctions[] = {
    {"InStr", 2, 4, inStr},   {"InStrRev", 2, 4, inStrRev}, {"Replace", 3, 6, replace},
    {"Split", 1, 4, split},   {"Join", 1, 2, join},         {"Filter", 2, 4, filter},
};

} // namespace

void registerSearch(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
