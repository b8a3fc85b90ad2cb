// What a print and export run hands to the customer's software, checked by outside readers: the
// HL7 messages of both channels by the two HL7 checkers, the page pictures by libwmf. Each file
// must also be about the report its name says.

#include "../store/StoreFixture.h"
#include "../render/RenderFixture.h"
#include "DemoReportList.h"
#include "export/Hl7ExportProgram.h"
#include "export/PrintRun.h"
#include "render/PrintOutlet.h"
#include "render/ReportRenderer.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

using tv::render::testing::ensureGuiApplication;
using tv::render::testing::readSource;
using namespace tv::exports;
using tv::exports::testing::demoStamp;
using tv::exports::testing::storeDemoReports;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CountingOutlet : public tv::render::PrintOutlet {
public:
    QStringList printerNames() const override { return {"Test"}; }
    QString currentPrinter() const override { return "Test"; }
    std::optional<tv::page::PageDevice> selectPrinter(const QString&) override { return std::nullopt; }
    QString print(const tv::page::PageDocument&) override
    {
        ++jobs;
        return {};
    }
    int jobs = 0;
};

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun runTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    ToolRun run;
    if (process.waitForFinished(180000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

/// PID-3 of a message whose segments end in CR (a LF after it is tolerated).
QString pidLabId(const QByteArray& message)
{
    for (const QByteArray& segment : message.split('\r')) {
        const QList<QByteArray> fields = segment.trimmed().split('|');
        if (fields.size() > 3 && fields[0] == "PID") return QString::fromLatin1(fields[3]);
    }
    return {};
}

class RunOutputCheckTest : public tv::store::testing::StoreFixture {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    void SetUp() override
    {
        StoreFixture::SetUp();
        ASSERT_TRUE(m_renderer.setPageScript(readSource("demo/reports/page-script.vbs")));
        ASSERT_TRUE(m_renderer.setExportProgram(builtinHl7ExportProgram()));
        m_renderer.setAppFolder(folder());
        for (const QString& dir : {exportDir(), imageDir()})
            QDir().mkpath(dir);
        QFile ini(folder() + "EXPORT.INI");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(("[EXPORT]\r\nREPIMAGE=" + imageDir() + "\r\nREPDATA=\r\nREPIMAGEDATA=\r\n").toUtf8());
        m_options.appFolder = folder();
        m_options.exportPath = exportDir();
        m_options.all = true;
        m_options.exportResults = true;
    }

    QString exportDir() const { return folder() + "hl7/"; }
    QString imageDir() const { return folder() + "images/"; }

    void runAll(int reports, bool reference)
    {
        ASSERT_EQ(storeDemoReports(m_db, reports, reference), "");
        m_renderer.setReferenceMode(reference);
        m_options.referenceMode = reference;
        const tv::store::Rows listed = select(reference ? "select * from EXTERNAL_REPORT_LC order by LABID"
                                                        : "select * from EXTERNAL_REPORT order by LABID");
        ASSERT_EQ(int(listed.rows.size()), reports);
        const PrintRunResult result = m_run.run(listed, printEntries(listed), m_options);
        ASSERT_EQ(result.error, "") << m_notices.join('\n').toStdString();
        EXPECT_EQ(result.printed, reports);
        EXPECT_EQ(m_outlet.jobs, reports);
    }

    /// Every message names its report's LABID in PID-3, then both checkers accept them all.
    void checkMessages(const QString& dir, const QStringList& names)
    {
        QStringList paths;
        for (const QString& name : names) {
            paths << dir + name;
            EXPECT_EQ("PAT_" + pidLabId(readAll(paths.back())) + '_', name.left(name.indexOf('_', 4) + 1))
                << name.toStdString();
        }
        const ToolRun check = runTool(
            "sh", QStringList{qEnvironmentVariable("TV_SOURCE_DIR") + "/tests/export/hl7check/run-check.sh"} + paths);
        if (check.exitCode == 77) GTEST_SKIP() << check.output.toStdString();
        EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
    }

    CountingOutlet m_outlet;
    tv::render::ReportRenderer m_renderer{[this](const QString& i, const QString&) { m_notices.append(i); }, &m_outlet};
    QStringList m_notices;
    PrintRunOptions m_options;
    PrintRun m_run{m_db, m_renderer, m_outlet};
};

TEST_F(RunOutputCheckTest, a_normal_run_writes_messages_and_pictures_the_readers_accept)
{
    const int reports = 10;
    ASSERT_NO_FATAL_FAILURE(runAll(reports, false));

    const QList<tv::lab::ReportTemplate> templates = tv::lab::demoReportTemplates();
    QStringList messages;
    for (int i = 0; i < reports; ++i) {
        const tv::lab::ReportTemplate& t = templates[i % templates.size()];
        if (t.department != "CU") messages << QStringLiteral("PAT_%1_%2.HL7").arg(demoStamp(i).labId).arg(t.code);
    }
    messages.sort();
    ASSERT_EQ(QDir(exportDir()).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(' '), messages.join(' '));

    const QStringList pictures = QDir(imageDir()).entryList(QDir::Files, QDir::Name);
    EXPECT_GT(pictures.size(), reports); // the culture report has two pages
    if (QStandardPaths::findExecutable("wmf2svg").isEmpty()) {
        ADD_FAILURE() << "wmf2svg (libwmf-bin) is not installed";
    } else {
        for (const QString& picture : pictures) {
            const QString svg = folder() + picture + ".svg";
            const ToolRun converted = runTool("wmf2svg", {"-o", svg, imageDir() + picture});
            EXPECT_EQ(converted.exitCode, 0) << picture.toStdString();
            EXPECT_FALSE(converted.output.contains("ERROR")) << picture.toStdString() << converted.output.toStdString();
            const QString labId = picture.section('_', 1, 1);
            EXPECT_TRUE(readAll(svg).contains(labId.toLatin1()))
                << picture.toStdString() << " does not show " << labId.toStdString();
        }
    }
    checkMessages(exportDir(), messages);
}

TEST_F(RunOutputCheckTest, a_reference_run_writes_messages_the_checkers_accept)
{
    const int reports = 5;
    ASSERT_NO_FATAL_FAILURE(runAll(reports, true));
    const QString dir = folder() + "REFERENCE/";
    const QStringList messages = QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    ASSERT_EQ(messages.size(), reports);
    checkMessages(dir, messages);
}

} // namespace
