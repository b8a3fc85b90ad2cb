#include "RenderFixture.h"
#include "page/WmfWriter.h"
#include "render/PrintOutlet.h"

#include <QImage>
#include <QTemporaryDir>

using namespace tv::render;
using namespace tv::render::testing;
using tv::page::OpKind;

namespace {

const char* const kDocScript = "Dim r\r\n";

class PrnPageTest : public RenderTest {
protected:
    void SetUp() override { loadScript(kDocScript); }
    QString path(const QString& name) { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(PrnPageTest, text_xy_anchors)
{
    ASSERT_TRUE(run("BeginDoc\r\nTextXY 1, 1, \"Left\", \"L\"\r\nTextXY 1, 2, \"Right\", \"Right\"\r\n"
                    "TextXY 1, 3, \"Centre\", \"C\"\r\nTextXY 1, 4, \"no\", \"c\"\r\nTextXY 1, 5, \"no\", \"\"\r\n"
                    "TextXY 1, 6, \"no\", \"X\"\r\nEndDoc"));
    const auto texts = ops(1, OpKind::Text);
    ASSERT_EQ(texts.size(), 3u);
    auto& canvas = printer().canvas();
    EXPECT_EQ(texts[0].from, QPoint(225, 225));
    EXPECT_EQ(texts[1].from, QPoint(225 - canvas.textWidth("Right"), 525));
    EXPECT_EQ(texts[2].from, QPoint(225 - canvas.textWidth("Centre") / 2, 825));
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(PrnPageTest, margin_offset_moves_absolute_drawing_only)
{
    ASSERT_TRUE(run("MarginOffset 0.1, 0\r\nBeginDoc\r\nTextXY 1, 1, \"abs\", \"L\"\r\nMoveTO 1, 1\r\n"
                    "LineTO 2, 1\r\nRectangle 1, 1, 2, 2\r\nPrintLine \"flow\"\r\nTableFormat \"<1\"\r\n"
                    "PrintTable \"cell\"\r\nPrint \"more\"\r\nEndDoc\r\nMarginOffset 0, 0"));
    const auto texts = ops(1, OpKind::Text);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].from.x(), 255);
    EXPECT_EQ(texts[1].from.x(), 75); // PrintLine at the left margin
    EXPECT_LE(texts[2].from.x(), 75 + 9 * 2);
    EXPECT_EQ(texts[3].from.x(), 75);
    const auto lines = ops(1, OpKind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].from, QPoint(255, 225));
    EXPECT_EQ(lines[0].to, QPoint(555, 225));
    EXPECT_EQ(ops(1, OpKind::Rectangle).at(0).from, QPoint(255, 225));
}

TEST_F(PrnPageTest, page_position_after_begin_doc)
{
    ASSERT_TRUE(run("SetMargins 0.5, 0.5, 0.5, 0.5\r\nBeginDoc\r\nx = PagePositionX\r\ny = PagePositionY\r\n"
                    "PrintLine \"one\"\r\ny2 = PagePositionY\r\nEndDoc"));
    EXPECT_DOUBLE_EQ(value("x").toDouble(), 0.25);
    EXPECT_DOUBLE_EQ(value("y").toDouble(), 0.25);
    EXPECT_DOUBLE_EQ(value("y2").toDouble(), 0.25 + printer().lineHeight() / 300.0);
}

TEST_F(PrnPageTest, margins_order_clamping_and_refusal)
{
    ASSERT_TRUE(
        run("SetMargins 0.1, 0.75, 20, 1\r\nt = GetMargin(\"top\")\r\nl = GetMargin(\"l\")\r\n"
            "b = GetMargin(\"Bottom\")\r\nr = GetMargin(\"R\")\r\nx = GetMargin(\"x\")\r\ne = GetMargin(\"\")"));
    EXPECT_DOUBLE_EQ(value("t").toDouble(), 0.25); // at least the printer offset
    EXPECT_DOUBLE_EQ(value("l").toDouble(), 0.75);
    EXPECT_DOUBLE_EQ(value("b").toDouble(), 10.75); // at most the paper less the offset
    EXPECT_DOUBLE_EQ(value("r").toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(value("x").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(value("e").toDouble(), 0.0);

    EXPECT_FALSE(run("BeginDoc\r\nSetMargins 1, 1, 1, 1"));
    EXPECT_EQ(lastNotice(), "REPORT Unable to change bottom margin while printing");
    EXPECT_FALSE(printer().isPrinting()); // the failed run does not leave the document open
    EXPECT_DOUBLE_EQ(printer().margin(tv::page::MarginSide::Left), 0.75);
}

TEST_F(PrnPageTest, line_spacing_first_character)
{
    using tv::page::LineSpacing;
    struct Case {
        const char* text;
        LineSpacing expected;
    } cases[] = {{"2", LineSpacing::Double},    {"h", LineSpacing::Double},       {"", LineSpacing::Double},
                 {"1", LineSpacing::Single},    {"2 lines", LineSpacing::Double}, {"H", LineSpacing::OneAndHalf},
                 {"x", LineSpacing::OneAndHalf}};
    for (const Case& c : cases) {
        ASSERT_TRUE(run(QStringLiteral("LineSpacing \"%1\"").arg(c.text)));
        EXPECT_EQ(printer().lineSpacing(), c.expected) << c.text;
    }
}

TEST_F(PrnPageTest, font_errors_are_script_errors)
{
    ASSERT_TRUE(run("Font \"Arial,12,B,Red\""));
    EXPECT_EQ(printer().font().colour, 0x0000FFu);
    EXPECT_FALSE(run("Font \"Arial\"\r\nr = 1"));
    EXPECT_TRUE(lastNotice().startsWith("REPORT The font \"Arial\""));
    EXPECT_TRUE(value("r").isEmpty()); // the statement stopped at the failing call
    ASSERT_TRUE(run("On Error Resume Next\r\nFont \",,,Mauve\"\r\nr = Err.Description"));
    EXPECT_EQ(value("r").toString(), "'clMauve' is not a valid colour");
}

TEST_F(PrnPageTest, print_list_box_and_brush)
{
    ASSERT_TRUE(run("BeginDoc\r\nPrintList 1, 1, \"one\" & vbCrLf & \"longer line\" & vbLf & \"three\", True\r\n"
                    "PrintList 4, 1, \"\", True\r\nEndDoc"));
    auto& canvas = printer().canvas();
    const auto rects = ops(1, OpKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u); // no box around an empty list
    const int w = canvas.textWidth("_");
    const int h = canvas.textHeight("X");
    EXPECT_EQ(rects[0].from, QPoint(225 - w, 225 - h));
    EXPECT_EQ(rects[0].to, QPoint(225 + canvas.textWidth("longer line") + w, 225 + h * 4));
    EXPECT_TRUE(rects[0].brushSolid);
    EXPECT_EQ(rects[0].brushColour, tv::page::kColourWhite);
    const auto texts = ops(1, OpKind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].from, QPoint(225, 225 + canvas.textHeight("longer line")));
    EXPECT_EQ(texts[2].from, QPoint(225, 225 + 2 * canvas.textHeight("three")));
    EXPECT_TRUE(texts[2].brushSolid);
}

TEST_F(PrnPageTest, image_bitmaps)
{
    QImage bitmap(4, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    ASSERT_TRUE(bitmap.save(path("logo.bmp"), "BMP"));
    QFile text(path("fake.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a bitmap");
    text.close();
    ASSERT_TRUE(run(QStringLiteral("BeginDoc\r\nImage \"%1\", 1, 1, 2, 0.5\r\nImage \"%2\", 1, 1, 2, 2\r\nEndDoc")
                        .arg(path("logo.bmp"), path("missing.bmp"))));
    const auto images = ops(1, OpKind::Bitmap);
    ASSERT_EQ(images.size(), 1u); // a missing file draws nothing
    EXPECT_EQ(images[0].from, QPoint(225, 225));
    EXPECT_EQ(images[0].to, QPoint(225 + 600, 225 + 150));
    EXPECT_FALSE(run(QStringLiteral("Image \"%1\", 1, 1, 2, 2").arg(path("fake.bmp"))));
    EXPECT_TRUE(lastNotice().startsWith("REPORT Bitmap image is not valid"));
}

TEST_F(PrnPageTest, shapes_pen_and_table_format)
{
    ASSERT_TRUE(run("BeginDoc\r\nPenColor &H0000FF\r\nPenWidth 5\r\nRoundRect 1, 1, 2, 2, 0.2\r\n"
                    "TableFormat \"<1|>2\"\r\nPrintCols \"a|b|c\", \"^3\"\r\nf = 1\r\nEndDoc"));
    const auto round = ops(1, OpKind::RoundRect);
    ASSERT_EQ(round.size(), 1u);
    EXPECT_EQ(round[0].penColour, 0x0000FFu);
    EXPECT_EQ(round[0].penWidth, 5);
    EXPECT_EQ(round[0].corner, QSize(60, 60));
    EXPECT_EQ(round[0].to, QPoint(525, 525));
    EXPECT_EQ(printer().tableFormat(), "<1|>2"); // PrintCols restores the format
}

TEST_F(PrnPageTest, format_date)
{
    ASSERT_TRUE(run("d = FormatDate(\"12/9/2026 07:45\", \"dddd, mmm d yyyy 'at' h:nn am/pm\")"));
    EXPECT_EQ(value("d").toString(), "Wednesday, Dec 9 2026 at 7:45 am");
    EXPECT_FALSE(run("d = FormatDate(\"yesterday\", \"yyyy\")"));
    EXPECT_EQ(lastNotice(), "REPORT 'yesterday' is not a valid date and time");
}

TEST_F(PrnPageTest, on_new_page_runs_nested_on_every_page)
{
    loadScript("Dim pages\r\nSub OnNewPage()\r\n  pages = pages + 1\r\n  TextXY 1, 0.5, \"HEAD\" & pages, \"L\"\r\n"
               "  PrintLine \"first line\"\r\nEnd Sub\r\n");
    ASSERT_TRUE(run("pages = 0\r\nBeginDoc\r\nPrintLine \"body\"\r\nNewPage\r\nEndDoc"));
    ASSERT_EQ(printer().pageCount(), 2);
    for (int page = 1; page <= 2; ++page) {
        const auto texts = ops(page, OpKind::Text);
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, QStringLiteral("HEAD%1").arg(page));
        EXPECT_EQ(texts[1].text, "first line");
    }
    EXPECT_EQ(ops(1, OpKind::Text).at(2).text, "body"); // drawn after the nested heading
}

TEST_F(PrnPageTest, failing_on_new_page_fails_the_call_once)
{
    loadScript("Sub OnNewPage()\r\n  x = 1 / 0\r\nEnd Sub\r\n");
    EXPECT_FALSE(run("BeginDoc\r\nreached = True"));
    ASSERT_EQ(m_notices.size(), 1u);
    EXPECT_EQ(lastNotice(), "REPORT Division by zero");
    EXPECT_TRUE(value("reached").isEmpty());
}

namespace {

class FakePrinters : public PrintOutlet {
public:
    QStringList printerNames() const override { return {"Brother HL-L2350", "HP LaserJet 4250", "Laser Fax"}; }
    QString currentPrinter() const override { return m_current; }
    std::optional<tv::page::PageDevice> selectPrinter(const QString& name) override
    {
        m_current = name;
        tv::page::PageDevice device;
        device.dpiX = device.dpiY = 600;
        return device;
    }
    QString print(const tv::page::PageDocument& document) override
    {
        printedPages.push_back(document.pageCount());
        return {};
    }
    QString m_current = "Brother HL-L2350";
    std::vector<int> printedPages;
};

class PrinterTest : public RenderTest {
protected:
    PrinterTest() : RenderTest(&m_printers) {}
    void SetUp() override { loadScript(kDocScript); }
    static inline FakePrinters m_printers;
};

} // namespace

TEST_F(PrinterTest, select_and_print)
{
    ASSERT_TRUE(run("SelectPrinter \"nothing like it\"\r\na = SelectedPrinter\r\nSelectPrinter \"laser\"\r\n"
                    "b = SelectedPrinter\r\nPrintPage\r\nBeginDoc\r\nNewPage\r\nPrintPage"));
    EXPECT_EQ(value("a").toString(), "Brother HL-L2350");
    EXPECT_EQ(value("b").toString(), "HP LaserJet 4250"); // the first name containing it, any case
    EXPECT_EQ(printer().device().dpiX, 600);
    EXPECT_EQ(m_printers.printedPages, std::vector<int>{2}); // no pages: nothing printed
    EXPECT_FALSE(printer().isPrinting());                    // the open document was ended first
}

TEST_F(PrnPageTest, image_wmf_shows_the_picture_on_one_page)
{
    tv::page::PagePrinter source;
    source.beginDoc();
    source.canvas().rectangle(QPoint(100, 100), QPoint(400, 300));
    source.endDoc();
    ASSERT_EQ(tv::page::savePageWmf(source.document(), 1, path("p.wmf")), QString());
    ASSERT_TRUE(run(QStringLiteral("imageWMF \"%1\"").arg(path("p.wmf"))));
    EXPECT_EQ(printer().pageCount(), 1);
    EXPECT_FALSE(printer().isPrinting());
    EXPECT_EQ(ops(1, OpKind::Picture).size(), 1u);
    EXPECT_FALSE(run(QStringLiteral("imageWMF \"%1\"").arg(path("none.wmf"))));
    EXPECT_EQ(printer().pageCount(), 1);
}
