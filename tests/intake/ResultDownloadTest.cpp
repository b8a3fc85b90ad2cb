// Downloads against a scripted laboratory and a real store: two channels as two batches, the
// since-last window, re-releases, and failures that must not lose or half-store a channel.
#include "intake/ChannelStore.h"
#include "support/IntakeFixture.h"

using namespace tv;
using namespace tv::intake;
using namespace tv::intake::test;
using remote::test::CannedReply;

namespace {

const QDateTime kRelease1(QDate(2026, 12, 10), QTime(14, 0, 0));
const QDateTime kRelease2(QDate(2026, 12, 11), QTime(8, 15, 30));

class ResultDownloadTest : public IntakeFixture {
protected:
    /// The laboratory holds `normal` and `reference` reports and one message.
    void labHolds(QList<ReportSpec> normal, QList<ReportSpec> reference)
    {
        setLab([normal, reference](const QString& sql) {
            if (sql.contains("V_EXTERNAL_REPORT_V2"))
                return answer(reportRowset(normal, false));
            if (sql.contains("V_EXTERNAL_REPORT_LC"))
                return answer(reportRowset(reference, true));
            return answer(reportRowset({}, false));
        });
    }

    QStringList reportState(const QString& table)
    {
        return localRows("SELECT LABID, GENERICCODE, DSTATUS, PRINTED FROM " + table + " ORDER BY LABID");
    }
};

/// The column travels as text; the last row's value becomes `last`.
void textColumn(remote::Rowset& rows, const QString& name, const QVariant& last)
{
    const int column = rows.fieldIndex(name);
    rows.fields[column] = {name, remote::FieldType::Text, 40};
    for (remote::Row& row : rows.rows)
        row[column] = row[column].typeId() == QMetaType::QDateTime
                          ? QVariant(row[column].toDateTime().toString("yyyy-MM-ddTHH:mm:ss"))
                          : QVariant(row[column].toString());
    rows.rows.last()[column] = last;
}

} // namespace

TEST_F(ResultDownloadTest, SinceLastStoresBothChannelsAsTwoBatchesWithMessagesBetween)
{
    labHolds({{5001, "CBCD", kRelease1}, {5002, "CMP14", kRelease2}}, {{7001, "VITD", kRelease2}});
    int messageFetches = 0;
    const DownloadRun run = runDownload(context(), DownloadMode::SinceLast, m_now.date(), [&] {
        ++messageFetches;
        m_now = m_now.addSecs(2);
    });
    EXPECT_EQ(messageFetches, 1);
    EXPECT_EQ(run.normal.stored, 2);
    EXPECT_EQ(run.reference.stored, 1);
    EXPECT_TRUE(run.newReferenceResults);
    EXPECT_TRUE(run.normal.error.isEmpty()) << run.normal.error.toStdString();
    EXPECT_NE(run.normal.batch, run.reference.batch);
    ASSERT_EQ(m_statements.size(), 2);
    EXPECT_EQ(m_statements[0], "SELECT * FROM V_EXTERNAL_REPORT_V2 R WHERE (R.PROCESS BETWEEN '12/04/2026 00:00:00' "
                               "AND '12/11/2026 09:45:00') AND (R.ACCOUNT=1001)");
    EXPECT_TRUE(m_statements[1].startsWith("SELECT * FROM V_EXTERNAL_REPORT_LC R WHERE (R.PROCESS BETWEEN "
                                           "'12/04/2026 00:00:00' AND '12/11/2026 09:45:02')"));
    EXPECT_EQ(localRows("SELECT DISTINCT DBATCH FROM EXTERNAL_REPORT"), QStringList{"2026-12-11 09:30:00"});
    EXPECT_EQ(localRows("SELECT DBATCH, HL7 FROM EXTERNAL_REPORT_LC"),
              QStringList{"2026-12-11 09:30:02|MSH|^~\\&|7001"});
    EXPECT_EQ(localRows("SELECT REP_CODE FROM EXTERNAL_REPORT WHERE LABID=5001"),
              QStringList{"LABID = 5001\r\nGENERICCODE = \"CBCD\""});
    EXPECT_TRUE(m_notices.isEmpty());

    // The next since-last window starts at the newest stored release.
    m_statements.clear();
    downloadResults(context(), DownloadMode::SinceLast, {});
    ASSERT_EQ(m_statements.size(), 1);
    EXPECT_TRUE(m_statements[0].contains("BETWEEN '12/11/2026 08:15:30' AND"));
}

