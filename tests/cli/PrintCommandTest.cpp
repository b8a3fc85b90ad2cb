// tallyvane print and render --labid over an installation with stored reports: the demo reports of
// the normal channel and one reference-laboratory report, stored the way a download stores them.
#include "TallyvaneProcess.h"
#include "render/ReferencePages.h"
#include "render/StoredScript.h"
#include "store/ConfigStore.h"
#include "store/Connection.h"
#include "store/LocalDatabase.h"
#include "store/ReportProcedures.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

using namespace tv;
using tv::cli::testing::Outcome;

namespace {

const QString kNow = QStringLiteral("2026-12-11T10:00:00");
const QString kDay = QStringLiteral("2026-12-11");
const QString kCounter = QStringLiteral("PRINT.COUNT.2612");

struct Stored {
    int labId;
    const char* code;
    const char* name;
    const char* program;
};

// Listed by name: GARCIA, HALVORSEN (two pages, no HL7 file: department CU), WASHINGTON.
const Stored kReports[] = {
    {26120017, "CBCD", "GARCIA LOPEZ, MARIA ELENA", "cbc.vbs"},
    {26120018, "CMP14", "WASHINGTON REED, JAMES EARL", "cmp.vbs"},
    {26120022, "WCULA", "HALVORSEN DIAZ, PETER JOHN", "culture.vbs"},
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString source(const QString& relative)
{
    return qEnvironmentVariable("TV_SOURCE_DIR") + QLatin1Char('/') + relative;
}

QString run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString& path)
{
    return run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
}

int pdfPages(const QString& path)
{
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const qsizetype at = info.indexOf(QLatin1String("Pages:"));
    return at < 0 ? -1 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

QStringList files(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

void copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(path));
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(path, target);
    }
}

class PrintCommandTest : public ::testing::Test {
protected:
    /// One installation for the suite (a store costs seconds to build); each test works on a copy.
    static void SetUpTestSuite()
    {
        s_template = new QTemporaryDir;
        const QString folder = s_template->path();
        const Outcome init = cli::testing::runTallyvane(
            {"--app-folder", folder, "init", "--account", "1001", "--customer", "Demo", "--days", "30"},
            s_template->filePath("home"), {{"TALLYVANE_NOW", kNow}});
        ASSERT_EQ(init.status, 0) << init.out.toStdString() << init.err.toStdString();
        store::Connection db;
        ASSERT_TRUE(store::openDatabase(db, folder).ok);
        const QDateTime batch(QDate(2026, 12, 11), QTime(9, 30));
        for (const Stored& s : kReports) {
            store::PatientHeader h;
            h.labId = s.labId;
            h.account = 1001; // reports of another account are not stored
            h.name = QString::fromLatin1(s.name);
            h.workDate = QDate(2026, 12, 10);
            h.exLabId = QStringLiteral("MRN-%1").arg(s.labId);
            h.genericCode = QString::fromLatin1(s.code);
            h.description = QStringLiteral("PANEL");
            h.batch = batch;
            ASSERT_TRUE(db.executeProcedure("ADD_PATIENT", store::addPatientValues(h)).ok);
            const QString program = QString::fromLatin1(readFile(source(QStringLiteral("demo/reports/") + s.program)));
            ASSERT_TRUE(db.executeProcedure("ADD_REPORT", store::addReportValues(s.labId, h.genericCode, program)).ok);
        }
        store::PatientHeader ref;
        ref.labId = 555;
        ref.account = 1001;
        ref.name = QStringLiteral("REF, PATIENT");
        ref.genericCode = QStringLiteral("TSH");
        ref.description = QStringLiteral("THYROID");
        ref.batch = batch;
        const QString pages = render::joinReferencePages({readFile(source("fuzz/corpus/page_wmf/ours_small.wmf"))});
        ASSERT_TRUE(db.executeProcedure("ADD_PATIENT_LC", store::addPatientValues(ref)).ok);
        ASSERT_TRUE(db.executeProcedure("ADD_REPORT_LC", {555, "TSH", pages, "MSH|a\nPID|b\rOBX|c"}).ok);

        const store::ConfigStore config(db);
        const QByteArray script = readFile(source("demo/reports/page-script.vbs"));
        ASSERT_TRUE(config.addConfig("SYSTEM.PAGE", " ", QString::fromLatin1(render::encodeStoredScript(script))).ok);
    }

