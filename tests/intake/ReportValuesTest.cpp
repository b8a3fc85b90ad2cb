// The 18 header values of a report row, with the conversions of absent values.
#include "intake/ReportValues.h"
#include "store/SqlLiteral.h"

#include <ctime>
#include <gtest/gtest.h>

using namespace tv;
using remote::FieldType;

namespace {

remote::Rowset reportRowset()
{
    remote::Rowset rows;
    const QList<QPair<const char*, FieldType>> columns{
        {"LABID", FieldType::Integer},     {"NAME", FieldType::Text},        {"SEX", FieldType::Text},
        {"BDATE", FieldType::Date},        {"AGE", FieldType::Integer},      {"AGEU", FieldType::Text},
        {"ACCOUNT", FieldType::Integer},   {"WDATE", FieldType::Date},       {"PROCESS", FieldType::DateTime},
        {"PHYSICIAN", FieldType::Text},    {"LOCATION", FieldType::Text},    {"ROOM", FieldType::Text},
        {"EXLABID", FieldType::Text},      {"GENERICCODE", FieldType::Text}, {"DESCRIPTION", FieldType::Text},
        {"SS", FieldType::Text},           {"PRINTED", FieldType::DateTime}, {"REP_CODE", FieldType::LongText},
        {"HL7", FieldType::LongText}};
    for (const auto& [name, type] : columns)
        rows.fields.append({QLatin1String(name), type, 0, 0, 0, true});
    const QDateTime process(QDate(2013, 8, 6), QTime(15, 17, 0), Qt::UTC);
    rows.rows.append({5001, "PEREZ RIVERA, ANA", "F", QDate(1970, 3, 5), 43, "Y", 1001, QDate(2013, 8, 6), process,
                      "DR. LOPEZ", "ER", "12", "CH-9", "CBCD", "CBC WITH DIFF", "123-45-6789", QVariant(),
                      "LABID = 5001", "MSH|"});
    rows.rows.append(remote::Row(columns.size()));
    return rows;
}

} // namespace

TEST(report_values, order_and_types)
{
    const remote::Rowset rows = reportRowset();
    const QDateTime batch(QDate(2013, 8, 6), QTime(16, 0, 0));
    const QList<QVariant> v = intake::patientValues(rows, 0, batch);
    ASSERT_EQ(v.size(), 18);
    EXPECT_EQ(v.at(0), 5001);
    EXPECT_EQ(v.at(1), QStringLiteral("PEREZ RIVERA, ANA"));
    EXPECT_EQ(v.at(3).toDateTime(), QDateTime(QDate(1970, 3, 5), QTime(0, 0)));
    EXPECT_EQ(v.at(8).toDateTime(), QDateTime(QDate(2013, 8, 6), QTime(15, 17, 0)));
    EXPECT_EQ(v.at(8).toDateTime().timeSpec(), Qt::LocalTime);
    EXPECT_EQ(v.at(13), QStringLiteral("CBCD"));
    EXPECT_EQ(v.at(15), QStringLiteral("123-45-6789"));
    EXPECT_EQ(v.at(16).toDateTime(), store::zeroDateTime());
    EXPECT_EQ(v.at(17).toDateTime(), batch);
    EXPECT_EQ(intake::reportValues(rows, 0, false), (QList<QVariant>{5001, "CBCD", "LABID = 5001"}));
    EXPECT_EQ(intake::reportValues(rows, 0, true).value(3), QStringLiteral("MSH|"));
}

TEST(report_values, absent_values_become_zero_empty_or_zero_date)
{
    const remote::Rowset rows = reportRowset();
    const QList<QVariant> v = intake::patientValues(rows, 1, QDateTime(QDate(2013, 8, 6), QTime(16, 0)));
    const int integers[] = {0, 4, 6};
    const int texts[] = {1, 2, 5, 9, 10, 11, 12, 13, 14, 15};
    const int dates[] = {3, 7, 8, 16};
    for (int i : integers)
        EXPECT_EQ(v.at(i).toInt(), 0) << i;
    for (int i : texts) {
        EXPECT_FALSE(v.at(i).isNull()) << i;
        EXPECT_EQ(v.at(i).toString(), QString()) << i;
    }
    for (int i : dates)
        EXPECT_EQ(v.at(i).toDateTime(), store::zeroDateTime()) << i;
}

TEST(report_values, a_requested_copy_without_printed_time_stays_unprinted)
{
    const remote::Rowset rows = reportRowset();
    const QList<QVariant> v =
        intake::patientValues(rows, 0, QDateTime(QDate(2013, 8, 6), QTime(16, 0)), intake::AbsentPrinted::Null);
    EXPECT_TRUE(v.at(16).isNull());
    EXPECT_EQ(v.at(16).typeId(), QMetaType::QDateTime);
}

// Where the clock springs forward at midnight, that day's local midnight does not exist; a birth
// or work date on such a day is still a date, and one such row must not refuse a whole download.
TEST(report_values, a_date_whose_local_midnight_is_skipped_is_still_a_date)
{
    const QByteArray zone = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "America/Sao_Paulo");
    tzset();
    const QDate skipped(2018, 11, 4);
    const bool clockSkips = !QDateTime(skipped, QTime(0, 0)).isValid();
    remote::Rowset rows = reportRowset();
    rows.rows[0][3] = skipped;
    rows.rows[0][7] = skipped;
    const QString problem = intake::reportRowProblem(rows, 0, true);
    const QList<QVariant> v = intake::patientValues(rows, 0, QDateTime(QDate(2018, 11, 5), QTime(16, 0)));
    if (hadZone)
        qputenv("TZ", zone);
    else
        qunsetenv("TZ");
    tzset();
    if (!clockSkips)
        GTEST_SKIP() << "no time-zone data for America/Sao_Paulo";
    EXPECT_EQ(problem, QString());
    EXPECT_EQ(v.at(3).toDate(), skipped);
    EXPECT_EQ(v.at(7).toDate(), skipped);
}
