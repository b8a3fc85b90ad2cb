// Account synchronisation against a scripted laboratory: keys, vendor files, configuration rows,
// the version report, and an account the laboratory does not know.
#include "intake/AccountCheck.h"
#include "intake/AccountSync.h"
#include "store/ConfigStore.h"
#include "support/IntakeFixture.h"

#include <QDir>
#include <QFile>

using namespace tv;
using namespace tv::intake;
using namespace tv::intake::test;
using remote::FieldType;

namespace {

remote::Rowset accountRow(const QString& exportDat)
{
    remote::Rowset rows;
    const char* names[] = {"ACCOUNT", "LABNAME", "ONHOLD", "WEBDATAENTRY", "VENDOR", "VERSION_DATE",
                           "EXPORT_INI", "EXPORT_DAT", "IMPORT_INI", "OLD_DATE"};
    for (const char* name : names)
        rows.fields.append({QLatin1String(name), FieldType::Text, 200});
    rows.fields[0].type = FieldType::Integer;
    rows.fields[5].type = FieldType::Date;
    rows.fields[6].type = FieldType::LongText;
    rows.fields[7].type = FieldType::LongText;
    rows.fields[8].type = FieldType::LongText;
    rows.rows.append({1001, "  Demo Family Practice ", "F", "Y", "ACME", QDate(2026, 3, 5), "[EXPORT]\nREPIMAGE=",
                      exportDat, "[HL7]\r\nEXTRAFIELDS=A=x:B=y", "old"});
    return rows;
}

remote::Rowset configRows()
{
    remote::Rowset rows;
    rows.fields = {{"VARSECTION", FieldType::Text, 20}, {"VARNAME", FieldType::Text, 40},
                   {"VARVALUE", FieldType::Text, 250}, {"VARINI", FieldType::LongText}};
    rows.rows = {{"WEB", "system.page", "", "Sub main(p)\r\nEnd Sub"},
                 {"WEB9", "PROGRAM.WR", "10.1", QVariant()},
                 {"WEB", "UPDATE.WR", "https://lab.example/setup", QVariant()}};
    return rows;
}

class AccountSyncTest : public IntakeFixture {
protected:
    AccountSyncResult sync()
    {
        IntakeContext& c = context();
        AccountSyncContext sync{c.remote, m_db, m_dir.path(), 1001, "10.0",
                                [](const QByteArray& plain) { return "ENCODED:" + plain; },
                                [this] { ++m_reloads; }};
        return syncAccount(sync);
    }

