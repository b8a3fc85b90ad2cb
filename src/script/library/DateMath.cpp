#include "script/library/DateMath.h"

#include "script/library/Args.h"

#include <cmath>

namespace tv::script::lib {

namespace {

constexpr int64_t kDay = 86400;
// Serials of 1/1/100 and 12/31/9999 23:59:59.
constexpr double kMinSerial = -657434.0;
constexpr double kMaxSerial = 2958465.99999;

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

int64_t floorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

} // namespace

int64_t toSeconds(double serial)
{
    const double whole = std::trunc(serial);
    const int64_t seconds = std::llround(std::fabs(serial - whole) * kDay);
    return int64_t(whole) * kDay + seconds;
}

double fromSeconds(int64_t seconds)
{
    const int64_t day = floorDiv(seconds, kDay);
    const double time = double(seconds - day * kDay) / kDay;
    const double serial = day >= 0 ? double(day) + time : double(day) - time;
    if (serial < kMinSerial || serial > kMaxSerial)
        raise(5);
    return serial;
}

int64_t dayNumber(double serial)
{
    return floorDiv(toSeconds(serial), kDay);
}

int weekdayOf(int64_t day)
{
    return int(((day + 6) % 7 + 7) % 7) + 1;
}

int64_t weekStart(int64_t day, int firstDay)
{
    return day - (weekdayOf(day) - firstDay + 7) % 7;
}

QString monthName(int month, bool abbreviate)
{
    const QString name = QString::fromLatin1(kMonths[month - 1]);
    return abbreviate ? name.left(3) : name;
}

QString weekdayName(int day, bool abbreviate)
{
    const QString name = QString::fromLatin1(kDays[day - 1]);
    return abbreviate ? name.left(3) : name;
}

int firstDayArg(std::span<Variant> a, size_t i)
{
    const int32_t first = intArg(a, i, 1);
    if (first < 0 || first > 7)
        raise(5);
    return first == 0 ? 1 : first;
}

} // namespace tv::script::lib
