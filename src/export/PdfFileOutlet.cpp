#include "export/PdfFileOutlet.h"

#include "page/PagePlayer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>

namespace tv::exports {

namespace {

const QString kPrinterName = QStringLiteral("PDF files");

QString escapedName(const QString& text)
{
    QString out;
    for (const char byte : text.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
            c == '-')
            out += QLatin1Char(char(c));
        else
            out += QStringLiteral("%%1").arg(uint(c), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

} // namespace

PdfFileOutlet::PdfFileOutlet(QString folder) : m_folder(std::move(folder)) {}

QStringList PdfFileOutlet::printerNames() const
{
    return {kPrinterName};
}

QString PdfFileOutlet::currentPrinter() const
{
    return kPrinterName;
}

std::optional<page::PageDevice> PdfFileOutlet::selectPrinter(const QString& name)
{
    return name == kPrinterName ? std::optional(page::PageDevice::fallback()) : std::nullopt;
}

void PdfFileOutlet::reportStarting(int labId, const QString& genericCode)
{
    m_named = true;
    m_labId = labId;
    m_genericCode = genericCode;
    m_jobs = 0;
}

QString PdfFileOutlet::fileName(int labId, const QString& genericCode, int job)
{
    const QString suffix = job > 1 ? QStringLiteral("-%1").arg(job) : QString();
    return QStringLiteral("%1_%2%3.pdf").arg(labId).arg(escapedName(genericCode), suffix);
}

QString PdfFileOutlet::print(const page::PageDocument& document)
{
    if (!m_named) return QStringLiteral("No report has been named for the PDF file.");
    const QString path = QDir(m_folder).filePath(fileName(m_labId, m_genericCode, m_jobs + 1));
    QTemporaryFile partial(path + QStringLiteral(".XXXXXX.part"));
    if (!partial.open()) return QStringLiteral("%1: %2").arg(partial.fileTemplate(), partial.errorString());
    partial.close();
    if (const QString error = page::saveDocumentPdf(document, partial.fileName()); !error.isEmpty()) return error;
    std::error_code failure;
    std::filesystem::rename(QFileInfo(partial.fileName()).filesystemFilePath(), QFileInfo(path).filesystemFilePath(),
                            failure);
    if (failure) return QStringLiteral("%1: %2").arg(path, QString::fromStdString(failure.message()));
    partial.setAutoRemove(false);
    ++m_jobs;
    m_written.append(path);
    return {};
}

} // namespace tv::exports
