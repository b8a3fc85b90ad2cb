// Sample status statements per search page, the refusals, and the status of a row.
#include "status/SampleStatus.h"

#include <gtest/gtest.h>

using namespace tv::status;

namespace {

const QString kBase = QStringLiteral("SELECT LABID,WDATE,NAME,SEX,GENERICCODE,DESCRIPTION,ENTRYSYS,PROCESSED,PRINTED,"
                                     "DEPTID2,BDATE,AGE,AGEU FROM V_REPORT_WEB WHERE ACCOUNT=1234 ");

StatusInput ids(const char* labId, const char* exLabId)
{
    StatusInput input;
    input.labId = QLatin1String(labId);
    input.exLabId = QLatin1String(exLabId);
    return input;
}

StatusInput names(const char* paternal, const char* maternal, const char* name)
{
    StatusInput input;
    input.paternal = QLatin1String(paternal);
    input.maternal = QLatin1String(maternal);
    input.name = QLatin1String(name);
    return input;
}

StatusInput workDate(const QDate& date)
{
    StatusInput input;
    input.workDate = date;
    return input;
}

} // namespace

TEST(sample_status, statements_and_notices)
{
    const QDate today(2013, 8, 6);
    const struct {
        StatusPage page;
        StatusInput input;
        const char* condition; ///< appended to the base; nullptr when refused
        const char* notice;
    } cases[] = {
        {StatusPage::ByWorkDate, workDate(QDate(2013, 8, 6)), " AND WDATE='08/06/2013'", ""},
        {StatusPage::ByLabId, ids("123", ""), " AND LabID=123", ""},
        {StatusPage::ByLabId, ids(" A123 ", ""), " AND MEDONEID='A123'", ""},
        {StatusPage::ByLabId, ids("123", "X9"), " AND LabID=123 and ExLabID='X9'", ""},
        {StatusPage::ByLabId, ids("A'1", "X9"), " AND MEDONEID='A''1' and ExLabID='X9'", ""},
        {StatusPage::ByLabId, ids("", "X9"), " AND ExLabID='X9'", ""},
        {StatusPage::ByLabId, ids(" ", " "), nullptr, "Enter Labid or ExLabID"},
        {StatusPage::ByName, names("RIVERA", "", "ANA"),
         " AND \"NAME\" LIKE 'RIVERA, ANA%' AND WDATE>'07/30/2013'", ""},
        {StatusPage::ByName, names("PEREZ", "RIVERA", "ANA"),
         " AND \"NAME\" LIKE 'PEREZ RIVERA, ANA%' AND WDATE>'07/30/2013'", ""},
        {StatusPage::ByName, names("PEREZ", "RIVERA", ""),
         " AND \"NAME\" LIKE 'PEREZ RIVERA,%' AND WDATE>'07/30/2013'", ""},
        {StatusPage::ByName, names("O'NEIL", "", "JOHN"),
         " AND \"NAME\" LIKE 'O''NEIL, JOHN%' AND WDATE>'07/30/2013'", ""},
        {StatusPage::ByName, names("PEREZ", "", ""), nullptr, "LASTNAME and NAME missing"},
        {StatusPage::ByName, names("", "RIVERA", "ANA"), nullptr, "LASTNAME missing"},
    };
    for (const auto& c : cases) {
        const StatusStatement s = sampleStatusStatement(c.page, c.input, 1234, today);
        if (c.condition)
            EXPECT_EQ(s.sql, kBase + QLatin1String(c.condition));
        else
            EXPECT_TRUE(s.sql.isEmpty());
        EXPECT_EQ(s.notice, QLatin1String(c.notice));
    }
}

TEST(sample_status, released_beats_processed)
{
    tv::remote::Rowset rows;
    rows.fields = {{"PROCESSED", tv::remote::FieldType::DateTime, 0, 0, 0, true},
                   {"PRINTED", tv::remote::FieldType::DateTime, 0, 0, 0, true}};
    const QDateTime t(QDate(2013, 8, 6), QTime(9, 0));
    rows.rows = {{t, t}, {t, QVariant()}, {QVariant(), QVariant()}, {QVariant(), t}};
    EXPECT_EQ(sampleState(rows, 0), SampleState::Released);
    EXPECT_EQ(sampleState(rows, 1), SampleState::Processed);
    EXPECT_EQ(sampleState(rows, 2), SampleState::Waiting);
    EXPECT_EQ(sampleState(rows, 3), SampleState::Released);
    EXPECT_EQ(sampleStateText(SampleState::Processed), QStringLiteral("Processed"));
}
