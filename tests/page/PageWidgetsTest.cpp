#include "page/PagePrinter.h"
#include "page/widgets/PagePreview.h"
#include "page/widgets/PagePrintJob.h"
#include "page/widgets/PrinterChoice.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tv::page;

namespace {

void ensureWidgetApp()
{
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "page_widgets_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

class PageWidgetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        pdfPrinter.setOutputFormat(QPrinter::PdfFormat);
        pdfPrinter.setOutputFileName(dir.filePath("out.pdf"));
        pdfPrinter.setPageSize(QPageSize(QPageSize::Letter));
        pdfPrinter.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
        pdfPrinter.setResolution(300);
        pages.setDevice(PrinterChoice::deviceOf(pdfPrinter));
        pages.setTitle(QStringLiteral("Result report"));
    }
    void drawPages(int count)
    {
        pages.beginDoc();
        for (int i = 1; i <= count; ++i) {
            if (i > 1) pages.newPage();
            pages.canvas().textOut({300, 600}, QStringLiteral("PAGE%1").arg(i));
        }
    }
    int pdfPages()
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {dir.filePath("out.pdf")});
        info.waitForFinished();
        const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(QString::fromLocal8Bit(info.readAllStandardOutput()));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    QTemporaryDir dir;
    bool appReady = (ensureWidgetApp(), true); // a QPrinter needs the application first
    QPrinter pdfPrinter{QPrinter::HighResolution};
    PagePrinter pages;
};

TEST_F(PageWidgetsTest, a_letter_printer_with_quarter_inch_offsets_is_the_fallback_device)
{
    EXPECT_EQ(PrinterChoice::deviceOf(pdfPrinter), PageDevice::fallback());
}

TEST_F(PageWidgetsTest, preview_shows_pages_of_the_document_only)
{
    PagePreview preview(pages);
    preview.setZoom(95);
    drawPages(2);
    EXPECT_EQ(preview.showPage(2), QString());
    pages.endDoc();
    EXPECT_EQ(preview.shownPage(), 1); // ending a document shows page 1
    EXPECT_EQ(preview.showPage(2), QString());
    EXPECT_EQ(preview.shownPage(), 2);
    EXPECT_EQ(preview.showPage(3), QStringLiteral("PageNumber must be between 1 and 2"));
    EXPECT_EQ(preview.showPage(0), QStringLiteral("PageNumber must be between 1 and 2"));
    EXPECT_EQ(preview.shownPage(), 2);

    preview.resize(preview.sizeHint());
    const QImage shown = preview.grab().toImage();
    int ink = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            ink += qGray(shown.pixel(x, y)) < 100;
    EXPECT_GT(ink, 100); // the paper's border and the page's text
}

TEST_F(PageWidgetsTest, printing_sends_every_page_unscaled_at_the_printable_origin)
{
    drawPages(2);
    const PrintOutcome outcome = printDocument(pages, pdfPrinter);
    EXPECT_TRUE(outcome.error.isEmpty());
    EXPECT_EQ(outcome.pagesSent, 2);
    EXPECT_FALSE(pages.isPrinting()); // the open document was ended first
    ASSERT_EQ(pdfPages(), 2);

    // (300, 600) dots from the printable origin = 1.25 in, 2.25 in from the paper corner:
    // at 100 dpi the text starts at pixel (125, 225) and is about 14 pixels high.
    QProcess ppm;
    ppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-gray"),
                                           QStringLiteral("-png"), QStringLiteral("-f"), QStringLiteral("1"),
                                           QStringLiteral("-singlefile"), dir.filePath("out.pdf"), dir.filePath("p")});
    ASSERT_TRUE(ppm.waitForFinished());
    const QImage page(dir.filePath("p.png"));
    ASSERT_EQ(page.size(), QSize(850, 1100));
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    EXPECT_NEAR(ink.left(), 125, 3);
    EXPECT_NEAR(ink.top(), 225, 4);
    EXPECT_NEAR(ink.bottom(), 225 + 12, 4);
    EXPECT_NEAR(ink.width(), 5 * 0.6 * 14 + 8, 10); // "PAGE1" in a 14-pixel monospaced em
}

TEST_F(PageWidgetsTest, cancel_stops_after_the_current_page)
{
    drawPages(3);
    QString caption, line;
    const PrintOutcome outcome = printDocument(pages, pdfPrinter, nullptr, [&](int page) {
        if (page != 1) return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("printProgress") && w->isVisible()) {
                caption = w->windowTitle();
                line = w->findChild<QLabel*>(QStringLiteral("pageLabel"))->text();
                w->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
            }
        }
    });
    EXPECT_EQ(caption, QStringLiteral("Result report"));
    EXPECT_EQ(line, QStringLiteral("Page 1 of 3"));
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.pagesSent, 1);
    EXPECT_EQ(pdfPages(), 1); // the job ended normally with the pages sent so far
}

TEST_F(PageWidgetsTest, a_document_without_pages_prints_nothing)
{
    const PrintOutcome outcome = printDocument(pages, pdfPrinter);
    EXPECT_EQ(outcome.pagesSent, 0);
    EXPECT_TRUE(outcome.error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("out.pdf")));
}

} // namespace
