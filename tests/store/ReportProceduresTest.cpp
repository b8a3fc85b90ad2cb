#include "StoreFixture.h"
#include "store/ReportProcedures.h"

using namespace tv::store;
using tv::store::testing::StoreFixture;

namespace {

struct Twin {
    const char* table;
    const char* addPatient;
    const char* addReport;
    const char* setPrinted;
    const char* batches;
};

const Twin kNormal{"EXTERNAL_REPORT", "ADD_PATIENT", "ADD_REPORT", "SET_PRINTED", "GET_TODAY_BATCHS"};
const Twin kReference{"EXTERNAL_REPORT_LC", "ADD_PATIENT_LC", "ADD_REPORT_LC", "SET_PRINTED_LC",
                      "GET_TODAY_BATCHS_LC"};

const QDateTime kBatch(QDate(2024, 5, 6), QTime(9, 5, 3, 120));

PatientHeader header(int labId, const QString& code, const QDateTime& process, int account = 1001)
{
    PatientHeader h;
    h.labId = labId;
    h.name = QStringLiteral("PEREZ RIVERA, ANA");
    h.sex = QStringLiteral("F");
    h.birthDate = QDate(1970, 3, 5);
    h.age = 54;
    h.ageUnit = QStringLiteral("Y");
    h.account = account;
    h.workDate = QDate(2024, 5, 5);
    h.process = process.isValid() ? QVariant(process) : QVariant();
    h.genericCode = code;
    h.description = QStringLiteral("CBC WITH DIFF");
    h.printed = QDateTime(QDate(2024, 5, 1), QTime(8, 0));  // never stored
    h.batch = kBatch;
    return h;
}

} // namespace

class report_procedures_test : public StoreFixture, public ::testing::WithParamInterface<Twin> {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        exec(QStringLiteral("EXECUTE PROCEDURE ADD_CONFIG('USER.ACCOUNT', '1001', '')"));
    }

    QString table() const { return QString::fromLatin1(GetParam().table); }

    void addPatient(const PatientHeader& h)
    {
        const StoreResult r = m_db.executeProcedure(QString::fromLatin1(GetParam().addPatient), addPatientValues(h));
        ASSERT_TRUE(r.ok) << r.message.toStdString();
    }

    void addReport(int labId, const QString& code, const QString& program)
    {
        QVariantList values = addReportValues(labId, code, program);
        if (GetParam().addReport == kReference.addReport)
            values.append(QStringLiteral("MSH|^~\\&|HL7"));
        const StoreResult r = m_db.executeProcedure(QString::fromLatin1(GetParam().addReport), values);
        ASSERT_TRUE(r.ok) << r.message.toStdString();
    }

    Rows reports() { return select(QStringLiteral("SELECT * FROM %1 ORDER BY LABID, GENERICCODE").arg(table())); }

    void markPrinted(int labId, const QString& code)
    {
        exec(QStringLiteral("EXECUTE PROCEDURE %1(?, ?)").arg(QString::fromLatin1(GetParam().setPrinted)),
             {labId, code});
    }
};

TEST_P(report_procedures_test, stores_new_report_unprinted_with_program)
{
    addPatient(header(5001, "CBC", kBatch.addSecs(-60)));
    addReport(5001, "CBC", QStringLiteral("LABID = 5001\r\nPANEL = \"\""));
    const Rows rows = reports();
    ASSERT_EQ(rows.rows.size(), 1);
    EXPECT_EQ(rows.value(0, u"NAME").toString(), QStringLiteral("PEREZ RIVERA, ANA"));
    EXPECT_EQ(rows.value(0, u"DSTATUS").toString(), QStringLiteral("D"));
    EXPECT_TRUE(rows.value(0, u"PRINTED").isNull());
    EXPECT_EQ(rows.value(0, u"DBATCH").toDateTime(), kBatch);
    EXPECT_EQ(rows.value(0, u"REP_CODE").toString(), QStringLiteral("LABID = 5001\r\nPANEL = \"\""));
}

TEST_P(report_procedures_test, other_accounts_are_never_stored)
{
    addPatient(header(5001, "CBC", kBatch, 2002));
    EXPECT_TRUE(reports().rows.isEmpty());
    exec(QStringLiteral("EXECUTE PROCEDURE ADD_CONFIG('USER.ACCOUNT', 'NO-VALUE', '')"));
    addPatient(header(5001, "CBC", kBatch));
    EXPECT_TRUE(reports().rows.isEmpty());
}

