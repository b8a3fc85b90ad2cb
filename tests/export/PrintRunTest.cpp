#include "export/PrintRun.h"

#include "../render/RenderFixture.h"
#include "../store/StoreFixture.h"
#include "export/Hl7ExportProgram.h"
#include "page/PagePrinter.h"
#include "page/WmfWriter.h"
#include "render/PrintOutlet.h"
#include "render/ReferencePages.h"
#include "render/ReportRenderer.h"
#include "store/ConfigStore.h"
#include "store/ReportProcedures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

using tv::render::testing::ensureGuiApplication;
using tv::render::testing::readSource;
using namespace tv::exports;
using tv::store::testing::StoreFixture;

namespace {

/// Records every print job by title; fails the job whose title contains `failOn`.
class RecordingOutlet : public tv::render::PrintOutlet {
public:
    QStringList printerNames() const override { return {"Test"}; }
    QString currentPrinter() const override { return "Test"; }
    std::optional<tv::page::PageDevice> selectPrinter(const QString&) override { return std::nullopt; }
    QString print(const tv::page::PageDocument& document) override
    {
        if (!failOn.isEmpty() && document.title.contains(failOn)) return "The printer is out of paper.";
        jobs.append(QStringLiteral("%1 (%2)").arg(document.title).arg(document.pageCount()));
        return {};
    }
    void reportStarting(int labId, const QString& genericCode) override
    {
        reports.append(QStringLiteral("%1 %2").arg(labId).arg(genericCode));
    }
    QStringList jobs;
    QStringList reports; ///< keys the run announced
    QString failOn;
};

struct Stored {
    int labId;
    const char* code;
    const char* name;
    const char* program; ///< demo report file
};

const Stored kDemo[] = {
    {1001, "CBC", "GARCIA, MARIA", "cbc.vbs"},
    {123456789, "CMP", "WASHINGTON: JAMES", "cmp.vbs"}, // 9 digits and a colon: entries carry their key
    {1003, "CULT", "HALVORSEN, PETER", "culture.vbs"},  // two pages; listed before 123456789
};

class PrintRunTest : public StoreFixture {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    void SetUp() override
    {
        StoreFixture::SetUp();
        ASSERT_TRUE(m_renderer.setPageScript(readSource("demo/reports/page-script.vbs")));
        ASSERT_TRUE(m_renderer.setExportProgram(builtinHl7ExportProgram()));
        m_renderer.setAppFolder(folder());
        QDir().mkpath(exportDir());
        QDir().mkpath(dataDir());
        QFile ini(folder() + "EXPORT.INI");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(("[EXPORT]\r\nREPIMAGE=\r\nREPDATA=" + dataDir() + "\r\nREPIMAGEDATA=\r\n").toUtf8());
        m_options.appFolder = folder();
        m_options.exportPath = exportDir();
    }

    QString exportDir() const { return folder() + "hl7/"; }
    QString dataDir() const { return folder() + "data/"; }

    void storeNormal()
    {
        for (const Stored& s : kDemo) {
            tv::store::PatientHeader h;
            h.labId = s.labId;
            h.name = QString::fromLatin1(s.name);
            h.workDate = QDate(2024, 5, 5);
            h.exLabId = QStringLiteral("EX%1").arg(s.labId);
            h.genericCode = QString::fromLatin1(s.code);
            h.description = QStringLiteral("PANEL");
            h.batch = QDateTime(QDate(2024, 5, 6), QTime(9, 0));
            ASSERT_TRUE(m_db.executeProcedure("ADD_PATIENT", tv::store::addPatientValues(h)).ok);
            ASSERT_TRUE(m_db.executeProcedure(
                                "ADD_REPORT",
                                tv::store::addReportValues(s.labId, h.genericCode,
                                                           readSource(QStringLiteral("demo/reports/") + s.program)))
                            .ok);
        }
    }
    tv::store::Rows rows(const char* table = "EXTERNAL_REPORT")
    {
        return select(QStringLiteral("select * from %1 order by LABID").arg(table));
    }
    QVariant printedOf(int labId, const char* table = "EXTERNAL_REPORT")
    {
        return select(QStringLiteral("select PRINTED from %1 where LABID = ?").arg(table), {labId})
            .value(0, u"PRINTED");
    }
    QStringList files(const QString& dir) { return QDir(dir).entryList(QDir::Files, QDir::Name); }

