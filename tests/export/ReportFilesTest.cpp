#include "export/ReportFiles.h"

#include "../render/RenderFixture.h"
#include "page/PagePrinter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tv::render::testing::ensureGuiApplication;
using namespace tv::exports;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ReportFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    QString makeFolder(const QString& name) const
    {
        QDir().mkpath(path(name));
        return path(name);
    }
    void writeIni(const QString& text) const
    {
        QFile file(path("EXPORT.INI"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    /// A document of `pages` pages, each with one line of text.
    void draw(int pages)
    {
        m_printer.beginDoc();
        for (int k = 1; k <= pages; ++k) {
            if (k > 1) m_printer.newPage();
            m_printer.writeLine(QStringLiteral("HEMOGLOBIN 13.5 g/dL page %1").arg(k));
        }
        m_printer.endDoc();
    }
    QStringList filesIn(const QString& folder) const { return QDir(folder).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir m_dir;
    tv::page::PagePrinter m_printer;
    const ReportKey m_key{1234, QStringLiteral("EX77"), QStringLiteral("CBC")};
};

TEST_F(ReportFilesTest, ini_folders_missing_unset_or_not_folders_count_as_empty)
{
    ReportFileFolders folders = readReportFileFolders(m_dir.path());
    EXPECT_TRUE(folders.image.isEmpty() && folders.data.isEmpty() && folders.imageData.isEmpty());

    const QString images = makeFolder("img") + '/';
    writeIni("[EXPORT]\r\nREPIMAGE=" + images + "\r\nREPDATA=" + path("gone/") + "\r\nREPIMAGEDATA=\r\n");
    folders = readReportFileFolders(m_dir.path());
    EXPECT_EQ(folders.image, images);
    EXPECT_TRUE(folders.data.isEmpty());
    EXPECT_TRUE(folders.imageData.isEmpty());
}

TEST_F(ReportFilesTest, all_three_empty_writes_nothing)
{
    writeIni("[EXPORT]\r\nREPIMAGE=\r\nREPDATA=\r\nREPIMAGEDATA=\r\n");
    draw(1);
    EXPECT_EQ(exportReportFiles(readReportFileFolders(m_dir.path()), m_printer.document(), m_key, "x\r\n"), "");
    EXPECT_EQ(filesIn(m_dir.path()), QStringList{"EXPORT.INI"});
}

TEST_F(ReportFilesTest, two_pages_write_a_picture_and_a_value_text_per_page)
{
    const QString images = makeFolder("img") + '/';
    const QString data = makeFolder("data") + '/';
    const QString both = makeFolder("both") + '/';
    writeIni("[EXPORT]\nREPIMAGE=" + images + "\nREPDATA=" + data + "\nREPIMAGEDATA=" + both + "\n");
    draw(2);
    const QByteArray text = reportValueText(QStringLiteral("Dim a"), QStringLiteral("Sub R\nEnd Sub"));
    EXPECT_EQ(text, "Dim a\r\nSub R\r\nEnd Sub\r\n");
    ASSERT_EQ(exportReportFiles(readReportFileFolders(m_dir.path()), m_printer.document(), m_key, text), "");

    const QStringList wmf{"PAT1_1234_EX77_CBC.wmf", "PAT2_1234_EX77_CBC.wmf"};
    const QStringList txt{"PAT1_1234_EX77_CBC.txt", "PAT2_1234_EX77_CBC.txt"};
    EXPECT_EQ(filesIn(images), wmf);
    EXPECT_EQ(filesIn(data), txt);
    EXPECT_EQ(filesIn(both), (QStringList{txt[0], wmf[0], txt[1], wmf[1]}));
    EXPECT_EQ(readAll(data + txt[0]), text);
    EXPECT_EQ(readAll(data + txt[1]), text);
    // Placeable metafile key, and the two pages differ.
    EXPECT_TRUE(readAll(images + wmf[0]).startsWith(QByteArray::fromHex("d7cdc69a")));
    EXPECT_NE(readAll(images + wmf[0]), readAll(images + wmf[1]));
    EXPECT_EQ(readAll(images + wmf[0]), readAll(both + wmf[0]));

    if (QStandardPaths::findExecutable("wmf2svg").isEmpty()) GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    QProcess process;
    process.start("wmf2svg", {"-o", path("p.svg"), images + wmf[1]});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_FALSE(process.readAllStandardError().contains("ERROR"));
}

TEST_F(ReportFilesTest, a_folder_without_trailing_separator_prefixes_the_names)
{
    const QString images = makeFolder("pics");
    writeIni("[EXPORT]\nREPIMAGE=" + images + "\n");
    draw(1);
    ASSERT_EQ(exportReportFiles(readReportFileFolders(m_dir.path()), m_printer.document(), m_key, {}), "");
    EXPECT_TRUE(QFile::exists(path("picsPAT1_1234_EX77_CBC.wmf")));
    EXPECT_TRUE(filesIn(images).isEmpty());
}

TEST_F(ReportFilesTest, existing_files_are_replaced_and_no_temporary_file_stays)
{
    const QString data = makeFolder("data") + '/';
    writeIni("[EXPORT]\nREPDATA=" + data + "\n");
    QFile old(data + "PAT1_1234_EX77_CBC.txt");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("a much longer old content that must not survive");
    old.close();
    draw(1);
    ASSERT_EQ(exportReportFiles(readReportFileFolders(m_dir.path()), m_printer.document(), m_key, "new\r\n"), "");
    EXPECT_EQ(readAll(data + "PAT1_1234_EX77_CBC.txt"), "new\r\n");
    EXPECT_EQ(QDir(data).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(ReportFilesTest, a_folder_removed_before_writing_is_a_file_error)
{
    const QString data = makeFolder("data") + '/';
    writeIni("[EXPORT]\nREPDATA=" + data + "\n");
    const ReportFileFolders folders = readReportFileFolders(m_dir.path());
    ASSERT_TRUE(QDir(data).removeRecursively());
    draw(1);
    EXPECT_TRUE(exportReportFiles(folders, m_printer.document(), m_key, "x").contains("PAT1_1234_EX77_CBC.txt"));
}

TEST(ExportFolder, trailing_separator_and_password)
{
    EXPECT_EQ(includeTrailingSeparator("/srv/emr"), "/srv/emr/");
    EXPECT_EQ(includeTrailingSeparator("/srv/emr/"), "/srv/emr/");
    EXPECT_EQ(includeTrailingSeparator("C:\\EMR\\"), "C:\\EMR\\");

    const QDate today(2024, 5, 6);
    EXPECT_TRUE(exportPasswordMatches("100106", "1001", today));
    EXPECT_FALSE(exportPasswordMatches("10016", "1001", today));
    EXPECT_FALSE(exportPasswordMatches("100106 ", "1001", today));
    EXPECT_FALSE(exportPasswordMatches("", "1001", today));
    EXPECT_TRUE(exportPasswordMatches("100131", "1001", QDate(2024, 5, 31)));
}

} // namespace
