// Fetching messages into the local mailbox: the bookmark, the new-mail flag, and failures.
#include "messages/MessageSync.h"
#include "store/ConfigStore.h"
#include "support/IntakeFixture.h"

using namespace tv;
using namespace tv::messages;
using remote::FieldType;

namespace {

remote::Rowset messageRows(QList<int> indexes)
{
    remote::Rowset rows;
    rows.fields = {{"IDX", FieldType::Integer},      {"ACCOUNT", FieldType::Integer}, {"RS", FieldType::Text, 1},
                   {"WDATE", FieldType::DateTime},   {"FROM_USER", FieldType::Text, 100},
                   {"TITLE", FieldType::Text, 250},  {"MESS", FieldType::LongText}, {"MTYPE", FieldType::Text, 4}};
    for (int idx : indexes)
        rows.rows.append({idx, 0, "S", QDateTime(QDate(2013, 8, 6), QTime(15, 17)), "Customer Service",
                          QStringLiteral("Title %1").arg(idx), "line 1\r\nline 2", "$X"});
    return rows;
}

class MessageSyncTest : public intake::test::IntakeFixture {
protected:
    MessageFetch fetch()
    {
        MessageContext c{context().remote, m_db, 1001, [this] { return m_now; }};
        return syncMessages(c, true);
    }
    QString flag() { return store::ConfigStore(m_db).getConfig("MAIL.MESSAGES").text; }
};

} // namespace

TEST_F(MessageSyncTest, NewMessagesArriveOnceAndRaiseTheFlag)
{
    setLab([](const QString& sql) { return answer(messageRows(sql.endsWith("(IDX>0)") ? QList<int>{3, 4} : QList<int>{})); });
    const MessageFetch first = fetch();
    EXPECT_EQ(first.stored, 2);
    EXPECT_EQ(flag(), "T");
    EXPECT_EQ(localRows("SELECT IDX, WDATE, TITLE, MESS, MTYPE FROM MESSAGES ORDER BY IDX"),
              (QStringList{"3|2026-12-11|Title 3|FROM :Customer Service\r\nDATE :Tue, Aug/06/2013 03:17 pm\r\n\r\n"
                           "line 1\r\nline 2|$X",
                           "4|2026-12-11|Title 4|FROM :Customer Service\r\nDATE :Tue, Aug/06/2013 03:17 pm\r\n\r\n"
                           "line 1\r\nline 2|$X"}));

    ASSERT_TRUE(store::ConfigStore(m_db).addConfig("MAIL.MESSAGES", "F").ok);
    const MessageFetch second = fetch();
    EXPECT_TRUE(second.answered);
    EXPECT_EQ(second.stored, 0);
    EXPECT_EQ(flag(), "F");
    EXPECT_TRUE(m_statements.last().endsWith("(IDX>4)"));
}

TEST_F(MessageSyncTest, AFailedOrBrokenFetchStoresNothing)
{
    setLab([](const QString&) { return remote::test::failing(remote::test::CannedReply::Mode::Drop); });
    EXPECT_FALSE(fetch().answered);
    // A title too long for the store makes it refuse the second row: nothing is kept,
    // so the bookmark cannot pass a message that was never stored.
    setLab([](const QString&) {
        remote::Rowset rows = messageRows({7, 8});
        rows.rows[1][5] = QString(300, QLatin1Char('x'));
        return answer(rows);
    });
    const MessageFetch broken = fetch();
    EXPECT_FALSE(broken.error.isEmpty());
    EXPECT_EQ(count("MESSAGES"), 0);
    EXPECT_EQ(flag(), "");
}

TEST_F(MessageSyncTest, SendingFlattensAndQuotes)
{
    MessageContext c{context().remote, m_db, 1001, [this] { return m_now; }};
    EXPECT_TRUE(sendMessage(c, "Ana", "Dr's results", "one\r\ntwo\r\nthree"));
    EXPECT_EQ(m_statements.last(), "INSERT INTO CUSTOMER_MESSAGE(ACCOUNT,WDATE,FROM_USER,TITLE,MESS,MTYPE) VALUES "
                                   "(1001,CURRENT_TIMESTAMP,'Ana','Dr''s results','one two three','U')");
}
