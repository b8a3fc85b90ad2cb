#include "export/ExportProgramFile.h"

#include "export/Hl7ExportProgram.h"
#include "export/ReportFiles.h"
#include "text/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace tv::exports {

ExportProgramText loadExportProgram(const QString& appFolder)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QString path = QDir(appFolder).filePath(QStringLiteral("EXPORT.DAT"));
    ExportProgramText program;
    QFile file(path);
    if (file.exists()) {
        program.fromFile = true;
        if (!file.open(QIODevice::ReadOnly)) {
            program.error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
            return program;
        }
        program.text = text::fromCp1252(file.readAll()).split(lineBreak).join(QLatin1Char('\n'));
        return program;
    }
    program.text = builtinHl7ExportProgram();
    QStringList lines = program.text.split(lineBreak);
    if (lines.last().isEmpty()) lines.removeLast(); // the text's own last line break
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += text::toCp1252(line) + "\r\n";
    program.error = writeFileWhole(path, bytes);
    return program;
}

} // namespace tv::exports
