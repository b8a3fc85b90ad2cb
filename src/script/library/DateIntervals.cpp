// DateAdd, DateDiff and DatePart: the interval codes yyyy q m y d w ww h n s. Months keep the day
// where the target month has it and clamp to its last day otherwise; differences count boundaries.

#include "script/library/Args.h"
#include "script/library/DateMath.h"
#include "script/library/Modules.h"

#include <cmath>

namespace tv::script::lib {

namespace {

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalArg(const Variant& v)
{
    const QString s = v.toString().toLower();
    static const struct {
        const char* code;
        Interval interval;
    } kCodes[] = {{"yyyy", Interval::Year}, {"q", Interval::Quarter},   {"m", Interval::Month},
                  {"y", Interval::DayOfYear}, {"d", Interval::Day},     {"w", Interval::Weekday},
                  {"ww", Interval::Week},   {"h", Interval::Hour},      {"n", Interval::Minute},
                  {"s", Interval::Second}};
    for (const auto& c : kCodes)
        if (s == QLatin1String(c.code))
            return c.interval;
    raise(5);
}

int64_t daysInMonth(int year, int month)
{
    return int64_t(dateFromParts(year, month + 1, 1) - dateFromParts(year, month, 1));
}

Variant addMonths(double serial, int64_t months)
{
    const DateParts p = dateParts(serial);
    const int64_t total = int64_t(p.year) * 12 + (p.month - 1) + months;
    if (total < 100 * 12 || total > 9999 * 12 + 11)
        raise(5);
    const int year = int(total / 12);
    const int month = int(total % 12) + 1;
    const int day = int(std::min<int64_t>(p.day, daysInMonth(year, month)));
    const int64_t seconds = toSeconds(serial) - dayNumber(serial) * 86400;
    return Variant::fromDate(fromSeconds(int64_t(dateFromParts(year, month, day)) * 86400 + seconds));
}

Variant dateAdd(Context&, Args a)
{
    const Interval interval = intervalArg(a[0]);
    const double amount = std::trunc(a[1].toDouble());
    if (a[2].isNull())
        return Variant::null();
    const double serial = a[2].toDate();
    if (std::fabs(amount) > 1e12)
        raise(5);
    const int64_t n = int64_t(amount);
    int64_t step;
    switch (interval) {
    case Interval::Year: return addMonths(serial, n * 12);
    case Interval::Quarter: return addMonths(serial, n * 3);
    case Interval::Month: return addMonths(serial, n);
    case Interval::Week: step = 7 * 86400; break;
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday: step = 86400; break;
    case Interval::Hour: step = 3600; break;
    case Interval::Minute: step = 60; break;
    default: step = 1; break;
    }
    return Variant::fromDate(fromSeconds(toSeconds(serial) + n * step));
}

int64_t floorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

Variant dateDiff(Context&, Args a)
{
    const Interval interval = intervalArg(a[0]);
    const int first = firstDayArg(a, 3);
    if (a[1].isNull() || a[2].isNull())
        return Variant::null();
    const double d1 = a[1].toDate();
    const double d2 = a[2].toDate();
    const DateParts p1 = dateParts(d1);
    const DateParts p2 = dateParts(d2);
    const int64_t s1 = toSeconds(d1);
    const int64_t s2 = toSeconds(d2);
    int64_t r;
    switch (interval) {
    case Interval::Year: r = p2.year - p1.year; break;
    case Interval::Quarter: r = (p2.year * 4 + (p2.month - 1) / 3) - (p1.year * 4 + (p1.month - 1) / 3); break;
    case Interval::Month: r = (p2.year * 12 + p2.month) - (p1.year * 12 + p1.month); break;
    case Interval::DayOfYear:
    case Interval::Day: r = dayNumber(d2) - dayNumber(d1); break;
    case Interval::Weekday: r = (dayNumber(d2) - dayNumber(d1)) / 7; break;
    case Interval::Week: r = (weekStart(dayNumber(d2), first) - weekStart(dayNumber(d1), first)) / 7; break;
    case Interval::Hour: r = floorDiv(s2, 3600) - floorDiv(s1, 3600); break;
    case Interval::Minute: r = floorDiv(s2, 60) - floorDiv(s1, 60); break;
    default: r = s2 - s1; break;
    }
    if (r > INT32_MAX || r < INT32_MIN)
        raise(6);
    return Variant::fromLong(int32_t(r));
}

// The day number on which week 1 of a year starts: the week of January 1 (firstWeek 1), the first
// week with four days of the year (2), or the first full week (3).
int64_t firstWeekStart(int year, int firstDay, int firstWeek)
{
    const int64_t jan1 = int64_t(dateFromParts(year, 1, 1));
    const int64_t start = weekStart(jan1, firstDay);
    if (firstWeek == 2)
        return jan1 - start >= 4 ? start + 7 : start;
    if (firstWeek == 3)
        return start == jan1 ? start : start + 7;
    return start;
}

int weekOfYear(double serial, int firstDay, int firstWeek)
{
    const int64_t day = dayNumber(serial);
    int year = dateParts(serial).year;
    int64_t week1 = firstWeekStart(year, firstDay, firstWeek);
    if (day < week1)
        week1 = firstWeekStart(year - 1, firstDay, firstWeek);
    return int((weekStart(day, firstDay) - week1) / 7) + 1;
}

Variant datePart(Context&, Args a)
{
    const Interval interval = intervalArg(a[0]);
    const int first = firstDayArg(a, 2);
    const int32_t firstWeek = intArg(a, 3, 1);
    if (firstWeek < 0 || firstWeek > 3)
        raise(5);
    if (a[1].isNull())
        return Variant::null();
    const double serial = a[1].toDate();
    const DateParts p = dateParts(serial);
    int r;
    switch (interval) {
    case Interval::Year: r = p.year; break;
    case Interval::Quarter: r = (p.month - 1) / 3 + 1; break;
    case Interval::Month: r = p.month; break;
    case Interval::DayOfYear: r = int(dayNumber(serial) - int64_t(dateFromParts(p.year, 1, 1))) + 1; break;
    case Interval::Day: r = p.day; break;
    case Interval::Weekday: r = (weekdayOf(dayNumber(serial)) - first + 7) % 7 + 1; break;
    case Interval::Week: r = weekOfYear(serial, first, firstWeek == 0 ? 1 : firstWeek); break;
    case Interval::Hour: r = p.hour; break;
    case Interval::Minute: r = p.minute; break;
    default: r = p.second; break;
    }
    return Variant::fromInteger(int16_t(r));
}

constexpr Builtin kFunctions[] = {
    {"DateAdd", 3, 3, dateAdd},
    {"DateDiff", 3, 5, dateDiff},
    {"DatePart", 2, 4, datePart},
};

} // namespace

void registerDateIntervals(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
