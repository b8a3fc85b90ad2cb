// What the laboratory runs for a client: one SELECT for a query, one INSERT or UPDATE on the
// objects and columns a client writes for a script, and the fixed clock in place of CURRENT_TIMESTAMP.
#include "lab/StatementGuard.h"

#include <gtest/gtest.h>

using tv::lab::checkQuery;
using tv::lab::checkScript;

namespace {

struct Case {
    const char* sql;
    bool allowed;
};

const std::optional<QDateTime> noClock;

} // namespace

TEST(statement_guard, queries)
{
    const Case cases[] = {
        {"SELECT * FROM V_EXTERNAL_REPORT_V2 R WHERE (R.PROCESS BETWEEN '12/10/2026 05:30' AND '12/11/2026 05:30') "
         "AND (R.ACCOUNT=1001)",
         true},
        {"select * from CONFIG where VARSECTION='WEB' or VARSECTION='WEB9'", true},
        {"SELECT * FROM V_REPORT_WEB WHERE ACCOUNT=1001  AND \"NAME\" LIKE 'O''NEIL, JOHN%' AND WDATE>'12/04/2026'",
         true},
        {"SELECT 1 FROM RDB$DATABASE;", true},
        {"SELECT 'a;b' FROM RDB$DATABASE -- trailing ; comment", true},
        {"  \r\n SELECT 1 FROM RDB$DATABASE", true},
        {"DELETE FROM CONFIG", false},
        {"SELECT 1 FROM RDB$DATABASE; DELETE FROM CONFIG", false},
        {"SELECT 1 FROM RDB$DATABASE /* ; */ ; DROP TABLE CONFIG", false},
        {"SELECT RDB$SET_CONTEXT('USER_SESSION', 'LAB_NOW', '2030-01-01') FROM RDB$DATABASE", false},
        {"EXECUTE BLOCK AS BEGIN END", false},
        {"SELECT 'unterminated FROM RDB$DATABASE", false},
        {"", false},
        {";", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkQuery(QString::fromUtf8(c.sql), noClock).allowed, c.allowed) << c.sql;
}

TEST(statement_guard, scripts)
{
    const Case cases[] = {
        {"insert into client_conn(account,con_time,computer,wuser) values(1001,current_timestamp,'Brenix|PC-01|10','"
         "frontdesk');",
         true},
        {"INSERT INTO CUSTOMER_MESSAGE(ACCOUNT,WDATE,FROM_USER,TITLE,MESS,MTYPE) VALUES (1001,CURRENT_TIMESTAMP,'Ana',"
         "'Question','It''s about; the (INSERT) DELETE report','U')",
         true},
        {"UPDATE LABACCOUNTS SET VER_WR='10.0' where ACCOUNT=1001", true},
        {"UPDATE LABACCOUNTS SET VER_WR='10.0' where ACCOUNT=1001;", true},
        {"UPDATE LABACCOUNTS SET VER_WR='10.0'", false},
        {"UPDATE LABACCOUNTS SET ONHOLD='F' where ACCOUNT=1002", false},
        {"UPDATE LABACCOUNTS SET VER_WR='1', WEBDATAENTRY='Y' where ACCOUNT=1003", false},
        {"UPDATE OR INSERT INTO LABACCOUNTS (ACCOUNT) VALUES (9)", false},
        {"UPDATE CONFIG SET VARVALUE='x' where VARNAME='PROGRAM.WR'", false},
        {"INSERT INTO CUSTOMER_MESSAGE(IDX,ACCOUNT,RS,MESS) VALUES (1,1001,'S','spoof')", false},
        {"INSERT INTO CUSTOMER_MESSAGE(ACCOUNT,RS) VALUES (0,'S')", false},
        {"INSERT INTO CUSTOMER_MESSAGE VALUES (1,1001,'S',CURRENT_TIMESTAMP,'a','b','c','d')", false},
        {"INSERT INTO LAB_RELEASE(LABID) VALUES (1)", false},
        {"INSERT INTO CLIENT_CONN(ACCOUNT) SELECT ACCOUNT FROM LABACCOUNTS", false},
        {"INSERT INTO CLIENT_CONN(ACCOUNT) VALUES ((SELECT MAX(ACCOUNT) FROM LABACCOUNTS))", false},
        {"INSERT INTO CLIENT_CONN(ACCOUNT) VALUES (1) RETURNING ACCOUNT", false},
        {"INSERT INTO CLIENT_CONN(ACCOUNT) VALUES (1); DELETE FROM CLIENT_CONN", false},
        {"DELETE FROM CLIENT_CONN", false},
        {"SELECT * FROM LABACCOUNTS", false},
        {"DROP TABLE CONFIG", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkScript(QString::fromUtf8(c.sql), noClock).allowed, c.allowed) << c.sql;
}

TEST(statement_guard, fixed_clock_replaces_clock_words_outside_strings)
{
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 30, 5));
    const tv::lab::GuardVerdict verdict = checkScript(
        "insert into client_conn(account,con_time,computer,wuser) values(1001,current_timestamp,'current_timestamp',"
        "'x');",
        now);
    ASSERT_TRUE(verdict.allowed) << verdict.reason.toStdString();
    EXPECT_EQ(verdict.statement, "insert into client_conn(account,con_time,computer,wuser) values(1001,TIMESTAMP "
                                 "'2026-12-11 09:30:05','current_timestamp','x')");
    EXPECT_EQ(checkScript("UPDATE LABACCOUNTS SET VER_WR='1' where ACCOUNT=1", noClock).statement,
              "UPDATE LABACCOUNTS SET VER_WR='1' where ACCOUNT=1");
}
