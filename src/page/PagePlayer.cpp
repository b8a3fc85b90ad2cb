#include "page/PagePlayer.h"

#include "page/PageFonts.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace tv::page {

namespace {

QPen penFor(const PageOp& op)
{
    if (op.penNull) return Qt::NoPen;
    QPen pen(resolveColour(op.penColour));
    // A pen of one dot or less stays one device pixel wide at every zoom, as on the printer.
    pen.setWidth(op.penWidth > 1 ? op.penWidth : 0);
    return pen;
}

QBrush brushFor(const PageOp& op)
{
    return op.brushSolid ? QBrush(resolveColour(op.brushColour)) : QBrush(Qt::NoBrush);
}

void playText(QPainter& painter, const PageOp& op)
{
    const QFont font = qFontFor(op.font);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(op.text);
    double left = op.from.x();
    if ((op.textAlign & AlignCentre) == AlignCentre)
        left -= width / 2;
    else if (op.textAlign & AlignRight)
        left -= width;
    double top = op.from.y();
    if ((op.textAlign & AlignBaseline) == AlignBaseline)
        top -= metrics.ascent();
    else if (op.textAlign & AlignBottom)
        top -= metrics.ascent() + metrics.descent();
    if (op.brushSolid)
        painter.fillRect(QRectF(left, top, width, metrics.ascent() + metrics.descent()), resolveColour(op.brushColour));
    painter.setFont(font);
    painter.setPen(resolveColour(op.textColour));
    painter.drawText(QPointF(left, top + metrics.ascent()), op.text);
}

} // namespace

void playOps(QPainter& painter, const std::vector<PageOp>& ops)
{
    for (const PageOp& op : ops) {
        const QRectF box = QRectF(op.from, op.to).normalized();
        painter.setPen(penFor(op));
        painter.setBrush(brushFor(op));
        switch (op.kind) {
        case OpKind::Text:
            playText(painter, op);
            break;
        case OpKind::Line:
            painter.drawLine(op.from, op.to);
            break;
        case OpKind::Rectangle:
            painter.drawRect(box);
            break;
        case OpKind::RoundRect:
            painter.drawRoundedRect(box, op.corner.width() / 2.0, op.corner.height() / 2.0);
            break;
        case OpKind::Ellipse:
            painter.drawEllipse(box);
            break;
        case OpKind::Polyline:
            painter.drawPolyline(op.points);
            break;
        case OpKind::Polygon:
            painter.drawPolygon(op.points);
            break;
        case OpKind::Bitmap:
            painter.drawImage(box, op.image);
            break;
        case OpKind::Picture:
            if (op.picture) playPicture(painter, *op.picture, box);
            break;
        }
    }
}

void playPicture(QPainter& painter, const WmfPicture& picture, const QRectF& target)
{
    if (picture.windowExtent.width() == 0 || picture.windowExtent.height() == 0) return;
    painter.save();
    // A picture stays inside its box: foreign files often paint backgrounds past their window.
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / picture.windowExtent.width(), target.height() / picture.windowExtent.height());
    painter.translate(-picture.windowOrigin);
    playOps(painter, picture.ops);
    painter.restore();
}

QImage renderPage(const PageDocument& doc, int number, double dpi)
{
    if (number < 1 || number > doc.pageCount()) return {};
    const QSize dots = doc.device.pageSizeDots();
    const double sx = dpi / doc.device.dpiX;
    const double sy = dpi / doc.device.dpiY;
    QImage image(qMax(1, qRound(dots.width() * sx)), qMax(1, qRound(dots.height() * sy)), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(sx, sy);
    playOps(painter, doc.pages[size_t(number - 1)].ops);
    return image;
}

QString savePagePng(const PageDocument& doc, int number, double dpi, const QString& path)
{
    const QImage image = renderPage(doc, number, dpi);
    if (image.isNull()) return QStringLiteral("PageNumber must be between 1 and %1").arg(doc.pageCount());
    if (!image.save(path, "PNG")) return QStringLiteral("Cannot write the picture file %1").arg(path);
    return {};
}

QString saveDocumentPdf(const PageDocument& doc, const QString& path)
{
    if (doc.pages.empty()) return QStringLiteral("The document has no pages");
    const PageDevice& d = doc.device;
    QPdfWriter writer(path);
    writer.setResolution(d.dpiX);
    writer.setTitle(doc.title);
    writer.setCreator(QStringLiteral("Tallyvane Results"));
    writer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(d.paperWidth, d.paperHeight), QPageSize::Inch), QPageLayout::Portrait,
                    QMarginsF(d.offsetLeft, d.offsetTop, d.offsetLeft, d.offsetTop), QPageLayout::Inch));
    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("Cannot write the PDF file %1").arg(path);
    painter.scale(1.0, double(d.dpiX) / d.dpiY); // one writer resolution; the device may have two
    for (size_t i = 0; i < doc.pages.size(); ++i) {
        if (i > 0) writer.newPage();
        playOps(painter, doc.pages[i].ops);
    }
    painter.end();
    return {};
}

} // namespace tv::page
