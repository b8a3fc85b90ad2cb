#include "RenderFixture.h"

#include <QDir>
#include <QTemporaryDir>

using namespace tv::render;
using namespace tv::render::testing;
using tv::page::OpKind;

namespace {

struct DemoReport {
    const char* file;
    int pages;
    const char* patient;
    const char* flaggedValue; ///< drawn on a coloured background
    const char* plainValue;   ///< drawn without one
    const char* hl7Line;      ///< expected in the export, empty when the export writes no file
};

const DemoReport kReports[] = {
    {"cbc.vbs", 1, "GARCIA LOPEZ, MARIA ELENA", "11.8", "4.31",
     "OBX|1|NM|6690-2^WBC||11.8|x10E3/uL|3.4-10.8|H|||F|||||MT0412"},
    {"cmp.vbs", 1, "WASHINGTON REED, JAMES EARL", "6.4", "138",
     "OBX|7|NM|2823-3^Potassium||6.4|mmol/L|3.5-5.2|HH|||F|||||MT0388"},
    {"lipid.vbs", 1, "OKAFOR BELL, GRACE ADAEZE", "236", "52", "OBX|3|NM|2085-9^HDL Cholesterol||52|mg/dL|>39||||F"},
    {"urinalysis.vbs", 1, "CHEN MORALES, LILY ROSE", "Positive", "1.021",
     "OBX|10|TX|5802-4^Nitrite||Positive||Negative|A|||F|||||MT0519"},
    {"culture.vbs", 2, "HALVORSEN DIAZ, PETER JOHN", ">=4", "Negative", ""},
};

class DemoReportsTest : public RenderTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_renderer.setPageScript(readSource("demo/reports/page-script.vbs")));
        ASSERT_TRUE(m_renderer.setExportProgram(readSource("src/export/Hl7Export.vbs")));
    }
    const tv::page::PageOp* findText(int page, const QString& text)
    {
        for (const tv::page::PageOp& op : ops(page))
            if (op.kind == OpKind::Text && op.text == text) return &op;
        return nullptr;
    }
};

} // namespace

TEST_F(DemoReportsTest, every_report_renders_as_a_laboratory_report)
{
    for (const DemoReport& report : kReports) {
        SCOPED_TRACE(report.file);
        ASSERT_TRUE(m_renderer.rowChanged({readSource(QStringLiteral("demo/reports/") + report.file), false}))
            << lastNotice().toStdString();
        ASSERT_EQ(printer().pageCount(), report.pages);
        for (int page = 1; page <= report.pages; ++page) {
            EXPECT_TRUE(findText(page, "ORVALIS REFERENCE LABORATORY"));
            EXPECT_TRUE(findText(page, report.patient));
            EXPECT_TRUE(findText(page, QStringLiteral("Page %1").arg(page)));
            EXPECT_TRUE(findText(page, "FINAL REPORT"));
        }
        const tv::page::PageOp* flagged = findText(1, report.flaggedValue);
        ASSERT_TRUE(flagged);
        EXPECT_TRUE(flagged->brushSolid);
        const tv::page::PageOp* plain = findText(1, report.plainValue);
        ASSERT_TRUE(plain);
        EXPECT_FALSE(plain->brushSolid);
        EXPECT_TRUE(findText(report.pages, "*** END OF REPORT ***"));
    }
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(DemoReportsTest, reprints_are_marked)
{
    ASSERT_TRUE(m_renderer.rowChanged({readSource("demo/reports/lipid.vbs"), true}));
    EXPECT_TRUE(findText(1, "REPRINT"));
    EXPECT_FALSE(findText(1, "FINAL REPORT"));
}

TEST_F(DemoReportsTest, report_values_feed_the_hl7_export)
{
    QTemporaryDir dir;
    for (const DemoReport& report : kReports) {
        SCOPED_TRACE(report.file);
        ASSERT_TRUE(m_renderer.rowChanged({readSource(QStringLiteral("demo/reports/") + report.file), false}));
        ASSERT_TRUE(m_renderer.runExportStatement(QStringLiteral("Export \"%1/\"").arg(dir.path())))
            << lastNotice().toStdString();
        const QStringList written = QDir(dir.path()).entryList(QDir::Files);
        const QString labId = m_renderer.exportEngine().evaluate("LABID")->toString();
        const QString name = QStringLiteral("PAT_%1_").arg(labId);
        const auto file =
            std::find_if(written.begin(), written.end(), [&](const QString& f) { return f.startsWith(name); });
        if (!*report.hl7Line) {
            EXPECT_EQ(file, written.end()); // the culture department writes no HL7 file
            continue;
        }
        ASSERT_NE(file, written.end());
        QFile hl7(QDir(dir.path()).filePath(*file));
        ASSERT_TRUE(hl7.open(QIODevice::ReadOnly));
        const QString message = QString::fromLatin1(hl7.readAll());
        EXPECT_TRUE(message.contains(report.hl7Line)) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("PID|1|")));
    }
}
