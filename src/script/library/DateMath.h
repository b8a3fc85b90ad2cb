// Date arithmetic on serials (days since 12/30/1899, time as the fraction's magnitude even before
// that day): a continuous second count to add and subtract in, and the US names of months and days.
#pragma once

#include "script/Variant.h"

namespace tv::script::lib {

/// Seconds since 12/30/1899 00:00, increasing with time also for negative serials.
int64_t toSeconds(double serial);
/// The serial of a second count; error 5 outside the years 100 to 9999.
double fromSeconds(int64_t seconds);
/// The day number (floor of the continuous value) of a serial.
int64_t dayNumber(double serial);
/// Weekday of a day number, 1 = Sunday.
int weekdayOf(int64_t day);
/// The first day (in day numbers) of the week containing day, weeks starting on firstDay (1 = Sunday).
int64_t weekStart(int64_t day, int firstDay);

QString monthName(int month, bool abbreviate); ///< month 1..12
QString weekdayName(int day, bool abbreviate); ///< day 1..7, 1 = Sunday

/// A first-day-of-week argument: 0 (system) is Sunday; error 5 outside 0..7.
int firstDayArg(std::span<Variant> a, size_t i);

} // namespace tv::script::lib