    static void TearDownTestSuite() { delete s_template; }

    void SetUp() override
    {
        ASSERT_TRUE(s_template);
        copyFolder(s_template->path(), m_dir.path());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("hl7") && QDir(m_dir.path()).mkpath("data"));
        QFile ini(path("EXPORT.INI"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(("[EXPORT]\r\nREPIMAGE=\r\nREPDATA=" + path("data/") + "\r\nREPIMAGEDATA=\r\n").toUtf8());
        ini.close();
        store::Connection db;
        ASSERT_TRUE(store::openDatabase(db, m_dir.path()).ok);
        ASSERT_TRUE(store::ConfigStore(db).addConfig("EXPORT.PATH", path("hl7/")).ok);
    }

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    Outcome tallyvane(const QStringList& args)
    {
        // No printer is reachable: the tests never depend on the machine's print system.
        return cli::testing::runTallyvane(QStringList{"--app-folder", m_dir.path()} + args, m_home.path(),
                                          {{"TALLYVANE_NOW", kNow}, {"CUPS_SERVER", path("no-cups.sock")}});
    }

    /// Rows of a statement on the installation's store, each as its values joined by "|".
    QStringList local(const QString& sql)
    {
        store::Connection db;
        EXPECT_TRUE(store::openDatabase(db, m_dir.path()).ok);
        const store::QueryResult result = db.select(sql);
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        QStringList out;
        for (const QVariantList& row : result.rows.rows) {
            QStringList cells;
            for (const QVariant& v : row)
                cells << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            out << cells.join('|');
        }
        return out;
    }
    QStringList printed(const char* table = "EXTERNAL_REPORT")
    {
        return local(QStringLiteral("SELECT LABID, PRINTED IS NOT NULL FROM %1 ORDER BY LABID").arg(table));
    }
    QStringList counter() { return local("SELECT VVALUE FROM CONFIG WHERE VNAME='" + kCounter + "'"); }

    static inline QTemporaryDir* s_template = nullptr;
    QTemporaryDir m_dir;
    QTemporaryDir m_home;
};

} // namespace

TEST_F(PrintCommandTest, prints_each_report_to_its_own_pdf_then_a_reprint_keeps_the_first_time)
{
    const Outcome all = tallyvane({"print", "--all", "--download-date", kDay, "--pdf", path("pdf")});
    ASSERT_EQ(all.status, 0) << all.out.toStdString() << all.err.toStdString();
    EXPECT_EQ(files(path("pdf")), (QStringList{"26120017_CBCD.pdf", "26120018_CMP14.pdf", "26120022_WCULA.pdf"}));
    EXPECT_TRUE(pdfText(path("pdf/26120017_CBCD.pdf")).contains("GARCIA LOPEZ, MARIA ELENA"));
    EXPECT_TRUE(pdfText(path("pdf/26120018_CMP14.pdf")).contains("WASHINGTON REED, JAMES EARL"));
    EXPECT_EQ(pdfPages(path("pdf/26120022_WCULA.pdf")), 2);
    EXPECT_EQ(printed(), (QStringList{"26120017|true", "26120018|true", "26120022|true"}));
    EXPECT_EQ(counter(), QStringList{"3"});
    EXPECT_TRUE(all.out.contains("reports: 3 chosen, 3 printed\n")) << all.out.toStdString();
    EXPECT_TRUE(all.out.contains("PDF files: 3 in ")) << all.out.toStdString();
    EXPECT_TRUE(all.out.contains("list reopened: 3 reports, 3 printed\n")) << all.out.toStdString();
    EXPECT_TRUE(files(path("hl7")).isEmpty()); // "Export Results" is off unless asked
    EXPECT_EQ(files(path("data")).size(), 4);  // report files are written whatever is asked

    const QStringList firstTime = local("SELECT PRINTED FROM EXTERNAL_REPORT WHERE LABID=26120017");
    const Outcome again =
        tallyvane({"print", "--download-date", kDay, "--labid", "26120017", "--code", "CBCD", "--pdf", path("pdf")});
    ASSERT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_TRUE(pdfText(path("pdf/26120017_CBCD.pdf")).contains("REPRINT"));
    EXPECT_FALSE(pdfText(path("pdf/26120018_CMP14.pdf")).contains("REPRINT"));
    EXPECT_EQ(local("SELECT PRINTED FROM EXTERNAL_REPORT WHERE LABID=26120017"), firstTime);
    EXPECT_EQ(counter(), QStringList{"4"});
}

