#include "render/DateFormat.h"

#include <gtest/gtest.h>

using namespace tv::render;

TEST(date_format, pattern_letters)
{
    const QDateTime morning(QDate(2026, 12, 9), QTime(7, 45, 3, 120));
    const QDateTime evening(QDate(2026, 12, 9), QTime(19, 5, 0));
    struct Case {
        const QDateTime& when;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {morning, "mm/dd/yyyy hh:nn", "12/09/2026 07:45"},
        {morning, "d/m/yy", "9/12/26"},
        {morning, "D/M/YYYY", "9/12/2026"},
        {morning, "ddd dddd", "Wed Wednesday"},
        {morning, "ddddd", "12/9/2026"},
        {morning, "dddddd", "Wednesday, December 9, 2026"},
        {morning, "mmm mmmm", "Dec December"},
        {morning, "h:m", "7:45"}, // m right after an hour is minutes
        {morning, "hh:mm:ss", "07:45:03"},
        {morning, "yyyy-mm-dd", "2026-12-09"},
        {morning, "h:nn am/pm", "7:45 am"},
        {evening, "h:nn AM/PM", "7:05 PM"},
        {evening, "hh ampm", "07 PM"},
        {evening, "hh:nn", "19:05"},
        {morning, "t", "07:45"},
        {morning, "tt", "7:45:03 AM"},
        {morning, "c", "12/9/2026 7:45:03 AM"},
        {morning, "s.zzz z", "3.120 120"},
        {morning, "'Collected' d \"at\" h", "Collected 9 at 7"},
        {morning, "Xq-", "Xq-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatDatePattern(c.when, c.pattern), QString::fromLatin1(c.expected)) << c.pattern;
}

TEST(date_format, reads_system_dates)
{
    EXPECT_EQ(parseSystemDateTime("12/9/2026 07:45"), QDateTime(QDate(2026, 12, 9), QTime(7, 45)));
    EXPECT_EQ(parseSystemDateTime("3/14/1956"), QDateTime(QDate(1956, 3, 14), QTime(0, 0)));
    for (const char* bad : {"", "hello", "13/45/2026", "12/9/2026 25:00"})
        EXPECT_FALSE(parseSystemDateTime(bad)) << bad;
}
