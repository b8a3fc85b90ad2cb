#include "export/PdfFileOutlet.h"

#include "../render/RenderFixture.h"
#include "page/PagePrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tv::render::testing::ensureGuiApplication;
using tv::exports::PdfFileOutlet;

namespace {

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PdfFileOutletTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    /// A one-page document that says `line`.
    const tv::page::PageDocument& document(const QString& line)
    {
        m_pages.beginDoc();
        m_pages.writeLine(line);
        m_pages.endDoc();
        return m_pages.document();
    }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir m_dir;
    tv::page::PagePrinter m_pages;
    PdfFileOutlet m_outlet{m_dir.path()};
};

TEST(PdfFileOutletNames, name_each_report_by_its_key_and_keep_it_in_the_folder)
{
    struct Case {
        int labId;
        const char* code;
        int job;
        const char* name;
    };
    const Case cases[] = {
        {1001, "CBC", 1, "1001_CBC.pdf"},
        {123456789, "CMP", 2, "123456789_CMP-2.pdf"},
        {5, "A/B", 1, "5_A%2FB.pdf"},
        {5, "A%2FB", 1, "5_A%252FB.pdf"}, // never the same file as "A/B"
        {5, "..\\x:y", 1, "5_..%5Cx%3Ay.pdf"},
        {5, "\xC3\x91", 1, "5_%C3%91.pdf"},
        {5, "", 1, "5_.pdf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PdfFileOutlet::fileName(c.labId, QString::fromUtf8(c.code), c.job), QLatin1String(c.name)) << c.code;
}

TEST_F(PdfFileOutletTest, refuses_to_print_before_a_report_is_named)
{
    EXPECT_FALSE(m_outlet.print(document("NOBODY")).isEmpty());
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(PdfFileOutletTest, writes_one_file_per_report_and_a_reprint_replaces_it)
{
    m_outlet.reportStarting(1001, "CBC");
    ASSERT_EQ(m_outlet.print(document("FIRST PRINT OF 1001")), "");
    ASSERT_EQ(m_outlet.print(document("SECOND JOB OF 1001")), "");
    m_outlet.reportStarting(1002, "CMP");
    ASSERT_EQ(m_outlet.print(document("REPORT 1002")), "");
    EXPECT_EQ(files(), (QStringList{"1001_CBC-2.pdf", "1001_CBC.pdf", "1002_CMP.pdf"})); // nothing half-written left
    EXPECT_TRUE(pdfText(m_dir.filePath("1001_CBC.pdf")).contains("FIRST PRINT OF 1001"));
    EXPECT_TRUE(pdfText(m_dir.filePath("1001_CBC-2.pdf")).contains("SECOND JOB OF 1001"));

    m_outlet.reportStarting(1001, "CBC");
    ASSERT_EQ(m_outlet.print(document("REPRINT OF 1001")), "");
    EXPECT_EQ(files().size(), 3);
    EXPECT_TRUE(pdfText(m_dir.filePath("1001_CBC.pdf")).contains("REPRINT OF 1001"));
    EXPECT_EQ(m_outlet.written().size(), 4);
}

TEST_F(PdfFileOutletTest, a_folder_that_is_gone_is_an_error)
{
    PdfFileOutlet outlet(m_dir.filePath("missing"));
    outlet.reportStarting(1, "X");
    EXPECT_FALSE(outlet.print(document("LOST")).isEmpty());
}

} // namespace
