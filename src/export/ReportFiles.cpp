#include "export/ReportFiles.h"

#include "page/WmfWriter.h"
#include "text/Cp1252.h"
#include "text/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace tv::exports {

namespace {

QString existingFolderOrEmpty(const QString& value)
{
    return !value.isEmpty() && QFileInfo(value).isDir() ? value : QString();
}

} // namespace

ReportFileFolders readReportFileFolders(const QString& appFolder)
{
    const text::IniFile ini = text::IniFile::load(QDir(appFolder).filePath(QStringLiteral("EXPORT.INI")));
    const auto folder = [&](const char* key) {
        return existingFolderOrEmpty(ini.value(QStringLiteral("EXPORT"), QString::fromLatin1(key)).value_or(QString()));
    };
    return {folder("REPIMAGE"), folder("REPDATA"), folder("REPIMAGEDATA")};
}

QString reportFileBaseName(const ReportKey& key, int page)
{
    return QStringLiteral("PAT%1_%2_%3_%4").arg(page).arg(key.labId).arg(key.exLabId, key.genericCode);
}

QByteArray reportValueText(const QString& extraFieldsInit, const QString& reportProgram)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QString text = extraFieldsInit + QStringLiteral("\r\n") + reportProgram;
    QByteArray bytes;
    for (const QString& line : text.split(lineBreak))
        bytes += text::toCp1252(line) + "\r\n";
    return bytes;
}

QString writeFileWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    return {};
}

QString exportReportFiles(const ReportFileFolders& folders, const page::PageDocument& doc, const ReportKey& key,
                          const QByteArray& valueText)
{
    for (int k = 1; k <= doc.pageCount(); ++k) {
        const QString base = reportFileBaseName(key, k);
        const QByteArray picture = (folders.image.isEmpty() && folders.imageData.isEmpty())
                                       ? QByteArray()
                                       : page::writeWmf(doc.pages[size_t(k - 1)], doc.device);
        QString error;
        const auto write = [&](const QString& prefix, const char* suffix, const QByteArray& bytes) {
            if (error.isEmpty() && !prefix.isEmpty())
                error = writeFileWhole(prefix + base + QLatin1String(suffix), bytes);
        };
        write(folders.image, ".wmf", picture);
        write(folders.data, ".txt", valueText);
        write(folders.imageData, ".wmf", picture);
        write(folders.imageData, ".txt", valueText);
        if (!error.isEmpty()) return error;
    }
    return {};
}

QString includeTrailingSeparator(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')) ? path : path + QLatin1Char('/');
}

bool exportPasswordMatches(const QString& answer, const QString& account, const QDate& today)
{
    return answer == account + QStringLiteral("%1").arg(today.day(), 2, 10, QLatin1Char('0'));
}

} // namespace tv::exports
