// Renders report rows headless: the report engine (page script + PRN_PAGE) and the export engine
// receive each row's program in a fixed order of steps, and reference-laboratory rows are drawn
// from their page pictures. Script failures reach one notice callback, "REPORT ..." / "EXPORT ...".
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace tv::page {
class PagePrinter;
}
namespace tv::script {
class ScriptEngine;
}

namespace tv::render {

class PrintOutlet;
class PrnPage;

/// instruction, content: what ShowNotice shows.
using NoticeFunction = std::function<void(const QString& instruction, const QString& content)>;
/// The configuration's value of a key, empty when missing.
using ConfigReader = std::function<QString(const QString& key)>;

struct ReportRow {
    QString code;         ///< REP_CODE
    bool printed = false; ///< PRINTED is set
};

class ReportRenderer {
public:
    /// `outlet` must outlive the renderer; null means a machine without printers.
    explicit ReportRenderer(NoticeFunction notice, PrintOutlet* outlet = nullptr);
    ~ReportRenderer();
    ReportRenderer(const ReportRenderer&) = delete;
    ReportRenderer& operator=(const ReportRenderer&) = delete;

    /// Adds the page script to the report engine as global code (false on a compile error).
    bool setPageScript(const QString& text);
    bool setExportProgram(const QString& text);
    void setExtraFieldsInit(const QString& text) { m_extraFieldsInit = text; }
    /// "n/16" texts for xOffSet and yOffSet.
    void setOffsetTexts(const QString& x, const QString& y);
    void setReferenceMode(bool on) { m_referenceMode = on; }
    bool referenceMode() const { return m_referenceMode; }
    /// Where reference pages are written (P<k>.txt, p<k>.wmf) and the reader of PRINT.*OFFSET.LC.
    void setAppFolder(const QString& folder) { m_appFolder = folder; }
    void setConfigReader(ConfigReader reader) { m_config = std::move(reader); }

    /// The current row changed: run its program (or draw its pictures in the reference mode).
    /// False when a step failed; the steps before it keep their effect.
    bool rowChanged(const ReportRow& row);
    bool renderReferenceReport(const QString& text);
    /// "Page 1" ... one per page of the document.
    QStringList pageTabs() const;

    /// A statement of the print run ("PrintReport(vbTRUE)", "Export ...") with the same notices.
    bool runReportStatement(const QString& statement);
    bool runExportStatement(const QString& statement);

    page::PagePrinter& pagePrinter() { return *m_printer; }
    script::ScriptEngine& reportEngine() { return *m_report; }
    script::ScriptEngine& exportEngine() { return *m_export; }

private:
    void notify(const QString& instruction, const QString& content) const;
    bool run(script::ScriptEngine& engine, const QString& statement);
    void onNewPage();
    bool drawReferencePage(const QString& pageText, int k, double xo, double yo);
    double referenceOffset(const char* key) const;
    /// Base64-decodes a page text into p<k>.wmf in the app folder; an error message or empty.
    QString decodePagePicture(const QString& pageText, int k) const;
    /// Writes text byte for byte (Windows-1252) to the app folder, replacing the file.
    QString savePageText(const QString& name, const QString& text) const;
    QString saveFile(const QString& name, const QByteArray& bytes) const;

    NoticeFunction m_notice;
    std::unique_ptr<PrintOutlet> m_ownOutlet;
    std::unique_ptr<page::PagePrinter> m_printer;
    std::unique_ptr<script::ScriptEngine> m_report;
    std::unique_ptr<script::ScriptEngine> m_export;
    PrnPage* m_prnPage = nullptr; ///< owned by the report engine
    QString m_pageScript;
    QString m_exportProgram;
    QString m_extraFieldsInit;
    QString m_xOffsetText = QStringLiteral("0/16");
    QString m_yOffsetText = QStringLiteral("0/16");
    bool m_referenceMode = false;
    QString m_appFolder;
    ConfigReader m_config;
    int m_depth = 0;
    bool m_stepFailed = false;
    QString m_failure; ///< description of the first error of the running statement
};

} // namespace tv::render
