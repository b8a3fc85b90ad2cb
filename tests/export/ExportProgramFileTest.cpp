#include "export/ExportProgramFile.h"

#include "export/Hl7ExportProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tv::exports;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ExportProgramFile, saves_the_built_in_program_then_runs_the_file_until_it_is_deleted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("EXPORT.DAT");

    const ExportProgramText first = loadExportProgram(dir.path());
    EXPECT_EQ(first.error, "");
    EXPECT_FALSE(first.fromFile);
    EXPECT_EQ(first.text, builtinHl7ExportProgram());
    const QByteArray saved = readAll(path);
    EXPECT_TRUE(saved.startsWith(builtinHl7ExportProgram().section('\n', 0, 0).toLatin1() + "\r\n"));
    EXPECT_TRUE(saved.endsWith("End Sub\r\n")) << saved.right(20).toStdString();
    EXPECT_FALSE(saved.contains("\r\n\r\n\r\n"));
    EXPECT_EQ(saved.count('\n'), saved.count("\r\n"));
    EXPECT_EQ(loadExportProgram(dir.path()).text, builtinHl7ExportProgram());

    // A vendor's program: Windows-1252 text with any line ends; the file is left as it is.
    QFile vendor(path);
    ASSERT_TRUE(vendor.open(QIODevice::WriteOnly));
    vendor.write("Sub Export(FilePath)\r\n  x = \"caf\xe9\"\rEnd Sub\n");
    vendor.close();
    const ExportProgramText own = loadExportProgram(dir.path());
    EXPECT_EQ(own.error, "");
    EXPECT_TRUE(own.fromFile);
    EXPECT_EQ(own.text, QString::fromUtf8("Sub Export(FilePath)\n  x = \"caf\xc3\xa9\"\nEnd Sub\n"));
    EXPECT_EQ(readAll(path), "Sub Export(FilePath)\r\n  x = \"caf\xe9\"\rEnd Sub\n");

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(loadExportProgram(dir.path()).text, builtinHl7ExportProgram());
    EXPECT_TRUE(QFile::exists(path));
}

TEST(ExportProgramFile, a_folder_it_cannot_write_still_runs_the_built_in_program)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("missing/folder");
    const ExportProgramText program = loadExportProgram(folder);
    EXPECT_FALSE(program.fromFile);
    EXPECT_EQ(program.text, builtinHl7ExportProgram());
    EXPECT_FALSE(program.error.isEmpty());
}

TEST(ExportProgramFile, an_unreadable_file_is_an_error_not_the_built_in_program)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("EXPORT.DAT")); // unreadable even for root
    const ExportProgramText program = loadExportProgram(dir.path());
    EXPECT_TRUE(program.fromFile);
    EXPECT_TRUE(program.text.isEmpty());
    EXPECT_FALSE(program.error.isEmpty());
}

} // namespace
