#include "page/PagePrinter.h"

#include "PageTestSupport.h"

#include <gtest/gtest.h>

using namespace tv::page;
using tv::page::test::TextAt;
using tv::page::test::textsOf;

namespace {

class PagePrinterTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureGuiApp(); }
    int width(const QString& text) { return printer.measure().width(text); }
    const Page& page(int n) { return printer.document().pages.at(size_t(n - 1)); }

    PagePrinter printer; // fallback device: 300 dpi, 8.5 x 11 in, offsets 0.25 in; margins 0.5 in
};

TEST_F(PagePrinterTest, fallback_device_gives_text_area_and_line_height)
{
    EXPECT_EQ(printer.device(), PageDevice::fallback());
    EXPECT_EQ(printer.device().pageSizeDots(), QSize(2400, 3150));
    EXPECT_EQ(printer.textArea(), QRect(75, 75, 2250, 3000));
    EXPECT_EQ(printer.lineHeight(), 42); // 10 pt at 300 dpi
    printer.beginDoc();
    EXPECT_DOUBLE_EQ((printer.textArea().left() + printer.cursorX()) / 300.0, 0.25);
    EXPECT_EQ(printer.pageCount(), 1);
    EXPECT_EQ(printer.pageNumber(), 1);
}

TEST_F(PagePrinterTest, conversions_round_half_to_even)
{
    const PageDevice d;
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(d.lx(1.0 / 600), 0); // 0.5 dot
    EXPECT_EQ(d.lx(3.0 / 600), 2); // 1.5 dots
    EXPECT_EQ(d.px(0.25), 0);
    EXPECT_EQ(d.py(1.0), 225);
    EXPECT_EQ(roundHalfEven(1e300), roundHalfEven(1e301)); // clamped, never overflows
}

TEST_F(PagePrinterTest, line_spacing_scales_the_font_height)
{
    const struct {
        LineSpacing spacing;
        int size;
        int height;
    } cases[] = {{LineSpacing::Half, 10, 21},   {LineSpacing::Single, 10, 42}, {LineSpacing::OneAndHalf, 10, 63},
                 {LineSpacing::Double, 10, 84}, {LineSpacing::Single, 12, 50}, {LineSpacing::OneAndHalf, 9, 57},
                 {LineSpacing::Half, 9, 19}}; // 9 pt = 37.5 dots, rounded up as GDI does
    for (const auto& c : cases) {
        FontSpec f = printer.font();
        f.size = c.size;
        printer.setFont(f);
        printer.setLineSpacing(c.spacing);
        EXPECT_EQ(printer.lineHeight(), c.height) << c.size << " pt, spacing " << int(c.spacing);
    }
}

TEST_F(PagePrinterTest, write_moves_the_cursor_without_ending_the_line)
{
    printer.beginDoc();
    printer.write(QStringLiteral("Hello"));
    printer.write(QStringLiteral(" world"));
    EXPECT_EQ(textsOf(page(1)), (std::vector<TextAt>{{"Hello", 75, 75}, {" world", 75 + width("Hello"), 75}}));
    EXPECT_EQ(printer.cursorX(), width("Hello") + width(" world"));
    EXPECT_EQ(printer.cursorY(), 0);
}

TEST_F(PagePrinterTest, write_wraps_by_the_cut_rule)
{
    const QString a80(80, 'a'), a89(89, 'a'), b19(19, 'b'), b10(10, 'b');
    ASSERT_LE(width(a89), 2250);
    ASSERT_GT(width(a89 + 'a'), 2250);
    const struct {
        QString text;
        std::vector<QString> lines;
    } cases[] = {
        {a80 + ' ' + b19, {a80 + ' ', b19}},              // cut after the last space
        {QString(100, 'a'), {a89, QString(11, 'a')}},     // no space: cut inside the word
        {a89 + ' ' + b10, {a89, ' ' + b10}},              // a space at the cut begins the rest
        {a89 + '\t' + 'b', {a89, QString(7, ' ') + 'b'}}, // tabs become spaces first
    };
    for (const auto& c : cases) {
        printer.beginDoc();
        printer.write(c.text);
        std::vector<TextAt> expected;
        for (size_t i = 0; i < c.lines.size(); ++i)
            expected.push_back({c.lines[i], 75, 75 + 42 * int(i)});
        EXPECT_EQ(textsOf(page(1)), expected) << c.text.toStdString();
        EXPECT_EQ(printer.cursorX(), width(c.lines.back()));
    }
}

