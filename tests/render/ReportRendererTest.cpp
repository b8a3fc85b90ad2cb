#include "RenderFixture.h"
#include "page/WmfWriter.h"
#include "render/ReferencePages.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>

using namespace tv::render;
using namespace tv::render::testing;
using tv::page::OpKind;

namespace {

// A page script that records what the system called.
const char* const kRecorder =
    "Dim inits, mains, lastPrinted, pagesWanted\r\n"
    "Sub Init()\r\n  inits = inits + 1\r\nEnd Sub\r\n"
    "Sub main(printed)\r\n  mains = mains + 1\r\n  lastPrinted = printed\r\n"
    "  BeginDoc\r\n  For i = 2 To pagesWanted\r\n    NewPage\r\n  Next\r\n  EndDoc\r\nEnd Sub\r\n";

class ReportRendererTest : public RenderTest {
protected:
    void SetUp() override
    {
        loadScript(kRecorder);
        ASSERT_TRUE(m_renderer.setExportProgram("Dim exported\r\nSub Init()\r\n  exported = Empty\r\nEnd Sub\r\n"));
    }
    tv::script::Variant exportValue(const QString& expression)
    {
        return m_renderer.exportEngine().evaluate(expression).value_or(tv::script::Variant());
    }
};

} // namespace