TEST_P(report_procedures_test, same_release_keeps_printed_time_and_status)
{
    const QDateTime released = kBatch.addSecs(-3600);
    addPatient(header(5001, "CBC", released));
    markPrinted(5001, "CBC");
    const QVariant printed = reports().value(0, u"PRINTED");
    ASSERT_FALSE(printed.isNull());
    PatientHeader again = header(5001, "CBC", released);
    again.name = QStringLiteral("CHANGED");
    addPatient(again);
    const Rows rows = reports();
    ASSERT_EQ(rows.rows.size(), 1);
    EXPECT_EQ(rows.value(0, u"PRINTED"), printed);
    EXPECT_EQ(rows.value(0, u"DSTATUS").toString(), QStringLiteral("D"));
    EXPECT_EQ(rows.value(0, u"NAME").toString(), QStringLiteral("PEREZ RIVERA, ANA"));
}

TEST_P(report_procedures_test, new_release_updates_in_place_unprinted)
{
    addPatient(header(5001, "CBC", kBatch.addSecs(-3600)));
    addReport(5001, "CBC", QStringLiteral("first program"));
    markPrinted(5001, "CBC");
    PatientHeader again = header(5001, "CBC", kBatch.addSecs(-60), 1001);
    again.name = QStringLiteral("PEREZ RIVERA, ANA M");
    addPatient(again);
    const Rows rows = reports();
    ASSERT_EQ(rows.rows.size(), 1);
    EXPECT_EQ(rows.value(0, u"DSTATUS").toString(), QStringLiteral("U"));
    EXPECT_TRUE(rows.value(0, u"PRINTED").isNull());
    EXPECT_EQ(rows.value(0, u"NAME").toString(), QStringLiteral("PEREZ RIVERA, ANA M"));
    EXPECT_EQ(rows.value(0, u"REP_CODE").toString(), QStringLiteral("first program"));
}

TEST_P(report_procedures_test, row_without_release_is_replaced)
{
    exec(QStringLiteral("INSERT INTO %1 (LABID, GENERICCODE, NAME, DSTATUS) VALUES (5001, 'CBC', 'OLD', 'U')")
             .arg(table()));
    exec(QStringLiteral("INSERT INTO %1 (LABID, GENERICCODE, NAME) VALUES (5001, 'CBC', 'OLDER')").arg(table()));
    addPatient(header(5001, "CBC", kBatch));
    const Rows rows = reports();
    ASSERT_EQ(rows.rows.size(), 1);
    EXPECT_EQ(rows.value(0, u"NAME").toString(), QStringLiteral("PEREZ RIVERA, ANA"));
    EXPECT_EQ(rows.value(0, u"DSTATUS").toString(), QStringLiteral("D"));
}

TEST_P(report_procedures_test, batches_of_a_day_newest_first)
{
    const QDateTime morning(QDate(2024, 5, 6), QTime(9, 5, 3, 500));
    const QDateTime afternoon(QDate(2024, 5, 6), QTime(14, 35, 10, 750));
    for (int i = 0; i < 3; ++i) {
        PatientHeader h = header(100 + i, "CBC", morning);
        h.batch = i == 0 ? morning : afternoon;
        addPatient(h);
    }
    PatientHeader nextDay = header(200, "CBC", morning);
    nextDay.batch = QDateTime(QDate(2024, 5, 7), QTime(0, 0));
    addPatient(nextDay);
    const QString sql = QStringLiteral("SELECT * FROM %1(?)").arg(QString::fromLatin1(GetParam().batches));
    const Rows rows = select(sql, {QDate(2024, 5, 6)});
    ASSERT_EQ(rows.rows.size(), 2);
    EXPECT_EQ(rows.value(0, u"BNO").toDateTime(), afternoon);
    EXPECT_EQ(rows.value(0, u"N").toInt(), 2);
    EXPECT_EQ(rows.value(1, u"BNO").toDateTime(), morning);
    EXPECT_EQ(rows.value(1, u"N").toInt(), 1);
    EXPECT_TRUE(select(sql, {QDate(2024, 5, 8)}).rows.isEmpty());
}

TEST_P(report_procedures_test, del_old_counts_from_the_download_day)
{
    PatientHeader old = header(1, "A", kBatch);
    old.batch = QDateTime(QDate(2024, 5, 1), QTime(23, 59));
    PatientHeader kept = header(2, "A", kBatch);
    kept.batch = QDateTime(QDate(2024, 5, 2), QTime(0, 1));
    kept.workDate = QDate(2020, 1, 1);  // an old report fetched recently stays
    addPatient(old);
    addPatient(kept);
    exec(QStringLiteral("EXECUTE PROCEDURE DEL_OLD(?)"), {QDate(2024, 5, 2)});
    const Rows rows = reports();
    ASSERT_EQ(rows.rows.size(), 1);
    EXPECT_EQ(rows.value(0, u"LABID").toInt(), 2);
}

INSTANTIATE_TEST_SUITE_P(channels, report_procedures_test, ::testing::Values(kNormal, kReference),
                         [](const auto& param) { return std::string(param.param.table); });
