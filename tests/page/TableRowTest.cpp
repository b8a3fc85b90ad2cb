#include "PageTestSupport.h"
#include "page/PagePrinter.h"

#include <gtest/gtest.h>

using namespace tv::page;
using tv::page::test::TextAt;
using tv::page::test::textsOf;

namespace {

class TableRowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::ensureGuiApp();
        printer.setClock([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });
        printer.beginDoc();
    }
    int width(const QString& text) { return printer.measure().width(text); }
    const Page& lastPage() { return printer.document().pages.back(); }
    const PageOp& lastText()
    {
        const auto& ops = lastPage().ops;
        return *std::find_if(ops.rbegin(), ops.rend(), [](const PageOp& op) { return op.kind == OpKind::Text; });
    }

    PagePrinter printer; // 300 dpi: inner margin 9 dots, text area from (75, 75)
};

TEST_F(TableRowTest, format_entries_are_normalised)
{
    const struct {
        const char* format;
        const char* stored;
    } cases[] = {
        {"<1|>2.50|^0.5", "<1|>2.5|^0.5"},
        {"1.25", "<1.25"},
        {"abc||>|<|^", "<0|<0|>0|<0|^0"},
        {">-1", ">-1"},
        {"^ 2 ", "^2"},
        {"", ""},
        {"1,5", "<0"},
    };
    for (const auto& c : cases) {
        printer.setTableFormat(QString::fromLatin1(c.format));
        EXPECT_EQ(printer.tableFormat(), QString::fromLatin1(c.stored)) << c.format;
    }
}

TEST_F(TableRowTest, cells_are_placed_by_alignment_with_the_inner_margin)
{
    printer.setTableFormat(QStringLiteral("<1|>1|^1|>-1"));
    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("L|R|C|N")).ok());
    EXPECT_EQ(textsOf(lastPage()), (std::vector<TextAt>{
                                       {"L", 75 + 9, 75},
                                       {"R", 375 + 300 - width("R") - 9, 75},
                                       {"C", 675 + (300 - width("C")) / 2, 75},
                                       {"N", 975 + 300 - width("N") - 9, 75},
                                   }));
    EXPECT_EQ(printer.cursorY(), 42);
}

TEST_F(TableRowTest, missing_cells_print_empty_and_extra_cells_are_ignored)
{
    printer.setTableFormat(QStringLiteral("<1|<1|<1"));
    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("A")).ok());
    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("A|B|C|D|E")).ok());
    EXPECT_EQ(textsOf(lastPage()),
              (std::vector<TextAt>{{"A", 84, 75}, {"A", 84, 117}, {"B", 384, 117}, {"C", 684, 117}}));
}

TEST_F(TableRowTest, a_width_zero_column_prints_one_character_per_line)
{
    printer.setTableFormat(QStringLiteral("abc|<1"));
    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("xyz|ok")).ok());
    EXPECT_EQ(textsOf(lastPage()),
              (std::vector<TextAt>{{"x", 75, 75}, {"ok", 84, 75}, {"y", 75, 117}, {"z", 75, 159}}));
    EXPECT_EQ(printer.cursorY(), 126);
}

TEST_F(TableRowTest, long_cells_wrap_at_spaces_and_line_feeds)
{
    printer.setTableFormat(QStringLiteral("<0.5|<3"));
    // 0.5 in = 150 dots holds 5 characters of 25.2 dots.
    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("ab cdefgh|one\ntwo")).ok());
    EXPECT_EQ(textsOf(lastPage()),
              (std::vector<TextAt>{
                  {"ab ", 84, 75}, {"one", 234, 75}, {"cdefg", 84, 117}, {"two", 234, 117}, {"h", 84, 159}}));
}

