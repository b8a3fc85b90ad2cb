#include "StoreFixture.h"
#include "text/Cp1252.h"

using namespace tv::store;
using tv::store::testing::StoreFixture;

class connection_test : public StoreFixture {};

// A name with accents must fit its VARCHAR(40) as 40 single bytes; sent as UTF-8 it would not.
TEST_F(connection_test, texts_are_stored_as_windows_1252_bytes)
{
    const QString name = QStringLiteral("PÉREZ NÚÑEZ, ÁNGELA MARÍA € „quoted“ ÿ").leftJustified(40, u'x');
    exec(QStringLiteral("INSERT INTO EXTERNAL_REPORT (LABID, NAME, GENERICCODE) VALUES (?, ?, ?)"), {1, name, "CBC"});
    const Rows rows = select(QStringLiteral("SELECT NAME, OCTET_LENGTH(NAME) AS BYTES FROM EXTERNAL_REPORT"));
    ASSERT_EQ(rows.rows.size(), 1);
    EXPECT_EQ(rows.value(0, u"NAME").toString(), name);
    EXPECT_EQ(rows.value(0, u"BYTES").toInt(), 40);
}

TEST_F(connection_test, values_round_trip_with_their_types)
{
    const QDate day(1970, 3, 5);
    const QDateTime moment(QDate(2024, 2, 29), QTime(14, 35, 10, 250));
    QByteArray program;
    for (int i = 0; i < 70000; ++i)
        program.append(char(32 + i % 200)); // longer than one blob segment, every high byte
    exec(QStringLiteral("INSERT INTO EXTERNAL_REPORT (LABID, GENERICCODE, BDATE, PROCESS, AGE, REP_CODE, SS) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?)"),
         {7, "X", day, moment, QVariant(), program, QString()});
    const Rows rows = select(QStringLiteral("SELECT BDATE, PROCESS, AGE, REP_CODE, SS FROM EXTERNAL_REPORT"));
    ASSERT_EQ(rows.rows.size(), 1);
    EXPECT_EQ(rows.value(0, u"BDATE").toDate(), day);
    EXPECT_EQ(rows.value(0, u"PROCESS").toDateTime(), moment);
    EXPECT_TRUE(rows.value(0, u"AGE").isNull());
    EXPECT_EQ(rows.value(0, u"REP_CODE").toString(), tv::text::fromCp1252(program));
    EXPECT_EQ(rows.value(0, u"SS").toString(), QString());
    EXPECT_FALSE(rows.value(0, u"SS").isNull());
}

TEST_F(connection_test, transaction_rolls_back_everything)
{
    ASSERT_TRUE(m_db.beginTransaction().ok);
    exec(QStringLiteral("INSERT INTO EXTERNAL_REPORT (LABID, GENERICCODE) VALUES (1, 'A')"));
    const StoreResult failed = m_db.execute(QStringLiteral("INSERT INTO NO_SUCH_TABLE VALUES (1)"));
    EXPECT_FALSE(failed.ok);
    m_db.rollback();
    EXPECT_EQ(select(QStringLiteral("SELECT COUNT(*) FROM EXTERNAL_REPORT")).rows[0][0].toInt(), 0);
}

TEST_F(connection_test, failures_carry_the_engine_text)
{
    const StoreResult wrongCount = m_db.executeProcedure(QStringLiteral("ADD_CONFIG"), {"A"});
    EXPECT_FALSE(wrongCount.ok);
    EXPECT_TRUE(wrongCount.message.contains(QLatin1String("ADD_CONFIG"))) << wrongCount.message.toStdString();
    const StoreResult tooFew = m_db.execute(QStringLiteral("SELECT * FROM CONFIG WHERE VNAME = ?"));
    EXPECT_FALSE(tooFew.ok);
    EXPECT_TRUE(tooFew.message.contains(QLatin1String("expects 1 values"))) << tooFew.message.toStdString();
    const StoreResult bad = m_db.execute(QStringLiteral("SELEKT 1"));
    EXPECT_FALSE(bad.ok);
    EXPECT_TRUE(bad.message.contains(QLatin1String("SELEKT"))) << bad.message.toStdString();
    Connection closed;
    EXPECT_FALSE(closed.execute(QStringLiteral("SELECT 1 FROM RDB$DATABASE")).ok);
}

// Within a transaction one prepared statement serves every call of the same text; it must keep
// serving after a call that failed, and a transaction rolled back or a reopened connection must
// not leave a stale one behind.
TEST_F(connection_test, a_statement_kept_for_a_transaction_survives_a_failure_rollback_and_reopen)
{
    const QString insert = QStringLiteral("INSERT INTO EXTERNAL_REPORT (LABID, NAME, GENERICCODE) VALUES (?, ?, 'X')");
    ASSERT_TRUE(m_db.beginTransaction().ok);
    exec(insert, {1, "ONE"});
    EXPECT_FALSE(m_db.execute(insert, {2, QString(41, u'Y')}).ok); // longer than the column
    exec(insert, {3, "THREE"});
    ASSERT_TRUE(m_db.commit().ok);
    ASSERT_TRUE(m_db.beginTransaction().ok);
    exec(insert, {4, "FOUR"});
    m_db.rollback();
    ASSERT_TRUE(m_db.beginTransaction().ok);
    exec(insert, {5, "FIVE"});
    ASSERT_TRUE(m_db.commit().ok);
    const QString location = m_db.location();
    ASSERT_TRUE(m_db.beginTransaction().ok);
    exec(insert, {6, "SIX"});
    m_db.close(); // rolls back the open transaction
    ASSERT_TRUE(m_db.open(location).ok);
    ASSERT_TRUE(m_db.beginTransaction().ok);
    exec(insert, {7, "SEVEN"});
    ASSERT_TRUE(m_db.commit().ok);
    const Rows rows = select(QStringLiteral("SELECT LABID, NAME FROM EXTERNAL_REPORT ORDER BY LABID"));
    QStringList stored;
    for (const QVariantList& row : rows.rows)
        stored << row.value(0).toString() + QLatin1Char(' ') + row.value(1).toString();
    EXPECT_EQ(stored, (QStringList{"1 ONE", "3 THREE", "5 FIVE", "7 SEVEN"}));
}

// Another attachment (the schema updater's) may change a table between two transactions of
// this one; the next transaction must see the table as it now is.
TEST_F(connection_test, the_next_transaction_sees_a_schema_change_made_by_another_attachment)
{
    exec(QStringLiteral("CREATE TABLE PROBE (A INTEGER)"));
    exec(QStringLiteral("INSERT INTO PROBE (A) VALUES (1)"));
    const QString query = QStringLiteral("SELECT * FROM PROBE");
    ASSERT_TRUE(m_db.beginTransaction().ok);
    EXPECT_EQ(select(query).columns, QStringList{"A"});
    ASSERT_TRUE(m_db.commit().ok);
    {
        Connection other;
        ASSERT_TRUE(other.open(m_db.location()).ok);
        const StoreResult altered = other.execute(QStringLiteral("ALTER TABLE PROBE ADD B INTEGER"));
        ASSERT_TRUE(altered.ok) << altered.message.toStdString();
    }
    ASSERT_TRUE(m_db.beginTransaction().ok);
    EXPECT_EQ(select(query).columns, (QStringList{"A", "B"}));
    ASSERT_TRUE(m_db.commit().ok);
}
