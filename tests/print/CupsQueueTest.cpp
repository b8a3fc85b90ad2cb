// Printing through a real CUPS queue: a private scheduler with a cups-pdf printer, found by Qt
// through libcups like any system printer, and a print job that comes out as a PDF whose pages
// and text are those of the document sent.

#include "CupsDaemon.h"
#include "page/PagePrinter.h"
#include "page/widgets/PagePrintJob.h"
#include "page/widgets/PrinterChoice.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QProcess>
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

} // namespace