TEST_F(ReportRendererTest, row_change_steps)
{
    m_renderer.setOffsetTexts("2/16", "-3/16");
    m_renderer.setExtraFieldsInit("EXTRA1 = \"\"");
    ASSERT_TRUE(m_renderer.rowChanged({"KEEP = 1 : EXTRA1 = \"x\" : pagesWanted = 3 : exported = 5", false}));
    EXPECT_DOUBLE_EQ(value("xOffSet").toDouble(), 0.125);
    EXPECT_DOUBLE_EQ(value("yOffSet").toDouble(), -0.1875);
    EXPECT_EQ(value("inits").toLong(), 1);
    EXPECT_EQ(value("lastPrinted").toBoolean(), false);
    EXPECT_EQ(exportValue("exported").toLong(), 5);
    EXPECT_EQ(m_renderer.pageTabs(), QStringList({"Page 1", "Page 2", "Page 3"}));

    // Globals persist from row to row; the extra fields and the export program's Init reset.
    ASSERT_TRUE(m_renderer.rowChanged({"pagesWanted = 1", true}));
    EXPECT_EQ(value("KEEP").toLong(), 1);
    EXPECT_EQ(value("EXTRA1").toString(), "");
    EXPECT_EQ(value("inits").toLong(), 2);
    EXPECT_EQ(value("lastPrinted").toBoolean(), true); // PRINTED set: main(vbTrue)
    EXPECT_TRUE(exportValue("exported").isEmpty());
    EXPECT_EQ(m_renderer.pageTabs(), QStringList({"Page 1"}));
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(ReportRendererTest, init_detection)
{
    struct Case {
        const char* declaration;
        bool called;
    } cases[] = {
        {"Sub Init()\r\n  calls = calls + 1\r\nEnd Sub", true},
        {"sub init()\r\n  calls = calls + 1\r\nend sub", true},
        {"Sub _\r\nInit()\r\n  calls = calls + 1\r\nEnd Sub", false}, // "Init()" only at a line start
    };
    for (const Case& c : cases) {
        ReportRenderer renderer(nullptr);
        ASSERT_TRUE(
            renderer.setPageScript(QStringLiteral("Dim calls\r\n%1\r\nSub main(p)\r\nEnd Sub\r\n").arg(c.declaration)));
        ASSERT_TRUE(renderer.rowChanged({"x = 1", false}));
        EXPECT_EQ(renderer.reportEngine().evaluate("calls")->toLong(), c.called ? 1 : 0) << c.declaration;
    }
}

TEST_F(ReportRendererTest, failing_program_stops_at_its_step)
{
    ASSERT_TRUE(m_renderer.rowChanged({"pagesWanted = 2", false}));
    EXPECT_FALSE(m_renderer.rowChanged({"before = 1\r\nx = 1 / 0\r\nafter = 1\r\nexported = 9", false}));
    ASSERT_EQ(m_notices.size(), 1u);
    EXPECT_EQ(m_notices[0].instruction, "REPORT Division by zero");
    EXPECT_TRUE(m_notices[0].content.contains("runtime error")) << m_notices[0].content.toStdString();
    EXPECT_EQ(value("before").toLong(), 1); // earlier statements keep their effect
    EXPECT_TRUE(value("after").isEmpty());
    EXPECT_TRUE(exportValue("exported").isEmpty()); // the export engine never got the row
    EXPECT_EQ(value("mains").toLong(), 1);          // main did not run again
    EXPECT_EQ(m_renderer.pageTabs().size(), 2);     // the preview keeps the last drawing
}

TEST_F(ReportRendererTest, export_errors_are_export_notices)
{
    EXPECT_FALSE(m_renderer.runExportStatement("Export \"C:\\\""));
    ASSERT_EQ(m_notices.size(), 1u);
    EXPECT_TRUE(m_notices[0].instruction.startsWith("EXPORT ")) << m_notices[0].instruction.toStdString();
}

TEST_F(ReportRendererTest, missing_page_script_fails_with_notice)
{
    ReportRenderer renderer([this](const QString& i, const QString& c) { m_notices.push_back({i, c}); });
    EXPECT_FALSE(renderer.rowChanged({"x = 1", false}));
    ASSERT_EQ(m_notices.size(), 1u);
    EXPECT_TRUE(m_notices[0].instruction.startsWith("REPORT "));
}

namespace {

QByteArray pictureWithText(const QString& text)
{
    tv::page::PagePrinter printer;
    printer.beginDoc();
    printer.writeLine(text);
    printer.canvas().rectangle(QPoint(0, 0), QPoint(600, 300));
    printer.endDoc();
    return tv::page::writeWmf(printer.document().pages[0], printer.device());
}

class ReferenceTest : public RenderTest {
protected:
    void SetUp() override
    {
        loadScript("Sub OnNewPage()\r\n  calls = calls + 1\r\nEnd Sub\r\n");
        m_renderer.setReferenceMode(true);
        m_renderer.setAppFolder(m_dir.path());
        m_renderer.setConfigReader([this](const QString& key) { return m_config.value(key); });
    }
    QTemporaryDir m_dir;
    QMap<QString, QString> m_config;
};

} // namespace

TEST_F(ReferenceTest, pages_of_a_reference_text)
{
    const QByteArray one = pictureWithText("one");
    const QByteArray two = pictureWithText("two");
    const QString b1 = QString::fromLatin1(one.toBase64());
    const QString b2 = QString::fromLatin1(two.toBase64());
    struct Case {
        QString text;
        int pages;
    } cases[] = {
        {"||" + b1 + "||" + b2 + "||", 2},
        {"||" + b1 + "||" + b2, 1},
        {b1, 1},
        {joinReferencePages(QList<QByteArray>(9, one)), 9},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_renderer.rowChanged({c.text, false})) << lastNotice().toStdString();
        ASSERT_EQ(printer().pageCount(), c.pages);
        for (int page = 1; page <= c.pages; ++page)
            EXPECT_EQ(ops(page, OpKind::Picture).size(), 1u);
    }
    EXPECT_TRUE(value("calls").isEmpty()); // no OnNewPage() for pictures
    QFile saved(QDir(m_dir.path()).filePath("P8.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), one.toBase64());
    QFile wmf(QDir(m_dir.path()).filePath("p0.wmf"));
    ASSERT_TRUE(wmf.open(QIODevice::ReadOnly));
    EXPECT_EQ(wmf.readAll(), one);
}

TEST_F(ReferenceTest, offsets_and_short_texts)
{
    m_config["PRINT.XOFFSET.LC"] = "16";
    m_config["PRINT.YOFFSET.LC"] = "-8";
    ASSERT_TRUE(m_renderer.renderReferenceReport(joinReferencePages({pictureWithText("x")})));
    const auto pictures = ops(1, OpKind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].from, QPoint(375, -75));
    EXPECT_EQ(pictures[0].to, QPoint(2760, 2955));

    ASSERT_TRUE(m_renderer.renderReferenceReport("123456789"));
    EXPECT_LE(printer().pageCount(), 1);
    EXPECT_TRUE(printer().pageCount() == 0 || ops(1).empty()); // an empty preview
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(ReferenceTest, bad_pictures_stop_with_a_notice)
{
    EXPECT_FALSE(m_renderer.renderReferenceReport("||not*base64 at all||"));
    ASSERT_EQ(m_notices.size(), 1u);
    EXPECT_FALSE(
        m_renderer.renderReferenceReport("||" + QString::fromLatin1(QByteArray("no metafile").toBase64()) + "||"));
    EXPECT_EQ(m_notices.size(), 2u);
    EXPECT_FALSE(printer().isPrinting());
}
