#include "store/SqlScript.h"

#include <gtest/gtest.h>

using namespace tv::store;

namespace {

struct SplitCase {
    const char* name;
    const char* script;
    std::vector<const char*> statements;  // empty + ok=false => malformed
    bool ok = true;
};

const SplitCase kCases[] = {
    {"plain", "CREATE TABLE A (X INTEGER);\nDROP TABLE A;", {"CREATE TABLE A (X INTEGER)", "DROP TABLE A"}},
    {"blank_and_comment_only", "  \n-- nothing\n/* here */ ;", {}},
    {"set_term_not_sent",
     "SET TERM ^^ ;\nCREATE PROCEDURE P AS BEGIN EXIT; END ^^\nSET TERM ; ^^\nSELECT 1 FROM RDB$DATABASE;",
     {"CREATE PROCEDURE P AS BEGIN EXIT; END", "SELECT 1 FROM RDB$DATABASE"}},
    {"set_term_lower_case", "set term !! ;\nA; B !!\nset term ; !!\nC;", {"A; B", "C"}},
    {"terminator_in_string", "INSERT INTO T VALUES ('a;b''c;');", {"INSERT INTO T VALUES ('a;b''c;')"}},
    {"terminator_in_quoted_name", "SELECT \"x;y\" FROM T;", {"SELECT \"x;y\" FROM T"}},
    {"terminator_in_comments", "SELECT 1 -- not; here\nFROM T /* nor; here */;",
     {"SELECT 1 -- not; here\nFROM T /* nor; here */"}},
    {"missing_last_terminator", "SELECT 1 FROM T", {}, false},
    {"unclosed_string", "SELECT 'abc FROM T;", {}, false},
    {"unclosed_comment", "SELECT 1; /* open", {}, false},
    {"set_term_without_value", "SET TERM ;", {}, false},
    {"old_terminator_after_switch", "SET TERM ^^ ;\nSELECT 1;", {}, false},
};

} // namespace

TEST(sql_script_test, splits_by_current_terminator)
{
    for (const SplitCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const SqlSplit split = splitSqlScript(QString::fromUtf8(c.script));
        EXPECT_EQ(split.ok, c.ok) << split.error.toStdString();
        if (!c.ok) {
            EXPECT_TRUE(split.statements.isEmpty());
            EXPECT_FALSE(split.error.isEmpty());
            continue;
        }
        ASSERT_EQ(split.statements.size(), qsizetype(c.statements.size()));
        for (std::size_t i = 0; i < c.statements.size(); ++i)
            EXPECT_EQ(split.statements[qsizetype(i)].text.toStdString(), c.statements[i]);
    }
}

TEST(sql_script_test, statements_know_their_line)
{
    const SqlSplit split = splitSqlScript(u"\n\nA;\n\nSET TERM ^^ ;\nB ^^");
    ASSERT_TRUE(split.ok);
    ASSERT_EQ(split.statements.size(), 2);
    EXPECT_EQ(split.statements[0].line, 3);
    EXPECT_EQ(split.statements[1].line, 6);
}