TEST_F(PrintCommandTest, export_without_print_writes_hl7_and_report_files_and_marks_nothing)
{
    const Outcome run = tallyvane({"print", "--all", "--download-date", kDay, "--no-print", "--export"});
    ASSERT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(files(path("hl7")), (QStringList{"PAT_26120017_CBCD.HL7", "PAT_26120018_CMP14.HL7"}));
    EXPECT_EQ(files(path("data")),
              (QStringList{"PAT1_26120017_MRN-26120017_CBCD.txt", "PAT1_26120018_MRN-26120018_CMP14.txt",
                           "PAT1_26120022_MRN-26120022_WCULA.txt", "PAT2_26120022_MRN-26120022_WCULA.txt"}));
    EXPECT_TRUE(readFile(path("hl7/PAT_26120017_CBCD.HL7")).startsWith("MSH|"));
    EXPECT_EQ(printed(), (QStringList{"26120017|false", "26120018|false", "26120022|false"}));
    EXPECT_EQ(counter(), QStringList{"0"}); // written even when nothing was printed
    EXPECT_TRUE(run.out.contains("HL7 files: " + path("hl7/"))) << run.out.toStdString();
}

TEST_F(PrintCommandTest, a_failing_print_stops_the_run_with_nothing_after_it_marked_or_counted)
{
    // The second report's PDF cannot take its place: a folder holds its name.
    ASSERT_TRUE(QDir().mkpath(path("pdf/26120022_WCULA.pdf")));
    const Outcome run = tallyvane({"print", "--all", "--download-date", kDay, "--pdf", path("pdf")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("stopped after 1 printed")) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("notice: REPORT ")) << run.out.toStdString();
    EXPECT_EQ(printed(), (QStringList{"26120017|true", "26120018|false", "26120022|false"}));
    EXPECT_TRUE(counter().isEmpty());
    EXPECT_EQ(files(path("pdf")), QStringList{"26120017_CBCD.pdf"}); // no half-written file left
}

TEST_F(PrintCommandTest, reference_mode_prints_every_chosen_report_and_writes_its_hl7_text)
{
    const Outcome run = tallyvane({"print", "--reference", "--download-date", kDay, "--labid", "555", "--code", "TSH",
                                   "--no-print", "--export", "--pdf", path("pdf")});
    ASSERT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(files(path("pdf")), QStringList{"555_TSH.pdf"});
    EXPECT_EQ(pdfPages(path("pdf/555_TSH.pdf")), 1);
    EXPECT_EQ(readFile(path("REFERENCE/PAT_555_TSH.HL7")), "MSH|a\r\nPID|b\r\nOBX|c\r\n");
    EXPECT_EQ(printed("EXTERNAL_REPORT_LC"), QStringList{"555|true"});
    EXPECT_EQ(printed(), (QStringList{"26120017|false", "26120018|false", "26120022|false"}));
    EXPECT_EQ(counter(), QStringList{"1"});
}

