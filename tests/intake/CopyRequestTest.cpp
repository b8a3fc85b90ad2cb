// Refreshing one report and adding requested copies, against a scripted laboratory and a real store.
#include "intake/CopyRequest.h"
#include "support/IntakeFixture.h"

using namespace tv;
using namespace tv::intake;
using namespace tv::intake::test;
using store::Channel;

namespace {

const QDateTime kRelease1(QDate(2026, 12, 10), QTime(14, 0, 0));
const QDateTime kRelease2(QDate(2026, 12, 11), QTime(8, 15, 30));

class CopyRequestTest : public IntakeFixture {
protected:
    void labAnswers(const QList<ReportSpec>& reports, bool withHl7)
    {
        setLab([reports, withHl7](const QString&) { return answer(reportRowset(reports, withHl7)); });
    }

    /// A report downloaded earlier and printed since.
    void storePrinted(Channel channel, const ReportSpec& report)
    {
        labAnswers({report}, channel == Channel::Reference);
        ASSERT_EQ(downloadChannel(context(), channel, DownloadMode::SinceLast, {}).stored, 1);
        ASSERT_TRUE(m_db.executeProcedure(store::channelNames(channel).setPrinted, {report.labId, report.code}).ok);
        m_statements.clear();
    }
};

} // namespace

TEST_F(CopyRequestTest, RefreshOfAnUnchangedReportChangesNothing)
{
    storePrinted(Channel::Normal, {5001, "CBCD", kRelease1});
    const QStringList before = localRows("SELECT * FROM EXTERNAL_REPORT");
    QString error;
    EXPECT_EQ(refreshReport(context(), Channel::Normal, {5001, "CBCD", kRelease1}, &error), RefreshOutcome::Unchanged);
    EXPECT_EQ(localRows("SELECT * FROM EXTERNAL_REPORT"), before);
    EXPECT_EQ(m_statements, QStringList{"SELECT * FROM V_EXTERNAL_REPORT_V2 WHERE (LABID=5001) and "
                                        "(GENERICCODE='CBCD') and (account=1001)"});
}

TEST_F(CopyRequestTest, RefreshRefusesAnUnfitAnswerAndKeepsTheStoredReport)
{
    storePrinted(Channel::Normal, {5001, "CBCD", kRelease1});
    const QStringList before = localRows("SELECT * FROM EXTERNAL_REPORT");
    remote::Rowset noProgram = reportRowset({{5001, "CBCD", kRelease2}}, false);
    dropColumn(noProgram, "REP_CODE");
    remote::Rowset another = reportRowset({{5002, "CBCD", kRelease2}}, false);
    for (const remote::Rowset* answerRows : {&noProgram, &another}) {
        setLab([&](const QString&) { return answer(*answerRows); });
        QString error;
        EXPECT_EQ(refreshReport(context(), Channel::Normal, {5001, "CBCD", kRelease1}, &error),
                  RefreshOutcome::StoreFailed);
        EXPECT_TRUE(error.contains(answerRows == &noProgram ? "no column REP_CODE" : "another report than 5001 CBCD"))
            << error.toStdString();
        EXPECT_EQ(localRows("SELECT * FROM EXTERNAL_REPORT"), before);
    }
}

TEST_F(CopyRequestTest, RefreshOfAReReleasedReportUpdatesItAndMarksItUnprinted)
{
    for (Channel channel : {Channel::Normal, Channel::Reference}) {
        const QString table = store::channelNames(channel).table;
        storePrinted(channel, {5001, "CBCD", kRelease1});
        ReportSpec again{5001, "CBCD", kRelease2};
        again.name = "PEREZ RIVERA, ANA MARIA";
        labAnswers({again}, channel == Channel::Reference);
        QString error;
        EXPECT_EQ(refreshReport(context(), channel, {5001, "CBCD", kRelease1}, &error), RefreshOutcome::Updated)
            << error.toStdString();
        EXPECT_EQ(localRows("SELECT NAME, PROCESS, PRINTED FROM " + table),
                  QStringList{"PEREZ RIVERA, ANA MARIA|2026-12-11 08:15:30|<null>"});
        EXPECT_TRUE(m_statements.value(0).contains(channel == Channel::Reference ? " V_EXTERNAL_REPORT_LC "
                                                                                 : " V_EXTERNAL_REPORT_V2 "));
    }
    EXPECT_EQ(localRows("SELECT HL7 FROM EXTERNAL_REPORT_LC"), QStringList{"MSH|^~\\&|5001"});
}

