// Printing through a real CUPS queue: a private scheduler with a cups-pdf printer, found by Qt
// through libcups like any system printer. A document printed there, and a run of the tallyvane
// program printed there, come out as PDFs whose pages and text are those of what was sent.

#include "../export/DemoReportList.h"
#include "CupsDaemon.h"
#include "page/PagePrinter.h"
#include "page/widgets/PagePrintJob.h"
#include "page/widgets/PrinterChoice.h"
#include "render/StoredScript.h"
#include "store/ConfigStore.h"
#include "store/LocalDatabase.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tv::testing::CupsDaemon;

namespace {

const QString kQueue = QStringLiteral("TV_PDF_TEST");

/// The text of a PDF as pdftotext reads it, and its page count from pdfinfo.
struct PdfContent {
    QString text;
    int pages = -1;
};

PdfContent readPdf(const QString& path)
{
    PdfContent content;
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (text.waitForFinished(30000)) content.text = QString::fromUtf8(text.readAllStandardOutput());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (info.waitForFinished(30000)) {
        for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("Pages:"))) content.pages = line.mid(6).trimmed().toInt();
    }
    return content;
}

class CupsQueueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_daemon = new CupsDaemon;
        s_skipReason = s_daemon->start(kQueue);
        // libcups reads this once; every later printer look-up of this process goes to the private scheduler.
        qputenv("CUPS_SERVER", s_daemon->socketPath().toLocal8Bit());
        static int argc = 1;
        static char name[] = "cups_queue_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QApplication(argc, argv);
    }
    static void TearDownTestSuite()
    {
        delete s_daemon;
        s_daemon = nullptr;
    }
    void SetUp() override
    {
        if (!s_skipReason.isEmpty()) GTEST_SKIP() << s_skipReason.toStdString();
        s_daemon->removePdfs();
    }

    static CupsDaemon* s_daemon;
    static QString s_skipReason;
};

CupsDaemon* CupsQueueTest::s_daemon = nullptr;
QString CupsQueueTest::s_skipReason;

TEST_F(CupsQueueTest, qt_finds_the_queue_through_libcups)
{
    EXPECT_TRUE(QPrinterInfo::availablePrinterNames().contains(kQueue))
        << QPrinterInfo::availablePrinterNames().join(' ').toStdString();
    EXPECT_FALSE(QPrinterInfo::printerInfo(kQueue).isNull());
    EXPECT_TRUE(tv::page::PrinterChoice::available().contains(kQueue));
}

TEST_F(CupsQueueTest, a_printed_document_comes_out_as_a_pdf_with_its_pages)
{
    tv::page::PrinterChoice choice;
    ASSERT_TRUE(choice.select(kQueue));
    tv::page::PagePrinter pages(choice.device());
    pages.setTitle(QStringLiteral("GARCIA LOPEZ, MARIA / CBC"));
    pages.beginDoc();
    pages.writeLine(QStringLiteral("Hemoglobin 11.2 g/dL"));
    pages.newPage();
    pages.writeLine(QStringLiteral("Platelets 251 x10E3/uL"));
    pages.endDoc();

    const tv::page::PrintOutcome outcome = tv::page::printOnPrinter(pages, kQueue);
    ASSERT_EQ(outcome.error, "");
    EXPECT_EQ(outcome.pagesSent, 2);
    ASSERT_TRUE(s_daemon->waitForPdfs(1, 30000)) << s_daemon->logTail().toStdString();
    const QStringList pdfs = s_daemon->pdfs();
    ASSERT_EQ(pdfs.size(), 1);
    const PdfContent pdf = readPdf(pdfs[0]);
    EXPECT_EQ(pdf.pages, 2);
    EXPECT_TRUE(pdf.text.contains(QStringLiteral("Hemoglobin 11.2 g/dL"))) << pdf.text.toStdString();
    EXPECT_TRUE(pdf.text.contains(QStringLiteral("Platelets 251 x10E3/uL"))) << pdf.text.toStdString();
    EXPECT_LT(pdf.text.indexOf(QStringLiteral("Hemoglobin")), pdf.text.indexOf(QStringLiteral("Platelets")));
}

#ifdef TV_TALLYVANE_PROGRAM
TEST_F(CupsQueueTest, a_run_printed_to_the_queue_comes_out_as_one_pdf_per_report)
{
    QTemporaryDir home;
    QTemporaryDir installation;
    const auto tallyvane = [&](const QStringList& args) {
        QProcess process;
        QProcessEnvironment env = s_daemon->clientEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        env.insert(QStringLiteral("TALLYVANE_NOW"), QStringLiteral("2026-12-02T10:00:00"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(TV_TALLYVANE_PROGRAM),
                      QStringList{QStringLiteral("--app-folder"), installation.path()} + args);
        const bool ended = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
        return std::pair(ended ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAll()));
    };
    const auto init = tallyvane({"init", "--account", "1001", "--customer", "Demo", "--days", "30"});
    ASSERT_EQ(init.first, 0) << init.second.toStdString();
    const int reports = 3; // the blood count, the metabolic panel and the two-page culture
    {
        tv::store::Connection db;
        ASSERT_TRUE(tv::store::openDatabase(db, installation.path()).ok);
        ASSERT_EQ(tv::exports::testing::storeDemoReports(db, reports, false), "");
        QFile script(qEnvironmentVariable("TV_SOURCE_DIR") + QStringLiteral("/demo/reports/page-script.vbs"));
        ASSERT_TRUE(script.open(QIODevice::ReadOnly));
        ASSERT_TRUE(
            tv::store::ConfigStore(db)
                .addConfig("SYSTEM.PAGE", " ", QString::fromLatin1(tv::render::encodeStoredScript(script.readAll())))
                .ok);
    }

    const auto run =
        tallyvane({"print", "--all", "--work-date",
                   tv::exports::testing::demoStamp(0).received.date().toString(Qt::ISODate), "--printer", kQueue});
    ASSERT_EQ(run.first, 0) << run.second.toStdString();
    ASSERT_TRUE(s_daemon->waitForPdfs(reports, 60000)) << s_daemon->logTail().toStdString();
    const QStringList pdfs = s_daemon->pdfs();
    ASSERT_EQ(pdfs.size(), reports);
    // Each report's patient in exactly one PDF, with the report's own pages.
    QList<PdfContent> contents;
    for (const QString& path : pdfs)
        contents << readPdf(path);
    for (int i = 0; i < reports; ++i) {
        const tv::lab::ReportStamp stamp = tv::exports::testing::demoStamp(i);
        int found = 0;
        for (const PdfContent& pdf : contents) {
            if (!pdf.text.contains(stamp.name)) continue;
            ++found;
            EXPECT_TRUE(pdf.text.contains(QString::number(stamp.labId))) << stamp.name.toStdString();
            EXPECT_EQ(pdf.pages, i == 2 ? 2 : 1) << stamp.name.toStdString();
        }
        EXPECT_EQ(found, 1) << stamp.name.toStdString();
    }
}
#endif

} // namespace