TEST_F(ResultDownloadTest, ASecondDownloadKeepsPrintedTimesAndAReReleaseComesBackUnprinted)
{
    labHolds({{5001, "CBCD", kRelease1}, {5002, "CMP14", kRelease1}}, {});
    downloadResults(context(), DownloadMode::SinceLast, {});
    ASSERT_TRUE(m_db.executeProcedure("SET_PRINTED", {5001, "CBCD"}).ok);
    ASSERT_TRUE(m_db.executeProcedure("SET_PRINTED", {5002, "CMP14"}).ok);

    labHolds({{5001, "CBCD", kRelease1}, {5002, "CMP14", kRelease2}}, {});
    m_now = m_now.addSecs(60);
    const ChannelDownload again = downloadResults(context(), DownloadMode::SinceLast, {});
    EXPECT_EQ(again.received, 2);
    const QStringList state = reportState("EXTERNAL_REPORT");
    ASSERT_EQ(state.size(), 2);
    EXPECT_TRUE(state[0].startsWith("5001|CBCD|D|2")) << state[0].toStdString();
    EXPECT_EQ(state[1], "5002|CMP14|U|<null>");
}

TEST_F(ResultDownloadTest, DailyAndStatWindows)
{
    downloadResults(context(), DownloadMode::Daily, downloadBaseDate(DownloadMode::Daily, QDate(2026, 12, 9), {}));
    m_now = QDateTime(QDate(2026, 12, 11), QTime(3, 10, 0));
    downloadResults(context(), DownloadMode::Stat, m_now.date());
    ASSERT_EQ(m_statements.size(), 2);
    EXPECT_TRUE(m_statements[0].contains("BETWEEN '12/08/2026 05:30' AND '12/09/2026 05:30'"));
    EXPECT_TRUE(m_statements[1].contains("BETWEEN '12/11/2026 05:30' AND '12/11/2026 03:25:00'"));
    ASSERT_EQ(m_notices.size(), 2);
    EXPECT_EQ(m_notices[0], qMakePair(QString("No Results Available"), QString("Search Date :Wed, December/09/2026")));
    EXPECT_EQ(m_notices[1], qMakePair(QString("No Results Available"), QString("Search Date :Fri, December/11/2026")));
}

TEST_F(ResultDownloadTest, ServiceDyingMidAnswerStoresNothingAndTheNextDownloadGetsEverything)
{
    const remote::Rowset rows = reportRowset({{5001, "CBCD", kRelease1}, {5002, "CMP14", kRelease2}}, false);
    for (CannedReply::Mode mode : {CannedReply::Mode::Drop, CannedReply::Mode::Truncate}) {
        setLab([&](const QString&) { return remote::test::failing(mode, gzipRowset(rows)); });
        const ChannelDownload failed = downloadResults(context(), DownloadMode::SinceLast, {});
        EXPECT_FALSE(failed.answered);
        EXPECT_EQ(count("EXTERNAL_REPORT"), 0);
    }
    setLab([](const QString&) { return remote::test::reply(200, "not gzip at all"); });
    EXPECT_FALSE(downloadResults(context(), DownloadMode::SinceLast, {}).answered);
    EXPECT_EQ(m_notices.count(qMakePair(QString("Connection Fail"), QString("Try later"))), 3);

    setLab([&](const QString&) { return answer(rows); });
    EXPECT_EQ(downloadResults(context(), DownloadMode::SinceLast, {}).stored, 2);
    EXPECT_EQ(count("EXTERNAL_REPORT"), 2);
}

