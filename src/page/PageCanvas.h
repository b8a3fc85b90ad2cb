// The current page's drawing surface: absolute drawing in dots from the printable origin with
// the page's pen, brush and pen position. Everything drawn is recorded as a PageOp on the page.
#pragma once

#include "page/PageOp.h"

#include <QRect>

namespace tv::page {

class PagePrinter;

class PageCanvas {
public:
    void setPenColour(ColourValue colour);
    void setPenWidth(int dots);
    ColourValue penColour() const { return m_penColour; }
    int penWidth() const { return m_penWidth; }
    void setBrushClear();
    void setBrushSolid(ColourValue colour);
    bool brushSolid() const { return m_brushSolid; }
    ColourValue brushColour() const { return m_brushColour; }

    QPoint penPos() const { return m_penPos; }
    void moveTo(QPoint point);
    void lineTo(QPoint point);
    /// Outline with the pen, inside with the brush; `b` is the exclusive corner as in GDI.
    void rectangle(QPoint a, QPoint b);
    void roundRect(QPoint a, QPoint b, QSize corner);
    /// Text with its top-left corner at `topLeft` in the page printer's font and the page's
    /// style, on the brush when it is solid.
    void textOut(QPoint topLeft, const QString& text);
    void drawBitmap(const QRect& target, const QImage& image);
    void drawPicture(const QRect& target, std::shared_ptr<const WmfPicture> picture);

    /// Measures in the font textOut uses.
    int textWidth(const QString& text) const;
    int textHeight(const QString& text) const;

private:
    friend class PagePrinter;
    explicit PageCanvas(PagePrinter& printer) : m_printer(printer) {}
    void reset();
    void record(PageOp op);

    PagePrinter& m_printer;
    ColourValue m_penColour = kColourBlack;
    int m_penWidth = 1;
    bool m_brushSolid = false;
    ColourValue m_brushColour = kColourWhite;
    QPoint m_penPos;
};

} // namespace tv::page
