#include "page/widgets/PagePreview.h"

#include "page/PagePlayer.h"
#include "page/PagePrinter.h"

#include <QPaintEvent>
#include <QPainter>

namespace tv::page {

PagePreview::PagePreview(PagePrinter& printer, QWidget* parent) : QWidget(parent), m_printer(printer)
{
    setObjectName(QStringLiteral("pagePreview"));
    m_printer.setDocumentEndedHandler([this] {
        m_page = 1;
        relayout();
    });
    relayout();
}

PagePreview::~PagePreview()
{
    m_printer.setDocumentEndedHandler({});
}

QString PagePreview::showPage(int number)
{
    const int count = m_printer.pageCount();
    if (number < 1 || number > count) return QStringLiteral("PageNumber must be between 1 and %1").arg(count);
    m_page = number;
    relayout();
    return {};
}

void PagePreview::setZoom(int percent)
{
    m_zoom = std::clamp(percent, 10, 1000);
    relayout();
}

void PagePreview::beginUpdate()
{
    ++m_updating;
}

void PagePreview::endUpdate()
{
    if (m_updating > 0 && --m_updating == 0) relayout();
}

QSize PagePreview::sizeHint() const
{
    const PageDevice& d = m_printer.document().device;
    const double scale = m_zoom / 100.0 * logicalDpiX();
    return {qRound(d.paperWidth * scale) + 16, qRound(d.paperHeight * scale) + 16};
}

void PagePreview::relayout()
{
    setMinimumSize(sizeHint());
    updateGeometry();
    update();
}

void PagePreview::paintEvent(QPaintEvent*)
{
    // While a document is being drawn or an update is in progress, half-made pages are not shown.
    if (m_printer.isPrinting() || m_updating > 0) return;
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const PageDocument& doc = m_printer.document();
    const PageDevice& d = doc.device;
    const double scale = m_zoom / 100.0 * logicalDpiX();
    const QRectF paper(8, 8, d.paperWidth * scale, d.paperHeight * scale);
    painter.fillRect(paper, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(paper);
    if (m_page < 1 || m_page > doc.pageCount()) return;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.translate(paper.left() + d.offsetLeft * scale, paper.top() + d.offsetTop * scale);
    painter.scale(scale / d.dpiX, scale / d.dpiY);
    playOps(painter, doc.pages[size_t(m_page - 1)].ops);
}

} // namespace tv::page