    RecordingOutlet m_outlet;
    tv::render::ReportRenderer m_renderer{[this](const QString& i, const QString&) { m_notices.append(i); }, &m_outlet};
    QStringList m_notices;
    PrintRunOptions m_options;
    PrintRun m_run{m_db, m_renderer, m_outlet};
};

TEST_F(PrintRunTest, entries_show_the_row_and_carry_its_key)
{
    storeNormal();
    const std::vector<PrintEntry> entries = printEntries(rows());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].text, "00001001 - May/05/2024 - GARCIA, MARIA                        PANEL :CBC");
    EXPECT_EQ(entries[2].labId, 123456789);
    EXPECT_EQ(entries[2].genericCode, "CMP");
    EXPECT_FALSE(entries[2].checked);
}

TEST_F(PrintRunTest, all_prints_marks_and_writes_every_report)
{
    storeNormal();
    m_options.all = true;
    m_options.exportResults = true;
    const PrintRunResult result = m_run.run(rows(), printEntries(rows()), m_options);
    ASSERT_EQ(result.error, "") << m_notices.join('\n').toStdString();
    EXPECT_EQ(result.printed, 3);
    EXPECT_EQ(m_outlet.jobs, (QStringList{"GARCIA, MARIA / PANEL (1)", "HALVORSEN, PETER / PANEL (2)",
                                          "WASHINGTON: JAMES / PANEL (1)"}));
    for (const Stored& s : kDemo)
        EXPECT_FALSE(printedOf(s.labId).isNull()) << s.labId;
    EXPECT_EQ(files(dataDir()), (QStringList{"PAT1_1001_EX1001_CBC.txt", "PAT1_1003_EX1003_CULT.txt",
                                             "PAT1_123456789_EX123456789_CMP.txt", "PAT2_1003_EX1003_CULT.txt"}));
    EXPECT_EQ(files(exportDir()).size(), 2) << files(exportDir()).join(' ').toStdString(); // culture has no HL7
}

TEST_F(PrintRunTest, selected_prints_only_checked_entries_by_their_carried_key)
{
    storeNormal();
    std::vector<PrintEntry> entries = printEntries(rows());
    entries[2].checked = true;
    const PrintRunResult result = m_run.run(rows(), entries, m_options);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.printed, 1);
    EXPECT_EQ(m_outlet.jobs, QStringList{"WASHINGTON: JAMES / PANEL (1)"});
    EXPECT_EQ(m_outlet.reports, QStringList{"123456789 CMP"});
    EXPECT_TRUE(printedOf(1001).isNull());
    EXPECT_FALSE(printedOf(123456789).isNull());

    entries[2].checked = false;
    EXPECT_EQ(m_run.run(rows(), entries, m_options).printed, 0);
}

TEST_F(PrintRunTest, export_without_print_marks_nothing)
{
    storeNormal();
    m_options.all = true;
    m_options.print = false;
    m_options.exportResults = true;
    const PrintRunResult result = m_run.run(rows(), printEntries(rows()), m_options);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.printed, 0);
    EXPECT_TRUE(m_outlet.jobs.isEmpty());
    for (const Stored& s : kDemo)
        EXPECT_TRUE(printedOf(s.labId).isNull());
    EXPECT_EQ(files(exportDir()).size(), 2);
    EXPECT_EQ(files(dataDir()).size(), 4);
}

TEST_F(PrintRunTest, a_reprint_keeps_the_first_printed_time)
{
    storeNormal();
    exec("update EXTERNAL_REPORT set PRINTED = ? where LABID = 1001", {QDateTime(QDate(2024, 5, 1), QTime(8, 0))});
    m_options.all = true;
    ASSERT_EQ(m_run.run(rows(), printEntries(rows()), m_options).error, "");
    EXPECT_EQ(printedOf(1001).toDateTime(), QDateTime(QDate(2024, 5, 1), QTime(8, 0)));
}

