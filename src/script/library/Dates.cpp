// Date and time functions: the clock (Date, Time, Now, Timer), building dates from parts and
// text, taking them apart, and the names of months and weekdays.

#include "script/library/Args.h"
#include "script/library/DateMath.h"
#include "script/library/Modules.h"

#include <QDateTime>

#include <cmath>

namespace tv::script::lib {

namespace {

double todaySerial(const QDateTime& now)
{
    const QDate d = now.date();
    return dateFromParts(d.year(), d.month(), d.day());
}

double timeSerial(const QDateTime& now)
{
    const QTime t = now.time();
    return timeFromParts(t.hour(), t.minute(), t.second());
}

Variant date(Context&, Args) { return Variant::fromDate(todaySerial(QDateTime::currentDateTime())); }
Variant time(Context&, Args) { return Variant::fromDate(timeSerial(QDateTime::currentDateTime())); }

Variant now(Context&, Args)
{
    const QDateTime n = QDateTime::currentDateTime();
    return Variant::fromDate(todaySerial(n) + timeSerial(n));
}

Variant timer(Context&, Args)
{
    const QTime t = QTime::currentTime();
    return Variant::fromSingle(float(t.msecsSinceStartOfDay() / 10) / 100.0f);
}

// Two-digit years 0-29 are 2000-2029, 30-99 are 1930-1999; months and days out of range carry over.
Variant dateSerial(Context&, Args a)
{
    int32_t year = a[0].toInteger();
    const int32_t month = a[1].toInteger();
    const int32_t day = a[2].toInteger();
    if (year >= 0 && year < 100)
        year += year < 30 ? 2000 : 1900;
    const double serial = dateFromParts(year, month, day);
    return Variant::fromDate(fromSeconds(int64_t(serial) * 86400));
}

Variant timeSerialFn(Context&, Args a)
{
    const int64_t seconds = int64_t(a[0].toInteger()) * 3600 + int64_t(a[1].toInteger()) * 60 + a[2].toInteger();
    return Variant::fromDate(fromSeconds(seconds));
}

Variant dateValue(Context&, Args a)
{
    if (a[0].isNull())
        return Variant::null();
    return Variant::fromDate(std::trunc(a[0].toDate()));
}

Variant timeValue(Context&, Args a)
{
    if (a[0].isNull())
        return Variant::null();
    const double serial = a[0].toDate();
    return Variant::fromDate(std::fabs(serial - std::trunc(serial)));
}

Variant part(Args a, int DateParts::*field)
{
    if (a[0].isNull())
        return Variant::null();
    return Variant::fromInteger(int16_t(dateParts(a[0].toDate()).*field));
}

Variant year(Context&, Args a) { return part(a, &DateParts::year); }
Variant month(Context&, Args a) { return part(a, &DateParts::month); }
Variant day(Context&, Args a) { return part(a, &DateParts::day); }
Variant hour(Context&, Args a) { return part(a, &DateParts::hour); }
Variant minute(Context&, Args a) { return part(a, &DateParts::minute); }
Variant second(Context&, Args a) { return part(a, &DateParts::second); }

Variant weekday(Context&, Args a)
{
    const int first = firstDayArg(a, 1);
    if (a[0].isNull())
        return Variant::null();
    const int wd = weekdayOf(dayNumber(a[0].toDate()));
    return Variant::fromInteger(int16_t((wd - first + 7) % 7 + 1));
}

Variant monthNameFn(Context&, Args a)
{
    const int32_t m = a[0].toLong();
    if (m < 1 || m > 12)
        raise(5);
    return Variant(monthName(m, boolArg(a, 1, false)));
}

Variant weekdayNameFn(Context&, Args a)
{
    const int32_t d = a[0].toLong();
    const int first = firstDayArg(a, 2);
    if (d < 1 || d > 7)
        raise(5);
    return Variant(weekdayName((d - 1 + first - 1) % 7 + 1, boolArg(a, 1, false)));
}

constexpr Builtin kFunctions[] = {
    {"Date", 0, 0, date},
    {"Time", 0, 0, time},
    {"Now", 0, 0, now},
    {"Timer", 0, 0, timer},
    {"DateSerial", 3, 3, dateSerial},
    {"TimeSerial", 3, 3, timeSerialFn},
    {"DateValue", 1, 1, dateValue},
    {"TimeValue", 1, 1, timeValue},
    {"Year", 1, 1, year},
    {"Month", 1, 1, month},
    {"Day", 1, 1, day},
    {"Hour", 1, 1, hour},
    {"Minute", 1, 1, minute},
    {"Second", 1, 1, second},
    {"Weekday", 1, 2, weekday},
    {"MonthName", 1, 2, monthNameFn},
    {"WeekdayName", 1, 3, weekdayNameFn},
};

} // namespace

void registerDates(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
