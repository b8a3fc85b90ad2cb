#include "lab/DemoPicture.h"

#include "page/PageOp.h"
#include "page/WmfWriter.h"

namespace tv::lab {

namespace {

constexpr int twipsPerInch = 1440;
constexpr int pageWidth = 11448;  // 7.95 in
constexpr int pageHeight = 14544; // 10.1 in
constexpr int penWidth = 15;

// Positions are fixed here, so nothing is measured: the service needs no GUI application.
page::PageOp textOp(int x, int y, const QString& text, const page::OpFont& font)
{
    page::PageOp op;
    op.kind = page::OpKind::Text;
    op.from = QPoint(x, y);
    op.text = text;
    op.font = font;
    return op;
}

page::PageOp shapeOp(page::OpKind kind, QPoint from, QPoint to)
{
    page::PageOp op;
    op.kind = kind;
    op.from = from;
    op.to = to;
    op.penWidth = penWidth;
    return op;
}

} // namespace

QByteArray reportPageWmf(const QString& title, const QStringList& header, const QStringList& body,
                         const QString& footer)
{
    const page::OpFont titleFont{QStringLiteral("Arial"), 14 * twipsPerInch / 72, 700};
    const page::OpFont lineFont{QStringLiteral("Courier New"), 9 * twipsPerInch / 72, 400};
    page::Page pg;
    pg.ops.push_back(textOp(360, 360, title, titleFont));
    const int lineHeight = 230;
    int y = 800;
    const int boxTop = y - 80;
    for (const QString& line : header) {
        pg.ops.push_back(textOp(480, y, line, lineFont));
        y += lineHeight;
    }
    pg.ops.push_back(shapeOp(page::OpKind::Rectangle, {360, boxTop}, {pageWidth - 360, y + 40}));
    y += 2 * lineHeight;
    for (const QString& line : body) {
        pg.ops.push_back(textOp(480, y, line, lineFont));
        y += lineHeight;
    }
    pg.ops.push_back(shapeOp(page::OpKind::Line, {360, pageHeight - 700}, {pageWidth - 360, pageHeight - 700}));
    pg.ops.push_back(textOp(480, pageHeight - 600, footer, lineFont));

    page::PageDevice device;
    device.dpiX = device.dpiY = twipsPerInch;
    device.paperWidth = double(pageWidth) / twipsPerInch;
    device.paperHeight = double(pageHeight) / twipsPerInch;
    device.offsetLeft = device.offsetTop = 0;
    return page::writeWmf(pg, device);
}

} // namespace tv::lab
