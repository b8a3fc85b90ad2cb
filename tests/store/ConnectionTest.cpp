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