TEST_F(PagePrinterTest, write_wraps_into_the_room_left_on_the_line)
{
    printer.beginDoc();
    printer.write(QString(50, 'x'));
    printer.write(QString(50, 'y'));
    const auto texts = textsOf(page(1));
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].text, QString(39, 'y'));
    EXPECT_EQ(texts[1].x, 75 + width(QString(50, 'x')));
    EXPECT_EQ(texts[2], (TextAt{QString(11, 'y'), 75, 117}));
}

TEST_F(PagePrinterTest, write_line_drops_the_space_at_the_cut_and_ends_every_part)
{
    const QString a89(89, 'a');
    printer.beginDoc();
    printer.writeLine(a89 + ' ' + "bbb");
    EXPECT_EQ(textsOf(page(1)), (std::vector<TextAt>{{a89, 75, 75}, {"bbb", 75, 117}}));
    EXPECT_EQ(printer.cursorY(), 84);
    EXPECT_EQ(printer.cursorX(), 0);
    EXPECT_EQ(printer.lineCounter(), 2);
}

TEST_F(PagePrinterTest, write_line_draws_over_text_written_before_on_the_line)
{
    printer.beginDoc();
    printer.write(QStringLiteral("abc"));
    printer.writeLine(QStringLiteral("XY"));
    EXPECT_EQ(textsOf(page(1)), (std::vector<TextAt>{{"abc", 75, 75}, {"XY", 75, 75}}));
    EXPECT_EQ(printer.cursorY(), 42);
}

TEST_F(PagePrinterTest, a_line_end_near_the_bottom_opens_a_page_inside_the_call)
{
    bool inCall = false;
    std::vector<int> openedInCall;
    printer.setNewPageHandler([&] {
        openedInCall.push_back(inCall ? printer.pageNumber() : -printer.pageNumber());
        EXPECT_EQ(printer.cursorY(), 0);
        printer.canvas().textOut({0, 0}, QStringLiteral("heading"));
    });
    printer.beginDoc();
    // 3000 dots of text area at 42 per line: the 71st line end would leave less than a line.
    for (int i = 0; i < 70; ++i)
        printer.writeLine(QString::number(i));
    EXPECT_EQ(printer.pageCount(), 1);
    EXPECT_EQ(printer.lineCounter(), 70);
    inCall = true;
    printer.writeLine(QStringLiteral("70"));
    inCall = false;
    EXPECT_EQ(printer.pageCount(), 2);
    EXPECT_EQ(openedInCall, (std::vector<int>{-1, 2}));
    EXPECT_EQ(textsOf(page(1)).back(), (TextAt{"70", 75, 75 + 70 * 42}));
    EXPECT_EQ(textsOf(page(2)), (std::vector<TextAt>{{"heading", 0, 0}}));
    printer.write(QStringLiteral("next"));
    EXPECT_EQ(textsOf(page(2)).back(), (TextAt{"next", 75, 75}));
}

TEST_F(PagePrinterTest, write_at_a_full_page_opens_the_next_page_first)
{
    printer.beginDoc();
    for (int i = 0; i < 70; ++i)
        printer.newLine();
    ASSERT_EQ(printer.cursorY(), 2940);
    ASSERT_EQ(printer.pageCount(), 1);
    printer.setLineSpacing(LineSpacing::Double); // 2940 + 84 crosses the 3000-dot text area
    printer.write(QStringLiteral("x"));
    EXPECT_EQ(printer.pageCount(), 2);
    EXPECT_EQ(textsOf(page(2)), (std::vector<TextAt>{{"x", 75, 75}}));
}

TEST_F(PagePrinterTest, new_line_event_follows_line_ends_and_page_openings)
{
    int lines = 0;
    printer.setNewLineHandler([&] { ++lines; });
    printer.beginDoc();
    printer.newLine();
    printer.writeLine(QStringLiteral("x"));
    printer.newPage();
    EXPECT_EQ(lines, 4);
}