TEST_F(CopyRequestTest, RefreshWithoutAnAnswerRowKeepsTheStoredReport)
{
    storePrinted(Channel::Normal, {5001, "CBCD", kRelease1});
    const QStringList before = localRows("SELECT * FROM EXTERNAL_REPORT");
    labAnswers({}, false);
    QString error;
    EXPECT_EQ(refreshReport(context(), Channel::Normal, {5001, "CBCD", kRelease1}, &error),
              RefreshOutcome::NotAtLaboratory);
    EXPECT_EQ(refreshReport(context(), Channel::Normal, {0, "CBCD", kRelease1}, &error), RefreshOutcome::Skipped);
    EXPECT_EQ(localRows("SELECT * FROM EXTERNAL_REPORT"), before);
}

TEST_F(CopyRequestTest, CopiesFoundByEachKindAreAddedAsOneBatch)
{
    ReportSpec printed{4001, "CBCD", kRelease1};
    printed.printed = QDateTime(QDate(2026, 12, 10), QTime(16, 0, 0));
    const ReportSpec unprinted{4002, "LIPID", kRelease1};
    labAnswers({printed, unprinted}, false);
    const QDateTime batch(QDate(2026, 12, 11), QTime(9, 40, 0));
    const struct {
        CopySearchKind kind;
        const char* value;
        const char* condition;
    } searches[] = {{CopySearchKind::WorkDate, "12/10/2026", "WDATE='12/10/2026'"},
                    {CopySearchKind::LabId, "4001", "LABID=4001"},
                    {CopySearchKind::LabId, "M4001", "MEDONEID='M4001'"},
                    {CopySearchKind::Name, "PEREZ RIVERA,", "NAME like 'PEREZ RIVERA,%'"}};
    for (const auto& s : searches) {
        m_statements.clear();
        ASSERT_TRUE(searchLabReports(context(), Channel::Normal, QLatin1String(s.value), s.kind));
        EXPECT_TRUE(m_statements.value(0).endsWith(QLatin1String(s.condition))) << m_statements.value(0).toStdString();
    }
    QString error;
    ASSERT_TRUE(addRequestedReport(context(), Channel::Normal, 0, batch, &error)) << error.toStdString();
    ASSERT_TRUE(addRequestedReport(context(), Channel::Normal, 1, batch, &error)) << error.toStdString();
    EXPECT_FALSE(addRequestedReport(context(), Channel::Normal, 2, batch, &error));
    EXPECT_EQ(localRows("SELECT LABID, PRINTED, DBATCH FROM EXTERNAL_REPORT ORDER BY LABID"),
              (QStringList{"4001|2026-12-10 16:00:00|2026-12-11 09:40:00", "4002|<null>|2026-12-11 09:40:00"}));
    EXPECT_EQ(localRows("SELECT REP_CODE FROM EXTERNAL_REPORT WHERE LABID=4002"),
              QStringList{"LABID = 4002\r\nGENERICCODE = \"LIPID\"\r\n"});
}

TEST_F(CopyRequestTest, ReferenceCopiesGoToTheTwinWithoutAPrintedTime)
{
    ReportSpec printed{4001, "VITD", kRelease1};
    printed.printed = QDateTime(QDate(2026, 12, 10), QTime(16, 0, 0));
    labAnswers({printed}, true);
    ASSERT_TRUE(searchLabReports(context(), Channel::Reference, "4001", CopySearchKind::LabId));
    EXPECT_TRUE(m_statements.value(0).startsWith("SELECT * FROM V_EXTERNAL_REPORT_LC WHERE ACCOUNT=1001 AND LABID=4001"));
    QString error;
    ASSERT_TRUE(addRequestedReport(context(), Channel::Reference, 0, m_now, &error)) << error.toStdString();
    EXPECT_EQ(localRows("SELECT LABID, PRINTED, HL7 FROM EXTERNAL_REPORT_LC"),
              QStringList{"4001|<null>|MSH|^~\\&|4001"});
    EXPECT_EQ(count("EXTERNAL_REPORT"), 0);
}
