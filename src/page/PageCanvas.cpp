#include "page/PageCanvas.h"

#include "page/PagePrinter.h"

namespace tv::page {

void PageCanvas::reset()
{
    m_penColour = kColourBlack;
    m_penWidth = 1;
    m_brushSolid = false;
    m_brushColour = kColourWhite;
    m_penPos = {};
}

void PageCanvas::record(PageOp op)
{
    op.penColour = m_penColour;
    op.penWidth = m_penWidth;
    op.brushSolid = m_brushSolid;
    op.brushColour = m_brushColour;
    m_printer.currentPage().ops.push_back(std::move(op));
}

void PageCanvas::setPenColour(ColourValue colour)
{
    m_penColour = colour;
}

void PageCanvas::setPenWidth(int dots)
{
    m_penWidth = dots;
}

void PageCanvas::setBrushClear()
{
    m_brushSolid = false;
}

void PageCanvas::setBrushSolid(ColourValue colour)
{
    m_brushSolid = true;
    m_brushColour = colour;
}

void PageCanvas::moveTo(QPoint point)
{
    m_penPos = point;
}

void PageCanvas::lineTo(QPoint point)
{
    PageOp op;
    op.kind = OpKind::Line;
    op.from = m_penPos;
    op.to = point;
    record(std::move(op));
    m_penPos = point;
}

void PageCanvas::rectangle(QPoint a, QPoint b)
{
    PageOp op;
    op.kind = OpKind::Rectangle;
    op.from = a;
    op.to = b;
    record(std::move(op));
}

void PageCanvas::roundRect(QPoint a, QPoint b, QSize corner)
{
    PageOp op;
    op.kind = OpKind::RoundRect;
    op.from = a;
    op.to = b;
    op.corner = corner;
    record(std::move(op));
}

void PageCanvas::textOut(QPoint topLeft, const QString& text)
{
    if (text.isEmpty()) return;
    PageOp op;
    op.kind = OpKind::Text;
    op.from = topLeft;
    op.text = text;
    op.font = m_printer.currentOpFont();
    op.textColour = m_printer.font().colour;
    record(std::move(op));
}

void PageCanvas::drawBitmap(const QRect& target, const QImage& image)
{
    PageOp op;
    op.kind = OpKind::Bitmap;
    op.from = target.topLeft();
    op.to = target.topLeft() + QPoint(target.width(), target.height());
    op.image = image;
    record(std::move(op));
}

void PageCanvas::drawPicture(const QRect& target, std::shared_ptr<const WmfPicture> picture)
{
    PageOp op;
    op.kind = OpKind::Picture;
    op.from = target.topLeft();
    op.to = target.topLeft() + QPoint(target.width(), target.height());
    op.picture = std::move(picture);
    record(std::move(op));
}

int PageCanvas::textWidth(const QString& text) const
{
    return m_printer.measure().width(text);
}

int PageCanvas::textHeight(const QString&) const
{
    return m_printer.measure().height(); // one line of text is as high as the font, whatever it holds
}

} // namespace tv::page