    QString config(const char* key) { return store::ConfigStore(m_db).getConfig(QLatin1String(key)).text; }
    QByteArray file(const char* name)
    {
        QFile f(QDir(m_dir.path()).filePath(QLatin1String(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    int m_reloads = 0;
};

} // namespace

TEST_F(AccountSyncTest, StoresKeysFilesConfigurationAndReportsTheVersion)
{
    setLab([](const QString& sql) {
        if (sql.contains("FROM LABACCOUNTS"))
            return answer(accountRow("Sub Export(p)\nEnd Sub"));
        if (sql.contains("FROM CONFIG"))
            return answer(configRows());
        return remote::test::reply(200);
    });
    const AccountSyncResult result = sync();
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_EQ(result.extraFieldsInit, QStringLiteral("A=\"\":B=\"\":"));
    EXPECT_EQ(m_reloads, 1);
    EXPECT_EQ(config("USER.ACCOUNT"), "1001");
    EXPECT_EQ(config("USER.LABNAME"), "Demo Family Practice");
    // Any column whose name holds "_DAT" is a file, VERSION_DATE too.
    EXPECT_EQ(file("VERSION.DATE"), "3/5/2026\r\n");
    EXPECT_EQ(file("EXPORT.INI"), "[EXPORT]\r\nREPIMAGE=\r\n");
    EXPECT_EQ(file("EXPORT.DAT"), "Sub Export(p)\r\nEnd Sub\r\n");
    EXPECT_EQ(file("OLD.DATE"), "old\r\n");
    EXPECT_EQ(config("OLD_DATE"), "");
    EXPECT_EQ(store::ConfigStore(m_db).getConfigIni("SYSTEM.PAGE").text, "ENCODED:Sub main(p)\r\nEnd Sub");
    EXPECT_EQ(config("PROGRAM.WR"), "10.1");
    EXPECT_EQ(config("UPDATE.WR"), "https://lab.example/setup");
    ASSERT_EQ(m_statements.size(), 3);
    EXPECT_EQ(m_statements[2], "UPDATE LABACCOUNTS SET VER_WR='10.0' where ACCOUNT=1001");
}

TEST_F(AccountSyncTest, BlankVendorTextLeavesTheOldFile)
{
    QFile old(QDir(m_dir.path()).filePath("EXPORT.DAT"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("kept");
    old.close();
    setLab([](const QString& sql) {
        return sql.contains("FROM LABACCOUNTS") ? answer(accountRow("   ")) : answer(configRows());
    });
    sync();
    EXPECT_EQ(file("EXPORT.DAT"), "kept");
}

TEST_F(AccountSyncTest, AnUnknownAccountWritesNoKeysAndNoFilesButTheRestRuns)
{
    setLab([](const QString& sql) {
        if (sql.contains("FROM LABACCOUNTS")) {
            remote::Rowset empty = accountRow("x");
            empty.rows.clear();
            return answer(empty);
        }
        return sql.contains("FROM CONFIG") ? answer(configRows()) : remote::test::reply(200);
    });
    const AccountSyncResult result = sync();
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_EQ(config("USER.LABNAME"), "");
    EXPECT_EQ(file("EXPORT.DAT"), "<missing>");
    EXPECT_EQ(config("PROGRAM.WR"), "10.1");
    EXPECT_EQ(m_statements.size(), 3);
    EXPECT_EQ(m_reloads, 1);
}

TEST_F(AccountSyncTest, ADeadLaboratoryStillReloadsThePageScript)
{
    setLab([](const QString&) { return remote::test::failing(remote::test::CannedReply::Mode::Drop); });
    const AccountSyncResult result = sync();
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_EQ(m_reloads, 1);
    EXPECT_EQ(config("USER.LABNAME"), "");
    EXPECT_EQ(m_notices.count(qMakePair(QString("Connection Fail"), QString("Try later"))), 3);
}

TEST_F(AccountSyncTest, TheAccountCheckLogsTheStartThenTellsHoldAndDisabledExactly)
{
    const struct {
        QVariant onHold, webDataEntry;
        bool hold, disabled;
    } cases[] = {
        {"T", "N", true, true}, {"t", "Y", false, false}, {"TRUE", "n", false, false},
        {"F", "N", false, true}, {"T", QVariant(), true, false}, // an empty value is enabled
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.onHold.toString().toStdString() + "/" + c.webDataEntry.toString().toStdString());
        ASSERT_TRUE(m_db.execute("DELETE FROM CONFIG WHERE VNAME STARTING WITH 'USER.'").ok);
        remote::Rowset account = accountRow("x");
        account.rows[0][2] = c.onHold;
        account.rows[0][3] = c.webDataEntry;
        setLab([&](const QString& sql) {
            return sql.contains("FROM LABACCOUNTS") ? answer(account) : remote::test::reply(200);
        });
        m_statements.clear();
        m_notices.clear();
        IntakeContext& intake = context();
        AccountSyncContext sync{intake.remote, m_db, m_dir.path(), 1001, "10.0", {}, [] {}};
        const AccountCheckResult check = runAccountCheck(sync, intake.notice, "OFFICE-2", "front.desk");
        EXPECT_TRUE(m_statements.value(0).startsWith("insert into client_conn")) << m_statements.value(0).toStdString();
        EXPECT_EQ(check.onHold, c.hold);
        EXPECT_EQ(check.disabled, c.disabled);
        const QString service = "Call PLOM customer service for details.";
        QList<QPair<QString, QString>> told;
        if (c.hold)
            told.append(qMakePair(QString("User account on HOLD"), service));
        if (c.disabled)
            told.append(qMakePair(QString("Account disabled"), service));
        EXPECT_EQ(m_notices, told);
    }
}
