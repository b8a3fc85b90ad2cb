#include "render/RenderFiles.h"

#include "page/PagePlayer.h"
#include "page/PagePrinter.h"
#include "page/WmfWriter.h"
#include "render/ReportRenderer.h"
#include "text/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tv::render {

namespace {

constexpr double kPngDpi = 120;

QString readText(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return {};
    }
    return text::fromCp1252(file.readAll());
}

QString writePages(const page::PageDocument& doc, const QString& dir, const char* suffix,
                   const std::function<QString(int, const QString&)>& save)
{
    if (dir.isEmpty()) return {};
    if (!QDir().mkpath(dir)) return QStringLiteral("%1: cannot create the folder").arg(dir);
    for (int page = 1; page <= doc.pageCount(); ++page) {
        const QString error = save(page, QDir(dir).filePath(QStringLiteral("page-%1.%2").arg(page).arg(suffix)));
        if (!error.isEmpty()) return error;
    }
    return {};
}

} // namespace

RenderFilesResult renderFiles(const RenderFilesRequest& request)
{
    RenderFilesResult result;
    const QString pageScript = readText(request.pageScriptPath, result.error);
    const QString report = result.error.isEmpty() ? readText(request.reportPath, result.error) : QString();
    if (!result.error.isEmpty()) return result;

    ReportRenderer renderer([&](const QString& instruction, const QString&) {
        if (result.error.isEmpty()) result.error = instruction;
    });
    QTemporaryDir workFolder;
    renderer.setAppFolder(workFolder.path());
    renderer.setReferenceMode(request.reference);
    const bool ok =
        (request.reference || renderer.setPageScript(pageScript)) && renderer.rowChanged({report, request.printed});
    const page::PageDocument& doc = renderer.pagePrinter().document();
    result.pages = doc.pageCount();
    if (!ok) {
        if (result.error.isEmpty()) result.error = QStringLiteral("REPORT The report could not be rendered.");
        return result;
    }

    result.error = writeDocumentFiles(doc, request.pdfPath, request.pngDir, request.wmfDir);
    return result;
}

QString writeDocumentFiles(const page::PageDocument& doc, const QString& pdfPath, const QString& pngDir,
                           const QString& wmfDir)
{
    QString error = pdfPath.isEmpty() ? QString() : page::saveDocumentPdf(doc, pdfPath);
    if (error.isEmpty())
        error = writePages(doc, pngDir, "png",
                           [&](int page, const QString& path) { return page::savePagePng(doc, page, kPngDpi, path); });
    if (error.isEmpty())
        error = writePages(doc, wmfDir, "wmf",
                           [&](int page, const QString& path) { return page::savePageWmf(doc, page, path); });
    return error;
}

} // namespace tv::render
