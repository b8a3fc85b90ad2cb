// The real `tallyvane-lab` binary on loopback HTTPS with a fixed clock: authentication, the three
// operations as the client sends them, what it refuses, and the demo laboratory's data.
#include "LabProcess.h"
#include "remote/FormEncoding.h"
#include "remote/Gzip.h"
#include "remote/PackScript.h"
#include "remote/Rowset.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tv::lab::test;
using tv::remote::FormField;

namespace {

const QString servicePath = QStringLiteral("/orvalis/qtx80z.dll");
const QDateTime clockTime(QDate(2026, 12, 11), QTime(9, 0, 0));

QByteArray queryForm(const QString& sql)
{
    return tv::remote::formEncode({{"SQL", tv::text::toCp1252(sql)}, {"DB", "127.0.0.1:ORVALIS"}, {"ZIP", "ZIP"}});
}

QByteArray scriptForm(const QString& sql)
{
    return tv::remote::formEncode(
        {{"SQL", tv::remote::packScript(tv::text::toCp1252(sql))}, {"DB", "127.0.0.1:ORVALIS"}, {"ZIP", "ZIP"}});
}

class LabServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_lab = new LabProcess;
        ASSERT_TRUE(s_lab->start(s_dir->filePath("lab"), {"--demo", "--now", "2026-12-11T09:00:00"}));
    }

    static void TearDownTestSuite()
    {
        delete s_lab;
        delete s_dir;
    }

    static tv::remote::Rowset select(const QString& sql)
    {
        const Exchange answer = exchange(*s_lab, "GET", servicePath + "/SELECT", queryForm(sql));
        EXPECT_EQ(answer.status, 200) << answer.body.constData();
        const tv::remote::GunzipResult xml = tv::remote::gzipDecompress(answer.body);
        EXPECT_TRUE(xml.ok) << xml.message.toStdString();
        const tv::remote::RowsetReadResult read = tv::remote::readRowsetXml(xml.data);
        EXPECT_EQ(read.status, tv::remote::RowsetStatus::Ok) << read.message.toStdString();
        return read.rowset;
    }

    static long script(const QString& sql)
    {
        return exchange(*s_lab, "POST", servicePath + "/SCRIPT", scriptForm(sql)).status;
    }

    static QTemporaryDir* s_dir;
    static LabProcess* s_lab;
};

QTemporaryDir* LabServiceTest::s_dir = nullptr;
LabProcess* LabServiceTest::s_lab = nullptr;

} // namespace

TEST_F(LabServiceTest, AsksForBasicOrDigestAndChecksThePassword)
{
    const Exchange anonymous =
        exchange(*s_lab, "POST", servicePath + "/ack", "ID=261211-090000&DB=ORVALIS", Auth::None);
    EXPECT_EQ(anonymous.status, 401);
    EXPECT_TRUE(anonymous.headers.contains("WWW-Authenticate: Basic realm=")) << anonymous.headers.constData();
    EXPECT_TRUE(anonymous.headers.contains("WWW-Authenticate: Digest realm=")) << anonymous.headers.constData();

    struct Case {
        Auth auth;
        const char* password;
        long status;
    };
    for (const Case c :
         {Case{Auth::Basic, "portal!quinceleaf361", 200}, Case{Auth::Digest, "portal!quinceleaf361", 200},
          Case{Auth::Basic, "wrong", 401}, Case{Auth::Digest, "wrong", 401}}) {
        const Exchange answer =
            exchange(*s_lab, "POST", servicePath + "/ack", "ID=261211-090000&DB=ORVALIS", c.auth, c.password);
        EXPECT_EQ(answer.status, c.status) << int(c.auth) << ' ' << c.password << answer.error.toStdString();
    }
}

TEST_F(LabServiceTest, CertificateNamesLoopbackAndIsItsOwnAuthority)
{
    // The exchanges above verify the peer against this file; here only that it is the CA kind.
    QFile pem(s_lab->certificate());
    ASSERT_TRUE(pem.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pem.readAll().startsWith("-----BEGIN CERTIFICATE-----"));
    EXPECT_TRUE(QFile::exists(s_dir->filePath("lab/lab-key.pem")));
}

