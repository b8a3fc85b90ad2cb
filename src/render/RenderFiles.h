// Headless rendering of one report from files: a page script and a report program (or reference
// page data), with the document written as PDF, PNG pages and WMF pages. What `tallyvane render`
// runs, kept here so it is tested and measured without the command line.
#pragma once

#include <QString>

namespace tv::page {
struct PageDocument;
}

namespace tv::render {

struct RenderFilesRequest {
    QString pageScriptPath;
    QString reportPath;
    bool printed = false;
    bool reference = false;
    QString pdfPath; ///< empty: no PDF
    QString pngDir;  ///< empty: no PNG pages (page-1.png ...)
    QString wmfDir;  ///< empty: no WMF pages (page-1.wmf ...)
};

struct RenderFilesResult {
    int pages = 0;
    QString error; ///< the first notice ("REPORT Type mismatch ...") or a file error; empty on success
};

/// Needs a QGuiApplication (fonts).
RenderFilesResult renderFiles(const RenderFilesRequest& request);

/// Writes the document as a PDF (`pdfPath`), PNG pages and WMF pages (page-1.png ... in the folders),
/// each only when its path is set; the first error or empty.
QString writeDocumentFiles(const page::PageDocument& doc, const QString& pdfPath, const QString& pngDir,
                           const QString& wmfDir);

} // namespace tv::render
