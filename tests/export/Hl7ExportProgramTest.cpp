// The compiled-in program is the checked-in Hl7Export.vbs byte for byte (the build embeds it).

#include "export/Hl7ExportProgram.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(Hl7ExportProgram, IsTheCheckedInScript)
{
    QFile file(qEnvironmentVariable("TV_SOURCE_DIR") + QStringLiteral("/src/export/Hl7Export.vbs"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString program = tv::exports::builtinHl7ExportProgram();
    EXPECT_EQ(program, QString::fromLatin1(file.readAll()));
    EXPECT_TRUE(program.contains(QStringLiteral("Sub Export(FilePath)")));
}
