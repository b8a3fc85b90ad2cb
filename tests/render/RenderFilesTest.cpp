#include "render/RenderFiles.h"

#include "RenderFixture.h"
#include "render/ReferencePages.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace tv::render;
using namespace tv::render::testing;

namespace {

class RenderFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }
    QString demo(const char* name) { return qEnvironmentVariable("TV_SOURCE_DIR") + "/demo/reports/" + name; }
    QString path(const QString& name) { return QDir(m_dir.path()).filePath(name); }
    /// The demo page script with a report: a demo report's name or a path.
    RenderFilesRequest files(const QString& report)
    {
        RenderFilesRequest request;
        request.pageScriptPath = demo("page-script.vbs");
        request.reportPath = report.contains(QLatin1Char('/')) ? report : demo(qPrintable(report));
        return request;
    }
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir m_dir;
};

// libwmf's converter exits 0 even on fatal errors: accept a file only with no "ERROR" and an output.
void expectLibwmfAccepts(const QString& wmf, const QString& svg)
{
    if (QStandardPaths::findExecutable("wmf2svg").isEmpty()) GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    QProcess process;
    process.start("wmf2svg", {"-o", svg, wmf});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_FALSE(process.readAllStandardError().contains("ERROR")) << wmf.toStdString();
    EXPECT_GT(QFileInfo(svg).size(), 1000) << wmf.toStdString();
}

int inkedRows(const QImage& image)
{
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() < 128) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

} // namespace

TEST_F(RenderFilesTest, culture_report_to_pdf_png_and_wmf)
{
    RenderFilesRequest request = files("culture.vbs");
    request.pdfPath = path("out.pdf");
    request.pngDir = path("png");
    request.wmfDir = path("wmf");
    const RenderFilesResult result = renderFiles(request);
    ASSERT_EQ(result.error, QString());
    ASSERT_EQ(result.pages, 2);
    QFile pdf(path("out.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    for (int page = 1; page <= 2; ++page) {
        const QImage png(path(QStringLiteral("png/page-%1.png").arg(page)));
        ASSERT_FALSE(png.isNull());
        EXPECT_GT(inkedRows(png), png.height() / 10);
        expectLibwmfAccepts(path(QStringLiteral("wmf/page-%1.wmf").arg(page)),
                            path(QStringLiteral("p%1.svg").arg(page)));
    }
}

TEST_F(RenderFilesTest, script_errors_and_missing_files)
{
    writeFile("bad.vbs", "LABID = 1\r\nPANEL = Chr(3) & Nonsense(\r\n");
    RenderFilesResult result = renderFiles(files(path("bad.vbs")));
    EXPECT_TRUE(result.error.startsWith("REPORT ")) << result.error.toStdString();

    result = renderFiles(files(path("missing.vbs")));
    EXPECT_TRUE(result.error.contains("missing.vbs"));
    EXPECT_EQ(result.pages, 0);
}

TEST_F(RenderFilesTest, reference_page_data)
{
    RenderFilesRequest lipid = files("lipid.vbs");
    lipid.wmfDir = path("lipid");
    ASSERT_EQ(renderFiles(lipid).pages, 1);
    QFile wmf(path("lipid/page-1.wmf"));
    ASSERT_TRUE(wmf.open(QIODevice::ReadOnly));
    const QByteArray picture = wmf.readAll();
    // An empty page between two separators is skipped.
    writeFile("reference.txt", joinReferencePages({picture, QByteArray(), picture}).toLatin1());
    RenderFilesRequest request = files(path("reference.txt"));
    request.reference = true;
    request.pngDir = path("ref");
    const RenderFilesResult result = renderFiles(request);
    EXPECT_EQ(result.error, QString());
    EXPECT_EQ(result.pages, 2);
    EXPECT_GT(inkedRows(QImage(path("ref/page-2.png"))), 100);
}