TEST_F(PagePrinterTest, margins_are_refused_while_a_document_is_open)
{
    const struct {
        MarginSide side;
        const char* message;
    } cases[] = {
        {MarginSide::Bottom, "Unable to change bottom margin while printing"},
        {MarginSide::Left, "Unable to change left margin while printing"},
        {MarginSide::Right, "Unable to change right margin while printing"},
        {MarginSide::Top, "Unable to change top margin while printing"},
    };
    printer.beginDoc();
    for (const auto& c : cases) {
        EXPECT_EQ(printer.setMargin(c.side, 1.0).error, QString::fromLatin1(c.message));
        EXPECT_EQ(printer.margin(c.side), 0.5);
    }
    printer.endDoc();
    for (const auto& c : cases)
        EXPECT_TRUE(printer.setMargin(c.side, 1.0).ok());
    EXPECT_EQ(printer.textArea(), QRect(225, 225, 1950, 2700));
}

TEST_F(PagePrinterTest, margins_are_clamped_to_the_printable_paper)
{
    EXPECT_TRUE(printer.setMargin(MarginSide::Left, 0).ok());
    EXPECT_EQ(printer.margin(MarginSide::Left), 0.25);
    EXPECT_TRUE(printer.setMargin(MarginSide::Top, 20).ok());
    EXPECT_EQ(printer.margin(MarginSide::Top), 10.75);
    EXPECT_EQ(printer.textArea().height(), 0);
}

TEST_F(PagePrinterTest, a_new_document_keeps_settings_and_discards_pages)
{
    FontSpec f = printer.font();
    f.name = QStringLiteral("Arial");
    printer.setFont(f);
    printer.setTitle(QStringLiteral("Report"));
    printer.setTableFormat(QStringLiteral("<1|>2"));
    printer.beginDoc();
    printer.newPage();
    printer.endDoc();
    ASSERT_EQ(printer.pageCount(), 2);
    printer.beginDoc();
    EXPECT_EQ(printer.pageCount(), 1);
    EXPECT_TRUE(page(1).ops.empty());
    EXPECT_EQ(printer.font().name, QStringLiteral("Arial"));
    EXPECT_EQ(printer.title(), QStringLiteral("Report"));
    EXPECT_EQ(printer.tableFormat(), QStringLiteral("<1|>2"));
}

TEST_F(PagePrinterTest, drawing_after_the_end_lands_on_no_page)
{
    printer.beginDoc();
    printer.writeLine(QStringLiteral("kept"));
    printer.endDoc();
    printer.writeLine(QStringLiteral("lost"));
    printer.canvas().rectangle({0, 0}, {10, 10});
    ASSERT_EQ(printer.pageCount(), 1);
    EXPECT_EQ(page(1).ops.size(), 1u);
}

TEST_F(PagePrinterTest, canvas_records_shapes_with_the_page_pen_and_brush)
{
    printer.beginDoc();
    PageCanvas& c = printer.canvas();
    c.setPenColour(0x0000FF);
    c.setPenWidth(3);
    c.moveTo({10, 20});
    c.lineTo({30, 40});
    c.setBrushSolid(kColourWhite);
    c.roundRect({1, 2}, {3, 4}, {5, 6});
    const auto& ops = page(1).ops;
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].kind, OpKind::Line);
    EXPECT_EQ(ops[0].from, QPoint(10, 20));
    EXPECT_EQ(ops[0].to, QPoint(30, 40));
    EXPECT_EQ(ops[0].penColour, 0x0000FFu);
    EXPECT_EQ(ops[0].penWidth, 3);
    EXPECT_FALSE(ops[0].brushSolid);
    EXPECT_EQ(ops[1].kind, OpKind::RoundRect);
    EXPECT_TRUE(ops[1].brushSolid);
    EXPECT_EQ(ops[1].corner, QSize(5, 6));
    EXPECT_EQ(c.penPos(), QPoint(30, 40));
    printer.newPage(); // a new page starts with a black pen of width 1 and a clear brush
    EXPECT_EQ(c.penColour(), kColourBlack);
    EXPECT_EQ(c.penWidth(), 1);
    EXPECT_FALSE(c.brushSolid());
}

TEST_F(PagePrinterTest, fonts_map_onto_the_liberation_faces)
{
    EXPECT_EQ(physicalFamily(QStringLiteral("Courier New")), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(physicalFamily(QStringLiteral("times new roman")), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(physicalFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
    // Courier New is monospaced at 0.6 em: 42-dot em, 10 characters = 252 dots.
    EXPECT_EQ(width(QString(10, 'M')), 252);
    EXPECT_EQ(width(QString(10, 'i')), 252);
    FontSpec f = printer.font();
    f.name = QStringLiteral("Arial");
    printer.setFont(f);
    EXPECT_LT(width(QString(10, 'i')), width(QString(10, 'M')));
}

} // namespace