TEST_F(PrintCommandTest, the_installation_export_program_replaces_the_built_in_one)
{
    QFile vendor(path("EXPORT.DAT"));
    ASSERT_TRUE(vendor.open(QIODevice::WriteOnly));
    vendor.write("Sub Export(FilePath)\r\n"
                 "  Set fs = CreateObject(\"Scripting.FileSystemObject\")\r\n"
                 "  Set f = fs.CreateTextFile(FilePath & \"VENDOR_\" & LABID & \".TXT\", True)\r\n"
                 "  f.Write PNAME\r\n"
                 "  f.Close\r\n"
                 "End Sub\r\n");
    vendor.close();
    const Outcome run = tallyvane(
        {"print", "--download-date", kDay, "--labid", "26120018", "--code", "CMP14", "--no-print", "--export"});
    ASSERT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(files(path("hl7")), QStringList{"VENDOR_26120018.TXT"});
    EXPECT_EQ(readFile(path("hl7/VENDOR_26120018.TXT")), "WASHINGTON REED, JAMES EARL");
}

TEST_F(PrintCommandTest, refuses_what_it_cannot_do_before_touching_a_report)
{
    struct Case {
        QStringList args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"print", "--download-date", kDay}, 2, "choose the reports"},
        {{"print", "--all", "--labid", "1", "--code", "X"}, 2, "choose the reports"},
        {{"print", "--all", "--pdf", "a", "--printer", "b"}, 2, "exclude each other"},
        {{"print", "--labid", "abc", "--code", "X"}, 2, "whole number"},
        {{"print", "--all", "--colour"}, 2, "unknown or incomplete option --colour"},
        {{"print", "--all", "--work-date", "someday"}, 2, "needs a date"},
        {{"print", "--download-date", kDay, "--labid", "26120017", "--code", "NOPE", "--pdf", "p"},
         1,
         "not in the list, nothing printed: 26120017 NOPE"},
#ifdef TV_SYSTEM_PRINTERS
        {{"print", "--all", "--download-date", kDay}, 1, "no default printer"},
        {{"print", "--all", "--download-date", kDay, "--printer", "Nowhere"}, 1, "there is no printer \"Nowhere\""},
#else
        {{"print", "--all", "--download-date", kDay}, 1, "this build cannot print to printers"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome result = tallyvane(c.args);
        EXPECT_EQ(result.status, c.status) << result.out.toStdString();
        EXPECT_TRUE(result.err.contains(QLatin1String(c.says))) << result.err.toStdString();
    }
    EXPECT_EQ(printed(), (QStringList{"26120017|false", "26120018|false", "26120022|false"}));
    EXPECT_TRUE(counter().isEmpty());

    ASSERT_EQ(tallyvane({"config", "set", "EXPORT.PATH", ""}).status, 0);
    const Outcome noFolder = tallyvane({"print", "--all", "--download-date", kDay, "--no-print", "--export"});
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_TRUE(noFolder.err.contains("no export folder is set")) << noFolder.err.toStdString();
}

TEST_F(PrintCommandTest, render_draws_a_stored_report_as_the_program_does)
{
    const Outcome two = tallyvane(
        {"render", "--labid", "26120022", "--code", "WCULA", "--pdf", path("c.pdf"), "--png-dir", path("png")});
    ASSERT_EQ(two.status, 0) << two.out.toStdString() << two.err.toStdString();
    EXPECT_EQ(two.out, "2\n");
    EXPECT_TRUE(pdfText(path("c.pdf")).contains("HALVORSEN DIAZ, PETER JOHN"));
    EXPECT_EQ(files(path("png")), (QStringList{"page-1.png", "page-2.png"}));
    EXPECT_EQ(printed(), (QStringList{"26120017|false", "26120018|false", "26120022|false"})); // nothing marked

    const Outcome reference =
        tallyvane({"render", "--reference", "--labid", "555", "--code", "TSH", "--wmf-dir", path("wmf")});
    EXPECT_EQ(reference.status, 0) << reference.err.toStdString();
    EXPECT_EQ(files(path("wmf")), QStringList{"page-1.wmf"});

    const Outcome missing = tallyvane({"render", "--labid", "555", "--code", "TSH"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("there is no stored report 555 TSH")) << missing.err.toStdString();
    EXPECT_EQ(tallyvane({"render", "--labid", "555"}).status, 2);
    EXPECT_EQ(tallyvane({"render", "--labid", "555", "--code", "TSH", "--report", "x.vbs"}).status, 2);
}