TEST_F(TableRowTest, colour_and_style_cells)
{
    printer.setTableFormat(QStringLiteral("<2|<2"));
    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("?clRed?#Total|plain")).ok());
    const auto& ops = lastPage().ops;
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].text, QStringLiteral("Total"));
    EXPECT_TRUE(ops[0].brushSolid);
    EXPECT_EQ(ops[0].brushColour, 0x0000FFu);
    EXPECT_EQ(ops[0].font.weight, 700);
    EXPECT_EQ(ops[1].text, QStringLiteral("plain"));
    EXPECT_FALSE(ops[1].brushSolid);    // a cell without "?" clears the brush
    EXPECT_EQ(ops[1].font.weight, 700); // the style stays for the rest of the page
    printer.write(QStringLiteral("after"));
    EXPECT_EQ(lastText().font.weight, 700);

    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("?$00FF00?!it|?no colour")).ok());
    EXPECT_EQ(ops[3].brushColour, 0x00FF00u);
    EXPECT_TRUE(ops[3].font.italic);
    EXPECT_EQ(ops[3].font.weight, 400);
    EXPECT_EQ(ops[4].text, QStringLiteral("?no colour")); // brush and text unchanged
    EXPECT_TRUE(ops[4].brushSolid);

    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("&u|~none")).ok());
    EXPECT_TRUE(ops[5].font.underline);
    EXPECT_FALSE(ops[6].font.underline);
    EXPECT_FALSE(ops[6].font.italic);

    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("#bold")).ok());
    printer.newPage();
    printer.write(QStringLiteral("fresh"));
    EXPECT_EQ(lastText().font.weight, 400);
}

TEST_F(TableRowTest, an_unreadable_cell_colour_fails_the_row)
{
    printer.setTableFormat(QStringLiteral("<1"));
    const PageStatus status = printer.writeTableRow(QStringLiteral("?Red?x"));
    EXPECT_EQ(status.error, QStringLiteral("'Red' is not a valid integer value"));
    EXPECT_TRUE(lastPage().ops.empty());
}

TEST_F(TableRowTest, macros_expand_in_cells)
{
    printer.setTitle(QStringLiteral("Lab report"));
    printer.setTableFormat(QStringLiteral("<4"));
    printer.newPage();
    printer.newPage();
    printer.newLine();
    const struct {
        const char* cell;
        const char* text;
    } cases[] = {
        {"Page {$PAGE}", "Page 3"},   {"{$LINE}", "2"},         {"{$DATE}", "3/5/2026"}, {"{$TIME}", "2:07:09 PM"},
        {"{$TITLE}!", "Lab report!"}, {"{$OTHER}", "{$OTHER}"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(printer.writeTableRow(QString::fromLatin1(c.cell)).ok());
        EXPECT_EQ(lastText().text, QString::fromLatin1(c.text)) << c.cell;
    }
}

TEST_F(TableRowTest, macros_expand_once_per_cell)
{
    // A title naming a macro must not make a wrapped cell grow on every physical line.
    printer.setTitle(QStringLiteral("{$TITLE}{$TITLE}"));
    printer.setTableFormat(QStringLiteral("<0.5"));
    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("{$TITLE}")).ok());
    EXPECT_EQ(textsOf(lastPage()),
              (std::vector<TextAt>{{"{$TIT", 84, 75}, {"LE}{$", 84, 117}, {"TITLE", 84, 159}, {"}", 84, 201}}));
}

TEST_F(TableRowTest, a_row_format_applies_to_one_row_only)
{
    printer.setTableFormat(QStringLiteral("<1"));
    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("a|b"), QStringLiteral("<1|<1")).ok());
    EXPECT_EQ(printer.tableFormat(), QStringLiteral("<1"));
    EXPECT_FALSE(printer.writeTableRow(QStringLiteral("?bad?"), QStringLiteral("<2")).ok());
    EXPECT_EQ(printer.tableFormat(), QStringLiteral("<1"));
    EXPECT_EQ(textsOf(lastPage()).size(), 2u);
}

TEST_F(TableRowTest, a_page_heading_row_inside_a_broken_row_keeps_both_formats)
{
    // The new-page handler prints its own heading row while a wrapped row breaks the page.
    printer.setNewPageHandler([&] { printer.writeTableRow(QStringLiteral("H1|H2|H3"), QStringLiteral("<1|<1|<1")); });
    printer.setTableFormat(QStringLiteral("<0"));
    for (int i = 0; i < 69; ++i)
        printer.newLine();
    ASSERT_TRUE(printer.writeTableRow(QStringLiteral("abc")).ok());
    ASSERT_EQ(printer.pageCount(), 2);
    EXPECT_EQ(textsOf(lastPage()),
              (std::vector<TextAt>{{"H1", 84, 75}, {"H2", 384, 75}, {"H3", 684, 75}, {"c", 75, 117}}));
}

} // namespace
