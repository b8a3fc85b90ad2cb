#include "page/PagePlayer.h"

#include "PageTestSupport.h"
#include "page/PagePrinter.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tv::page;

namespace {

class PagePlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::ensureGuiApp();
        ASSERT_TRUE(dir.isValid());
        printer.setTitle(QStringLiteral("Player test"));
        printer.beginDoc();
        printer.canvas().setBrushSolid(0x0000FF);
        printer.canvas().rectangle({300, 300}, {600, 600});
        printer.canvas().textOut({300, 900}, QStringLiteral("MARKER"));
        printer.newPage();
        printer.writeLine(QStringLiteral("Second"));
        printer.endDoc();
    }

    QTemporaryDir dir;
    PagePrinter printer;
};

TEST_F(PagePlayerTest, a_page_renders_at_another_resolution)
{
    const QImage image = renderPage(printer.document(), 1, 96);
    ASSERT_EQ(image.size(), QSize(768, 1008)); // 8 x 10.5 in
    EXPECT_EQ(image.pixelColor(144, 144), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(90, 90), QColor(255, 255, 255));
    int ink = 0;
    for (int y = 288; y < 302; ++y)
        for (int x = 96; x < 96 + 48; ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(ink, 20); // "MARKER" at (300, 900) dots = (96, 288) pixels
    EXPECT_TRUE(renderPage(printer.document(), 3, 96).isNull());
    EXPECT_EQ(savePagePng(printer.document(), 3, 96, dir.filePath("x.png")),
              QStringLiteral("PageNumber must be between 1 and 2"));
    EXPECT_TRUE(savePagePng(printer.document(), 2, 96, dir.filePath("p2.png")).isEmpty());
    EXPECT_FALSE(QImage(dir.filePath("p2.png")).isNull());
}

TEST_F(PagePlayerTest, pdf_has_every_page_with_text_at_the_printable_origin)
{
    const QString pdf = dir.filePath("doc.pdf");
    ASSERT_TRUE(saveDocumentPdf(printer.document(), pdf).isEmpty());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished());
    const QString infoText = QString::fromLocal8Bit(info.readAllStandardOutput());
    EXPECT_TRUE(infoText.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << infoText.toStdString();
    EXPECT_TRUE(infoText.contains(QRegularExpression(QStringLiteral("Page size:\\s+612 x 792"))))
        << infoText.toStdString();

    // "MARKER" at (300, 900) dots from the printable origin: 1.25 in, 3.25 in from the paper corner.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                             QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished());
    const QString html = QString::fromUtf8(text.readAllStandardOutput());
    const QRegularExpressionMatch m =
        QRegularExpression(
            QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">MARKER<"))
            .match(html);
    ASSERT_TRUE(m.hasMatch()) << html.toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 1.25 * 72, 1.5);
    EXPECT_NEAR(m.captured(2).toDouble(), 3.25 * 72, 2.0);
    EXPECT_TRUE(saveDocumentPdf(PageDocument{}, dir.filePath("empty.pdf")).contains(QStringLiteral("no pages")));
}

TEST_F(PagePlayerTest, a_picture_is_stretched_into_its_rectangle)
{
    auto picture = std::make_shared<WmfPicture>();
    picture->windowOrigin = {100, 100};
    picture->windowExtent = {10, 10};
    PageOp fill;
    fill.kind = OpKind::Rectangle;
    fill.from = {100, 100};
    fill.to = {105, 110}; // the left half
    PageOp outside = fill;
    outside.from = {50, 50}; // drawn past the picture's window: clipped to its box
    outside.to = {100, 100};
    fill.penNull = true;
    fill.brushSolid = true;
    fill.brushColour = 0xFF0000;
    picture->ops.push_back(fill);
    picture->ops.push_back(outside);
    printer.beginDoc();
    printer.canvas().drawPicture(QRect(300, 300, 600, 300), picture);
    printer.endDoc();
    const QImage image = renderPage(printer.document(), 1, 300);
    EXPECT_EQ(image.pixelColor(450, 450), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(750, 450), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(450, 650), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(250, 250), QColor(255, 255, 255));
}

} // namespace