TEST_F(PrintRunTest, a_failing_print_stops_the_run_with_nothing_after_it_marked)
{
    storeNormal();
    m_outlet.failOn = "HALVORSEN";
    m_options.all = true;
    const PrintRunResult result = m_run.run(rows(), printEntries(rows()), m_options);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(result.printed, 1);
    EXPECT_FALSE(printedOf(1001).isNull());
    EXPECT_TRUE(printedOf(123456789).isNull());
    EXPECT_TRUE(printedOf(1003).isNull());
    EXPECT_FALSE(m_notices.isEmpty());
}

TEST_F(PrintRunTest, single_print_counts_two_then_one)
{
    storeNormal();
    tv::store::Rows listed = rows();
    ASSERT_TRUE(m_renderer.rowChanged({listed.value(0, u"REP_CODE").toString(), false}));
    PrintRunResult result = m_run.printOne(listed, 0, m_options);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.printed, 2);
    listed = rows();
    result = m_run.printOne(listed, 0, m_options);
    EXPECT_EQ(result.printed, 1);
    EXPECT_EQ(files(dataDir()), QStringList{"PAT1_1001_EX1001_CBC.txt"});
}

TEST_F(PrintRunTest, month_counter_adds_even_zero)
{
    const tv::store::ConfigStore config(m_db);
    const QDate day(2024, 5, 6);
    ASSERT_TRUE(addToPrintCount(config, day, 0).ok);
    EXPECT_EQ(config.getConfig("PRINT.COUNT.2405").text, "0");
    ASSERT_TRUE(addToPrintCount(config, day, 2).ok);
    ASSERT_TRUE(addToPrintCount(config, day, 1).ok);
    EXPECT_EQ(config.getConfig("PRINT.COUNT.2405").text, "3");
    ASSERT_TRUE(config.addConfig("PRINT.COUNT.2406", "lots").ok);
    ASSERT_TRUE(addToPrintCount(config, QDate(2024, 6, 1), 1).ok);
    EXPECT_EQ(config.getConfig("PRINT.COUNT.2406").text, "1");
}

TEST_F(PrintRunTest, reference_mode_prints_every_chosen_report_and_writes_crlf_hl7)
{
    tv::page::PagePrinter drawn;
    drawn.beginDoc();
    drawn.writeLine("REFERENCE PAGE");
    drawn.endDoc();
    const QString pages =
        tv::render::joinReferencePages({tv::page::writeWmf(drawn.document().pages[0], drawn.device())});
    tv::store::PatientHeader h;
    h.labId = 555;
    h.name = QStringLiteral("REF, PATIENT");
    h.genericCode = QStringLiteral("TSH");
    h.description = QStringLiteral("THYROID");
    ASSERT_TRUE(m_db.executeProcedure("ADD_PATIENT_LC", tv::store::addPatientValues(h)).ok);
    ASSERT_TRUE(m_db.executeProcedure("ADD_REPORT_LC", {555, "TSH", pages, "MSH|a\nPID|b\rOBX|c\r\nEND"}).ok);

    m_renderer.setReferenceMode(true);
    m_options.referenceMode = true;
    m_options.all = true;
    m_options.print = false;
    m_options.exportResults = true;
    const tv::store::Rows listed = rows("EXTERNAL_REPORT_LC");
    const PrintRunResult result = m_run.run(listed, printEntries(listed), m_options);
    ASSERT_EQ(result.error, "") << m_notices.join('\n').toStdString();
    EXPECT_EQ(result.printed, 1);
    EXPECT_EQ(m_outlet.jobs, QStringList{"REF, PATIENT / THYROID (1)"});
    EXPECT_FALSE(printedOf(555, "EXTERNAL_REPORT_LC").isNull());
    QFile hl7(folder() + "REFERENCE/PAT_555_TSH.HL7");
    ASSERT_TRUE(hl7.open(QIODevice::ReadOnly));
    EXPECT_EQ(hl7.readAll(), "MSH|a\r\nPID|b\r\nOBX|c\r\nEND\r\n");
}

} // namespace
