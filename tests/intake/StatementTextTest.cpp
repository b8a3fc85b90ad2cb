// The statements and texts of the intake layer, built without a store or a network.
#include "intake/AccountSync.h"
#include "intake/CopySearch.h"
#include "intake/DownloadWindow.h"
#include "intake/ResultDownload.h"
#include "store/ReportListSql.h"
#include "store/SqlLiteral.h"

#include <gtest/gtest.h>

using namespace tv;
using store::Channel;

TEST(sql_literal, quotes_and_dates)
{
    EXPECT_EQ(store::quoteSql(QStringLiteral("O'NEIL")), QStringLiteral("'O''NEIL'"));
    EXPECT_EQ(store::quoteSql(QString()), QStringLiteral("''"));
    EXPECT_EQ(store::sqlDate(QDate(2013, 8, 6)), QStringLiteral("'08/06/2013'"));
    EXPECT_EQ(store::sqlDateTime(QDateTime(QDate(2013, 8, 6), QTime(15, 7, 9))),
              QStringLiteral("'08/06/2013 15:07:09'"));
    EXPECT_EQ(store::sqlDayStart(QDate(2013, 1, 2)), QStringLiteral("'01/02/2013 05:30'"));
}

TEST(sql_literal, whole_numbers)
{
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {{"12345", 12345}, {" 7 ", 7},      {"0", 0},           {"", std::nullopt},
                 {"A12345", std::nullopt}, {"-5", std::nullopt}, {"1 OR 1=1", std::nullopt},
                 {"2147483647", 2147483647}, {"2147483648", std::nullopt}, {"99999999999", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(store::readWholeNumber(QLatin1String(c.text)), c.value) << c.text;
}

TEST(download_window, three_modes)
{
    const QDateTime now(QDate(2013, 8, 6), QTime(14, 0, 0));
    const QDateTime last(QDate(2013, 8, 5), QTime(9, 1, 2));
    const intake::DownloadWindow daily =
        intake::downloadWindow(intake::DownloadMode::Daily, QDate(2013, 8, 4), now, last);
    EXPECT_EQ(daily.start, QStringLiteral("'08/04/2013 05:30'"));
    EXPECT_EQ(daily.end, QStringLiteral("'08/05/2013 05:30'"));
    EXPECT_EQ(intake::searchDateContent(daily.searchDate), QStringLiteral("Search Date :Mon, August/05/2013"));

    const intake::DownloadWindow stat = intake::downloadWindow(intake::DownloadMode::Stat, now.date(), now, last);
    EXPECT_EQ(stat.start, QStringLiteral("'08/06/2013 05:30'"));
    EXPECT_EQ(stat.end, QStringLiteral("'08/06/2013 14:15:00'"));

    const intake::DownloadWindow since =
        intake::downloadWindow(intake::DownloadMode::SinceLast, QDate(1900, 1, 1), now, last);
    EXPECT_EQ(since.start, QStringLiteral("'08/05/2013 09:01:02'"));
    EXPECT_EQ(since.end, QStringLiteral("'08/06/2013 14:15:00'"));
    EXPECT_EQ(intake::downloadStatement(Channel::Reference, since, 1001),
              QStringLiteral("SELECT * FROM V_EXTERNAL_REPORT_LC R WHERE (R.PROCESS BETWEEN '08/05/2013 09:01:02' "
                             "AND '08/06/2013 14:15:00') AND (R.ACCOUNT=1001)"));
    EXPECT_TRUE(intake::downloadStatement(Channel::Normal, since, 1001).startsWith("SELECT * FROM V_EXTERNAL_REPORT_V2 R"));
}

TEST(download_window, since_last_never_reaches_back_more_than_a_week)
{
    const QDate today(2013, 8, 6);
    const QDateTime floor(QDate(2013, 7, 30), QTime(0, 0));
    EXPECT_EQ(intake::lastProcessFloor(QDateTime(QDate(2013, 7, 27), QTime(10, 0)), today), floor);
    EXPECT_EQ(intake::lastProcessFloor(QDateTime(), today), floor);
    const QDateTime recent(QDate(2013, 8, 5), QTime(23, 59, 59));
    EXPECT_EQ(intake::lastProcessFloor(recent, today), recent);
}

TEST(download_window, texts)
{
    EXPECT_EQ(intake::emptyAnswerInstruction(Channel::Normal), QStringLiteral("No Results Available"));
    EXPECT_EQ(intake::emptyAnswerInstruction(Channel::Reference), QStringLiteral("No Reference Lab Results available"));
    EXPECT_EQ(intake::sinceLastCaption(QDateTime(QDate(2013, 8, 6), QTime(15, 17, 5))),
              QStringLiteral("Since Last Results Release Date\nTue, Aug/06/2013 03:17:05 pm"));
    EXPECT_EQ(intake::downloadBaseDate(intake::DownloadMode::Daily, QDate(2013, 8, 6), QDate(2013, 9, 1)),
              QDate(2013, 8, 5));
}

TEST(copy_search, statements_by_kind)
{
    const struct {
        intake::CopySearchKind kind;
        const char* value;
        const char* condition;
    } cases[] = {
        {intake::CopySearchKind::WorkDate, "08/06/2013", "WDATE='08/06/2013'"},
        {intake::CopySearchKind::LabId, "12345", "LABID=12345"},
        {intake::CopySearchKind::LabId, "A12345", "MEDONEID='A12345'"},
        {intake::CopySearchKind::LabId, "", "MEDONEID=''"},
        {intake::CopySearchKind::LabId, "1' OR '1'='1", "MEDONEID='1'' OR ''1''=''1'"},
        {intake::CopySearchKind::Name, "O'NEIL, JOHN", "NAME like 'O''NEIL, JOHN%'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(intake::copySearchStatement(Channel::Normal, c.kind, QLatin1String(c.value), 1001),
                  QStringLiteral("SELECT * FROM V_EXTERNAL_REPORT_V2 WHERE ACCOUNT=1001 AND ") +
                      QLatin1String(c.condition));
    EXPECT_TRUE(intake::copySearchStatement(Channel::Reference, intake::CopySearchKind::LabId, "1", 7)
                    .startsWith("SELECT * FROM V_EXTERNAL_REPORT_LC WHERE ACCOUNT=7 AND LABID=1"));
}

TEST(copy_search, name_value_rules)
{
    EXPECT_EQ(intake::copyNameValue(" PEREZ ", "RIVERA", "ANA"), QStringLiteral("PEREZ RIVERA, ANA"));
    EXPECT_EQ(intake::copyNameValue("PEREZ", "RIVERA", ""), QStringLiteral("PEREZ RIVERA,"));
    EXPECT_EQ(intake::copyNameValue("PEREZ", "", "ANA"), QStringLiteral("PEREZ, ANA"));
    EXPECT_EQ(intake::copyNameValue("PEREZ", "", ""), std::nullopt);
    EXPECT_EQ(intake::copyNameValue("", "RIVERA", "ANA"), std::nullopt);
    EXPECT_TRUE(intake::kNameSearchInstruction.endsWith(QLatin1Char(' ')));
}

TEST(copy_search, refresh_statements_follow_the_channel)
{
    EXPECT_EQ(intake::refreshStatement(Channel::Normal, 5, "CB'C", 1001),
              QStringLiteral("SELECT * FROM V_EXTERNAL_REPORT_V2 WHERE (LABID=5) and (GENERICCODE='CB''C') and "
                             "(account=1001)"));
    EXPECT_EQ(intake::markUnprintedStatement(Channel::Reference, 5, "CBC"),
              QStringLiteral("UPDATE EXTERNAL_REPORT_LC SET PRINTED=NULL WHERE (LABID=5) and (GENERICCODE='CBC')"));
}

TEST(report_list_sql, listings_follow_channel_and_filter)
{
    EXPECT_EQ(store::listByWorkDateSql(Channel::Normal, store::PrintedFilter::All),
              QStringLiteral("SELECT * FROM EXTERNAL_REPORT V WHERE (V.WDATE=?)  ORDER BY V.NAME"));
    EXPECT_EQ(store::listByBatchDateSql(Channel::Reference, store::PrintedFilter::Printed),
              QStringLiteral("SELECT * from EXTERNAL_REPORT_LC V WHERE (CAST(V.DBATCH AS DATE)=?)  and (PRINTED is "
                             "not NULL)  ORDER BY V.NAME"));
    EXPECT_EQ(store::listByBatchSql(Channel::Normal, store::PrintedFilter::NonPrinted),
              QStringLiteral("SELECT * from EXTERNAL_REPORT V WHERE (V.DBATCH between ? and ?)  and (PRINTED is NULL) "
                             " ORDER BY V.NAME"));
    EXPECT_EQ(store::todayBatchesSql(Channel::Reference), QStringLiteral("SELECT * FROM GET_TODAY_BATCHS_LC(?)"));
    EXPECT_EQ(store::searchByNameSql(Channel::Normal, "O'NE"),
              QStringLiteral("SELECT * from EXTERNAL_REPORT V WHERE V.NAME LIKE 'O''NE%' ORDER BY V.WDATE DESC,V.NAME"));
    EXPECT_EQ(store::searchByLabIdSql(Channel::Reference, " 42"),
              QStringLiteral("SELECT * from EXTERNAL_REPORT_LC V WHERE V.LABID=42 ORDER BY V.NAME"));
    EXPECT_EQ(store::searchByLabIdSql(Channel::Normal, "42; DELETE FROM CONFIG"), std::nullopt);
}

TEST(report_list_sql, channel_names_swap_every_object)
{
    const store::ChannelNames& n = store::channelNames(Channel::Normal);
    const store::ChannelNames& r = store::channelNames(Channel::Reference);
    const QStringList normal{n.table, n.addPatient, n.addReport, n.setPrinted, n.todayBatches};
    const QStringList reference{r.table, r.addPatient, r.addReport, r.setPrinted, r.todayBatches};
    for (int i = 0; i < normal.size(); ++i)
        EXPECT_EQ(normal.at(i) + QLatin1String("_LC"), reference.at(i));
    EXPECT_EQ(n.remoteView, QStringLiteral("V_EXTERNAL_REPORT_V2"));
    EXPECT_EQ(r.remoteView, QStringLiteral("V_EXTERNAL_REPORT_LC"));
    EXPECT_FALSE(n.carriesHl7);
    EXPECT_TRUE(r.carriesHl7);
}

TEST(report_list_sql, batch_tabs)
{
    const QDate day(2013, 8, 6);
    const struct {
        QTime time;
        int count;
        const char* text;
    } cases[] = {{QTime(14, 35, 10, 250), 12, "02:35:10 pm - 12 Recs"},
                 {QTime(9, 5, 3), 1, "09:05:03 am - 1 Recs"},
                 {QTime(0, 0, 7), 3, "12:00:07 am - 3 Recs"},
                 {QTime(12, 30, 0), 4, "12:30:00 pm - 4 Recs"}};
    for (const auto& c : cases) {
        const QString tab = store::batchTabText(QDateTime(day, c.time), c.count);
        EXPECT_EQ(tab, QLatin1String(c.text));
        EXPECT_EQ(store::batchMomentFromTab(day, tab), QDateTime(day, QTime(c.time.hour(), c.time.minute(), c.time.second())));
    }
    EXPECT_EQ(store::batchMomentFromTab(day, store::kAllRecordsTab), std::nullopt);
    EXPECT_EQ(store::batchMomentFromTab(day, "garbage"), std::nullopt);
}

TEST(report_list_sql, calculated_columns)
{
    EXPECT_EQ(store::ageYears(45, "Y"), QStringLiteral("45 Y"));
    EXPECT_EQ(store::ageYears(QVariant(), "M"), QStringLiteral(" M"));
    EXPECT_EQ(store::birthDateText(QDate(1970, 3, 5)), QStringLiteral("Mar/05/1970"));
    EXPECT_EQ(store::birthDateText(QDateTime(QDate(1970, 3, 5), QTime(0, 0))), QStringLiteral("Mar/05/1970"));
    EXPECT_EQ(store::birthDateText(QVariant()), QStringLiteral("  /  /    "));
    EXPECT_EQ(store::birthDateText(QDate(1899, 12, 30)), QStringLiteral("  /  /    "));
    EXPECT_EQ(store::birthDateText(QDate(1899, 12, 31)), QStringLiteral("  /  /    "));
    EXPECT_EQ(store::birthDateText(QDate(1900, 1, 1)), QStringLiteral("Jan/01/1900"));
}

TEST(account_sync_text, extra_fields_prelude)
{
    const struct {
        const char* value;
        const char* prelude;
    } cases[] = {{"A=1", "A=\"\":"},
                 {"A=x:B=y", "A=\"\":B=\"\":"},
                 {"", ""},
                 {"NOEQUALS", ""},
                 {"A=1: B=2", "A=\"\": B=\"\":"}};
    for (const auto& c : cases)
        EXPECT_EQ(intake::extraFieldsInit(QLatin1String(c.value)), QLatin1String(c.prelude)) << c.value;
}

TEST(account_sync_text, vendor_files_and_statements)
{
    EXPECT_EQ(intake::vendorFileName("EXPORT_INI"), QStringLiteral("EXPORT.INI"));
    EXPECT_EQ(intake::vendorFileName("OLD_DATE"), QStringLiteral("OLD.DATE"));
    EXPECT_EQ(intake::vendorFileName("../X_INI"), QString());
    EXPECT_EQ(intake::vendorFileName("A/B_DAT"), QString());
    EXPECT_EQ(intake::vendorFileBytes("a\nb\r\nc"), QByteArray("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(intake::versionReportStatement("10.0", 1001),
              QStringLiteral("UPDATE LABACCOUNTS SET VER_WR='10.0' where ACCOUNT=1001"));
    EXPECT_EQ(intake::configQueryStatement(),
              QStringLiteral("SELECT * FROM CONFIG where VARSECTION='WEB' or VARSECTION='WEB9'"));
    EXPECT_TRUE(intake::accountQueryStatement(1001).endsWith(
        "FROM LABACCOUNTS INNER JOIN SOFTWARE_VENDORS ON LABACCOUNTS.VENDOR_NAME = SOFTWARE_VENDORS.VENDOR where "
        "LABACCOUNTS.ACCOUNT=1001"));
    EXPECT_TRUE(intake::accountQueryStatement(1).contains("coalesce(LABACCOUNTS.WEBDATAENTRY,'Y') AS WEBDATAENTRY,"));
    EXPECT_EQ(intake::connectionLogStatement(1001, "OFFICE-2", " o'hara\t"),
              QStringLiteral("insert into client_conn(account,con_time,computer,wuser) "
                             "values(1001,current_timestamp,'Brenix|OFFICE-2|10','o''hara');"));
}