TEST_F(ResultDownloadTest, AStoreFailurePartWayKeepsNothingOfTheChannel)
{
    // The third report's code does not fit the store's column: the whole channel is refused,
    // so the newest stored release cannot move past it.
    labHolds({{5001, "CBCD", kRelease1}, {5002, "CMP14", kRelease2}, {5003, "TOOLONGCODE", kRelease1}},
             {{7001, "VITD", kRelease1}});
    const DownloadRun run = runDownload(context(), DownloadMode::SinceLast, {}, {});
    EXPECT_FALSE(run.normal.error.isEmpty());
    EXPECT_EQ(run.normal.stored, 0);
    EXPECT_EQ(count("EXTERNAL_REPORT"), 0);
    EXPECT_EQ(run.reference.stored, 1);
    EXPECT_EQ(count("EXTERNAL_REPORT_LC"), 1);
}

TEST_F(ResultDownloadTest, ReportsOfAnotherAccountAndMissingValues)
{
    ReportSpec other{5009, "CBCD", kRelease1};
    other.account = 2002;
    ReportSpec noBirth{5010, "LIPID", kRelease1};
    noBirth.birthDate = QVariant();
    labHolds({other, noBirth}, {});
    downloadResults(context(), DownloadMode::SinceLast, {});
    EXPECT_EQ(localRows("SELECT LABID, BDATE FROM EXTERNAL_REPORT"), QStringList{"5010|1899-12-30"});
}

TEST_F(ResultDownloadTest, AMalformedAnswerTableKeepsNothingOfTheChannelAndSaysWhy)
{
    // Valid gzip and XML, but not the report table the store needs; the bad row comes last,
    // after rows that would store well.
    const struct {
        store::Channel channel;
        std::function<void(remote::Rowset&)> spoil;
        const char* says;
    } cases[] = {
        {store::Channel::Normal, [](remote::Rowset& r) { dropColumn(r, "GENERICCODE"); }, "no column GENERICCODE"},
        {store::Channel::Normal, [](remote::Rowset& r) { dropColumn(r, "PROCESS"); }, "no column PROCESS"},
        {store::Channel::Reference, [](remote::Rowset& r) { dropColumn(r, "HL7"); }, "no column HL7"},
        {store::Channel::Normal, [](remote::Rowset& r) { textColumn(r, "LABID", "26-0003"); },
         "row 3: LABID \"26-0003\" is not a whole number"},
        {store::Channel::Normal, [](remote::Rowset& r) { r.rows.last()[0] = QVariant(); }, "row 3 has no LABID"},
        {store::Channel::Normal, [](remote::Rowset& r) { textColumn(r, "GENERICCODE", " "); },
         "row 3 has no GENERICCODE"},
        {store::Channel::Normal, [](remote::Rowset& r) { textColumn(r, "AGE", "fifty"); },
         "row 3: AGE \"fifty\" is not a whole number"},
        {store::Channel::Reference, [](remote::Rowset& r) { textColumn(r, "PROCESS", "yesterday"); },
         "row 3: PROCESS \"yesterday\" is not a date"},
        {store::Channel::Normal, [](remote::Rowset& r) { textColumn(r, "NAME", QString(41, 'X')); },
         "report 5003 LIPID: "},
    };
    const QList<ReportSpec> reports{{5001, "CBCD", kRelease1}, {5002, "CMP14", kRelease2}, {5003, "LIPID", kRelease1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        remote::Rowset rows = reportRowset(reports, c.channel == store::Channel::Reference);
        c.spoil(rows);
        setLab([&](const QString&) { return answer(rows); });
        const ChannelDownload failed = downloadChannel(context(), c.channel, DownloadMode::SinceLast, {});
        EXPECT_TRUE(failed.answered);
        EXPECT_EQ(failed.received, 3);
        EXPECT_EQ(failed.stored, 0);
        EXPECT_TRUE(failed.error.contains(QLatin1String(c.says))) << failed.error.toStdString();
        EXPECT_EQ(count(store::channelNames(c.channel).table), 0);
    }
    for (store::Channel channel : {store::Channel::Normal, store::Channel::Reference}) {
        labHolds(reports, reports);
        EXPECT_EQ(downloadChannel(context(), channel, DownloadMode::SinceLast, {}).stored, 3);
        EXPECT_EQ(count(store::channelNames(channel).table), 3);
    }
}