TEST_F(LabServiceTest, QueryIsAGetWithAFormBodyAnsweredByAGzipRowset)
{
    const tv::remote::Rowset accounts = select(
        "SELECT LABACCOUNTS.ACCOUNT,LABACCOUNTS.ONHOLD,coalesce(LABACCOUNTS.WEBDATAENTRY,'Y') AS WEBDATAENTRY,"
        "SOFTWARE_VENDORS.VENDOR,SOFTWARE_VENDORS.EXPORT_DAT,SOFTWARE_VENDORS.IMPORT_INI FROM LABACCOUNTS INNER JOIN "
        "SOFTWARE_VENDORS ON LABACCOUNTS.VENDOR_NAME = SOFTWARE_VENDORS.VENDOR order by 1");
    ASSERT_EQ(accounts.rows.size(), 3);
    const char* const expected[][3] = {{"1001", "F", "Y"}, {"1002", "T", "Y"}, {"1003", "F", "N"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(accounts.value(i, "ACCOUNT").toInt(), QByteArray(expected[i][0]).toInt());
        EXPECT_EQ(accounts.value(i, "ONHOLD").toString(), expected[i][1]);
        EXPECT_EQ(accounts.value(i, "WEBDATAENTRY").toString(), expected[i][2]);
    }
    EXPECT_EQ(accounts.fields[accounts.fieldIndex("EXPORT_DAT")].type, tv::remote::FieldType::LongText);
    EXPECT_TRUE(accounts.value(0, "EXPORT_DAT").toString().contains("Sub Export(FilePath)"));
    EXPECT_TRUE(accounts.value(0, "IMPORT_INI").toString().contains("EXTRAFIELDS=INSURANCE=IN1-36:MRN=PID-4\r\n"));

    const tv::remote::Rowset none = select("SELECT * FROM V_EXTERNAL_REPORT_LC WHERE ACCOUNT=4242");
    EXPECT_EQ(none.rows.size(), 0);
    EXPECT_EQ(none.fieldIndex("HL7"), 19);
    EXPECT_EQ(none.fields[none.fieldIndex("LABID")].type, tv::remote::FieldType::Integer);
    EXPECT_EQ(none.fields[none.fieldIndex("BDATE")].type, tv::remote::FieldType::Date);
    EXPECT_EQ(none.fields[none.fieldIndex("PROCESS")].type, tv::remote::FieldType::DateTime);
    EXPECT_EQ(none.fields[none.fieldIndex("REP_CODE")].type, tv::remote::FieldType::LongText);
}

TEST_F(LabServiceTest, ReportViewsShowTheReleaseCurrentAtTheClock)
{
    const tv::remote::Rowset ana = select("SELECT * FROM V_EXTERNAL_REPORT_V2 WHERE (LABID=26000001) and "
                                          "(GENERICCODE='CMP14') and (account=1001)");
    ASSERT_EQ(ana.rows.size(), 1);
    EXPECT_EQ(ana.value(0, "PROCESS").toDateTime().toString("yyyy-MM-dd HH:mm:ss"), "2026-12-11 07:00:00");
    EXPECT_TRUE(ana.value(0, "REP_CODE").toString().contains("CORRECTED REPORT"));
    EXPECT_TRUE(ana.value(0, "REP_CODE").toString().contains("PNAME = \"RIVERA LOPEZ, ANA\""));

    // The CBC's correction is due a day after the clock: the first release still stands.
    const tv::remote::Rowset cbc = select("SELECT PROCESS, REP_CODE FROM V_EXTERNAL_REPORT_V2 WHERE LABID=26000001 "
                                          "AND GENERICCODE='CBCD'");
    ASSERT_EQ(cbc.rows.size(), 1);
    EXPECT_FALSE(cbc.value(0, "REP_CODE").toString().contains("CORRECTED"));

    const tv::remote::Rowset window = select(
        "SELECT * FROM V_EXTERNAL_REPORT_V2 R WHERE (R.PROCESS BETWEEN '12/10/2026 05:30' AND '12/11/2026 09:15:00') "
        "AND (R.ACCOUNT=1001)");
    EXPECT_GT(window.rows.size(), 10);
    for (qsizetype i = 0; i < window.rows.size(); ++i) {
        const QDateTime process = window.value(i, "PROCESS").toDateTime();
        EXPECT_LE(process.toString("yyyy-MM-dd HH:mm:ss"), "2026-12-11 09:00:00");
        EXPECT_EQ(window.value(i, "ACCOUNT").toInt(), 1001);
    }

    const tv::remote::Rowset reference = select("SELECT * FROM V_EXTERNAL_REPORT_LC WHERE LABID=26000003");
    ASSERT_EQ(reference.rows.size(), 1);
    const QString pages = reference.value(0, "REP_CODE").toString();
    EXPECT_TRUE(pages.startsWith("||"));
    const QByteArray firstPage = QByteArray::fromBase64(pages.section("||", 1, 1).toLatin1());
    EXPECT_TRUE(firstPage.startsWith(QByteArray::fromHex("d7cdc69a"))) << "a placeable WMF";
    EXPECT_TRUE(reference.value(0, "HL7").toString().startsWith("MSH|^~\\&|"));
    EXPECT_TRUE(reference.value(0, "HL7").toString().contains("\rPID|1|"));

    const tv::remote::Rowset status = select(
        "SELECT LABID,WDATE,NAME,SEX,GENERICCODE,DESCRIPTION,ENTRYSYS,PROCESSED,PRINTED,DEPTID2,BDATE,AGE,AGEU FROM "
        "V_REPORT_WEB WHERE ACCOUNT=1001  AND LabID=26000005");
    ASSERT_EQ(status.rows.size(), 1);
    EXPECT_TRUE(status.value(0, "PROCESSED").isValid());
    EXPECT_FALSE(status.value(0, "PRINTED").isValid()) << "processed, not yet released";
    const tv::remote::Rowset waiting = select("SELECT PROCESSED, PRINTED FROM V_REPORT_WEB WHERE LABID=26000004");
    ASSERT_EQ(waiting.rows.size(), 1);
    EXPECT_FALSE(waiting.value(0, "PROCESSED").isValid());
}

TEST_F(LabServiceTest, DemoHoldsConfigurationAndMessages)
{
    const tv::remote::Rowset config = select("SELECT * FROM CONFIG where VARSECTION='WEB' or VARSECTION='WEB9'");
    QStringList names;
    for (qsizetype i = 0; i < config.rows.size(); ++i)
        names << config.value(i, "VARNAME").toString();
    for (const char* name : {"SYSTEM.PAGE", "HELP.URL", "ORVALIS.WEB", "PROGRAM.WR", "UPDATE.WR"})
        EXPECT_TRUE(names.contains(name)) << name;
    EXPECT_FALSE(names.contains("COURIER.ROUTE"));

    const tv::remote::Rowset mine = select("SELECT * FROM CUSTOMER_MESSAGE CM WHERE ((CM.ACCOUNT=1001) OR "
                                           "(CM.ACCOUNT=0)) AND (CM.RS='S') AND (IDX>0)");
    EXPECT_EQ(mine.rows.size(), 4);
    for (qsizetype i = 1; i < mine.rows.size(); ++i)
        EXPECT_GT(mine.value(i, "IDX").toInt(), mine.value(i - 1, "IDX").toInt());
    EXPECT_TRUE(mine.value(0, "MESS").toString().contains("\r\n"));
}

TEST_F(LabServiceTest, ScriptRunsPermittedWritesWithTheLaboratoryClock)
{
    EXPECT_EQ(script("insert into client_conn(account,con_time,computer,wuser) values(1001,current_timestamp,"
                     "'Brenix|FRONT-PC|10','maria');"),
              200);
    const tv::remote::Rowset log = select("SELECT * FROM CLIENT_CONN WHERE WUSER='maria'");
    ASSERT_EQ(log.rows.size(), 1);
    EXPECT_EQ(log.value(0, "CON_TIME").toDateTime().toString("yyyy-MM-dd HH:mm:ss"), "2026-12-11 09:00:00");

    const int before = select("SELECT MAX(IDX) AS M FROM CUSTOMER_MESSAGE").value(0, "M").toInt();
    const QString text = QString::fromUtf8("Ñandú = 100% & <ok> \"quoted\" it''s");
    EXPECT_EQ(script("INSERT INTO CUSTOMER_MESSAGE(ACCOUNT,WDATE,FROM_USER,TITLE,MESS,MTYPE) VALUES (1001,"
                     "CURRENT_TIMESTAMP,'Maria','Question','" +
                     text + "','U')"),
              200);
    const tv::remote::Rowset sent = select("SELECT * FROM CUSTOMER_MESSAGE WHERE IDX>" + QString::number(before));
    ASSERT_EQ(sent.rows.size(), 1);
    EXPECT_EQ(sent.value(0, "MESS").toString(), QString(text).replace("''", "'"));
    EXPECT_EQ(sent.value(0, "RS").toString(), "R") << "a customer's message is not one the laboratory sent";

    EXPECT_EQ(script("UPDATE LABACCOUNTS SET VER_WR='10.0' where ACCOUNT=1001"), 200);
    EXPECT_EQ(select("SELECT VER_WR FROM LABACCOUNTS WHERE ACCOUNT=1001").value(0, "VER_WR").toString(), "10.0");
}

TEST_F(LabServiceTest, RefusesWhatAClientMayNotRun)
{
    for (const char* sql : {"DELETE FROM CLIENT_CONN", "UPDATE LABACCOUNTS SET ONHOLD='F' where ACCOUNT=1002",
                            "INSERT INTO CONFIG(VARSECTION,VARNAME) VALUES ('WEB','X')", "DROP TABLE CONFIG",
                            "SELECT * FROM LABACCOUNTS"})
        EXPECT_EQ(script(sql), 403) << sql;
    EXPECT_EQ(select("SELECT ONHOLD FROM LABACCOUNTS WHERE ACCOUNT=1002").value(0, "ONHOLD").toString(), "T");

    const Exchange deleteQuery = exchange(*s_lab, "GET", servicePath + "/SELECT", queryForm("DELETE FROM CONFIG"));
    EXPECT_EQ(deleteQuery.status, 403);
    const Exchange badQuery = exchange(*s_lab, "GET", servicePath + "/SELECT", queryForm("SELECT NOPE FROM CONFIG"));
    EXPECT_EQ(badQuery.status, 500);
    const Exchange notPacked = exchange(*s_lab, "POST", servicePath + "/SCRIPT", "SQL=plain+text&DB=x&ZIP=ZIP");
    EXPECT_EQ(notPacked.status, 400);
    const Exchange badForm = exchange(*s_lab, "POST", servicePath + "/SCRIPT", "SQL=%zz");
    EXPECT_EQ(badForm.status, 400);
    EXPECT_EQ(exchange(*s_lab, "POST", "/elsewhere", "").status, 404);
}

TEST(LabRestartTest, KeepsCertificateAndDataAndMovesWithTheClock)
{
    QTemporaryDir dir;
    const QString data = dir.filePath("lab");
    QByteArray firstCertificate;
    {
        LabProcess lab;
        ASSERT_TRUE(lab.start(data, {"--demo", "--demo-reports", "20", "--now", "2026-12-11T09:00:00"}));
        QFile pem(lab.certificate());
        ASSERT_TRUE(pem.open(QIODevice::ReadOnly));
        firstCertificate = pem.readAll();
    }
    LabProcess lab;
    ASSERT_TRUE(lab.start(data, {"--demo", "--now", "2026-12-13T09:00:00"}));
    QFile pem(lab.certificate());
    ASSERT_TRUE(pem.open(QIODevice::ReadOnly));
    EXPECT_EQ(pem.readAll(), firstCertificate);

    const Exchange answer = exchange(lab, "GET", servicePath + "/SELECT",
                                     queryForm("SELECT PROCESS, REP_CODE FROM V_EXTERNAL_REPORT_V2 WHERE "
                                               "LABID=26000001 AND GENERICCODE='CBCD'"));
    ASSERT_EQ(answer.status, 200);
    const tv::remote::Rowset cbc = tv::remote::readRowsetXml(tv::remote::gzipDecompress(answer.body).data).rowset;
    ASSERT_EQ(cbc.rows.size(), 1);
    EXPECT_EQ(cbc.value(0, "PROCESS").toDateTime().toString("yyyy-MM-dd HH:mm:ss"), "2026-12-12 09:00:00");
    EXPECT_TRUE(cbc.value(0, "REP_CODE").toString().contains("CORRECTED REPORT"));
}
