// The texts of the message exchange: the fetch, the stored body and the sent statement.
#include "messages/MessageText.h"

#include <gtest/gtest.h>

using namespace tv::messages;

TEST(message_text, fetch_statement_uses_the_bookmark)
{
    EXPECT_EQ(fetchStatement(1234, 57),
              QStringLiteral("SELECT * FROM CUSTOMER_MESSAGE CM WHERE ((CM.ACCOUNT=1234) OR (CM.ACCOUNT=0)) AND "
                             "(CM.RS='S') AND (IDX>57)"));
    EXPECT_TRUE(fetchStatement(1, 0).endsWith("(IDX>0)"));
}

TEST(message_text, stored_body_carries_sender_and_time)
{
    EXPECT_EQ(composeStoredText("Customer Service", QDateTime(QDate(2013, 8, 6), QTime(15, 17)), "line 1\r\nline 2"),
              QStringLiteral("FROM :Customer Service\r\nDATE :Tue, Aug/06/2013 03:17 pm\r\n\r\nline 1\r\nline 2"));
    EXPECT_TRUE(composeStoredText("x", QDateTime(QDate(2013, 8, 6), QTime(0, 5)), "").contains("12:05 am"));
    EXPECT_TRUE(composeStoredText("x", QDateTime(QDate(2013, 8, 6), QTime(12, 30)), "").contains("12:30 pm"));
}

TEST(message_text, sent_message_is_one_quoted_line)
{
    EXPECT_EQ(flattenMessage("one\r\ntwo\nthree"), QStringLiteral("one two three"));
    EXPECT_EQ(sendStatement(1234, "Ana", "Dr's results", "a\r\nb"),
              QStringLiteral("INSERT INTO CUSTOMER_MESSAGE(ACCOUNT,WDATE,FROM_USER,TITLE,MESS,MTYPE) VALUES "
                             "(1234,CURRENT_TIMESTAMP,'Ana','Dr''s results','a b','U')"));
    EXPECT_TRUE(sendStatement(1, "", "", "").contains("(1,CURRENT_TIMESTAMP,'','','','U')"));
}
