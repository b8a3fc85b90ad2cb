// A paged drawing surface that records each page as a list of drawing operations: margins,
// a text cursor with wrapping and page breaks, table rows, and an absolute-drawing canvas.
// Events are plain callbacks run nested inside the call that caused them, so a handler that
// draws a page heading finishes before that call returns.
#pragma once

#include "page/PageCanvas.h"
#include "page/PageFonts.h"
#include "page/PageOp.h"
#include "page/TableFormat.h"

#include <QDateTime>
#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>

namespace tv::page {

enum class MarginSide { Top, Left, Bottom, Right };
enum class LineSpacing { Half, Single, OneAndHalf, Double };

/// Ok, or the message of what went wrong (shown to the user as it stands).
struct PageStatus {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

class PagePrinter {
public:
    explicit PagePrinter(const PageDevice& device = PageDevice::fallback());
    ~PagePrinter();
    PagePrinter(const PagePrinter&) = delete;
    PagePrinter& operator=(const PagePrinter&) = delete;

    /// The current printer changed; while a document is open it takes effect at the next one.
    void setDevice(const PageDevice& device);
    const PageDevice& device() const { return m_device; }

    /// Raised whenever a page is opened, after the cursor is reset, before anything is drawn.
    void setNewPageHandler(std::function<void()> handler) { m_onNewPage = std::move(handler); }
    /// Raised at every line end and after every page opening.
    void setNewLineHandler(std::function<void()> handler) { m_onNewLine = std::move(handler); }
    /// Raised when a document ends (a preview shows page 1 then).
    void setDocumentEndedHandler(std::function<void()> handler) { m_onDocumentEnded = std::move(handler); }

    /// The clock of the {$DATE} and {$TIME} table macros (tests inject one).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    void beginDoc();
    void endDoc();
    bool isPrinting() const { return m_printing; }
    void newPage();

    /// Writes at the cursor without ending the line, wrapping by the cut rule.
    void write(const QString& text);
    /// Writes from the left edge of the current line and ends the line.
    void writeLine(const QString& text);
    void newLine();
    void setTextLines(const QStringList& lines) { m_textLines = lines; }
    const QStringList& textLines() const { return m_textLines; }
    /// Writes every text line as a line.
    void writeTextLines();

    void setTableFormat(const QString& format);
    QString tableFormat() const { return m_table.toString(); }
    /// One table row in the current format; fails (drawing nothing more) on an unreadable cell colour.
    PageStatus writeTableRow(const QString& text);
    /// One table row in `format`; the current format is restored afterwards.
    PageStatus writeTableRow(const QString& text, const QString& format);

    void setFont(const FontSpec& font);
    const FontSpec& font() const { return m_font; }
    void setLineSpacing(LineSpacing spacing);
    LineSpacing lineSpacing() const { return m_spacing; }
    int lineHeight() const { return m_lineHeight; }

    /// Clamped to [offset, paper length - offset]; refused while a document is open.
    PageStatus setMargin(MarginSide side, double inches);
    double margin(MarginSide side) const;
    void setTitle(const QString& title) { m_doc.title = title; }
    const QString& title() const { return m_doc.title; }

    /// The text area in dots from the printable origin (left, top, width, height).
    QRect textArea() const;
    int cursorX() const { return m_x; }
    int cursorY() const { return m_y; }
    int lineCounter() const { return m_lineCounter; }
    int pageNumber() const { return m_pageNumber; }
    int pageCount() const { return m_doc.pageCount(); }

    PageCanvas& canvas() { return m_canvas; }
    const PageDocument& document() const { return m_doc; }
    /// Font of flowing text and canvas text: the page printer's font with the page's style.
    OpFont currentOpFont() const;
    const FontMeasure& measure() const;

private:
    friend class PageCanvas;
    Page& currentPage();
    void openPage();
    void endLine();
    void breakPageIfFull();
    void drawAtCursor(const QString& text);
    void writeSimpleLine(const QString& text);
    PageStatus writeRow(const QString& text);
    QString expandMacros(QString text) const;
    void fontChanged();
    void raiseNewLine();

    PageDevice m_device;     ///< the device of the current layout
    PageDevice m_nextDevice; ///< the device for the next document
    PageDocument m_doc;
    Page m_scratch;
    bool m_printing = false;
    int m_pageNumber = 0;
    int m_x = 0;
    int m_y = 0;
    int m_lineCounter = 0;
    FontSpec m_font;
    int m_pageStyle = -1; ///< style set by table cells for this page: -1 none, else the style character
    LineSpacing m_spacing = LineSpacing::Single;
    int m_lineHeight = 0;
    TableFormat m_table;
    double m_margins[4] = {0.5, 0.5, 0.5, 0.5};
    QStringList m_textLines;
    PageCanvas m_canvas;
    mutable std::unique_ptr<FontMeasure> m_measure;
    std::function<void()> m_onNewPage;
    std::function<void()> m_onNewLine;
    std::function<void()> m_onDocumentEnded;
    std::function<QDateTime()> m_clock;
};

} // namespace tv::page
