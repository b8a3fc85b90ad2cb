#include "page/PagePrinter.h"

#include "page/TextCut.h"

#include <QLocale>

namespace tv::page {

PagePrinter::PagePrinter(const PageDevice& device)
    : m_device(device), m_nextDevice(device), m_canvas(*this), m_clock([] { return QDateTime::currentDateTime(); })
{
    m_doc.device = device;
    fontChanged();
}

PagePrinter::~PagePrinter() = default;

void PagePrinter::setDevice(const PageDevice& device)
{
    m_nextDevice = device;
    if (!m_printing) {
        m_device = device;
        fontChanged();
    }
}

Page& PagePrinter::currentPage()
{
    return m_printing ? m_doc.pages.back() : m_scratch;
}

void PagePrinter::beginDoc()
{
    m_device = m_nextDevice;
    m_doc.device = m_device;
    m_doc.pages.clear();
    m_printing = true;
    m_pageNumber = 0;
    fontChanged();
    openPage();
}

void PagePrinter::endDoc()
{
    if (!m_printing) return;
    m_printing = false;
    m_scratch = {};
    if (m_onDocumentEnded) m_onDocumentEnded();
}

void PagePrinter::newPage()
{
    openPage();
}

void PagePrinter::openPage()
{
    if (m_printing) {
        m_doc.pages.emplace_back();
        ++m_pageNumber;
    } else {
        m_scratch = {};
    }
    m_x = 0;
    m_y = 0;
    m_lineCounter = 0;
    m_canvas.reset();
    if (m_pageStyle >= 0) {
        m_pageStyle = -1;
        m_measure.reset();
    }
    if (m_onNewPage) m_onNewPage();
    raiseNewLine();
}

void PagePrinter::raiseNewLine()
{
    if (m_onNewLine) m_onNewLine();
}

void PagePrinter::endLine()
{
    m_x = 0;
    m_y += m_lineHeight;
    if (m_y + m_lineHeight >= textArea().height()) {
        openPage();
        return;
    }
    ++m_lineCounter;
    raiseNewLine();
}

void PagePrinter::newLine()
{
    endLine();
}

void PagePrinter::breakPageIfFull()
{
    if (m_y + m_lineHeight >= textArea().height()) openPage();
}

void PagePrinter::drawAtCursor(const QString& text)
{
    breakPageIfFull();
    const QRect area = textArea();
    m_canvas.textOut({area.left() + m_x, area.top() + m_y}, text);
    m_x += measure().width(text);
}

void PagePrinter::write(const QString& text)
{
    const QString t = expandTabs(text);
    const int width = textArea().width();
    if (t.size() <= 1 || measure().width(t) <= width - m_x) {
        drawAtCursor(t);
        return;
    }
    QString rest = t;
    for (;;) {
        TextCut cut = cutText(rest, width - m_x, measure(), false);
        drawAtCursor(cut.part);
        if (cut.rest.isEmpty()) return;
        rest = std::move(cut.rest);
        endLine();
    }
}

void PagePrinter::writeSimpleLine(const QString& text)
{
    m_x = 0;
    drawAtCursor(text);
    endLine();
}

void PagePrinter::writeLine(const QString& text)
{
    const QString t = expandTabs(text);
    const int width = textArea().width();
    if (t.size() <= 1 || measure().width(t) <= width) {
        writeSimpleLine(t);
        return;
    }
    QString rest = t;
    while (!rest.isEmpty()) {
        TextCut cut = cutText(rest, width, measure(), true);
        writeSimpleLine(cut.part);
        rest = std::move(cut.rest);
    }
}

void PagePrinter::writeTextLines()
{
    for (const QString& line : m_textLines)
        writeLine(line);
}

void PagePrinter::setTableFormat(const QString& format)
{
    m_table = TableFormat::parse(format);
}

PageStatus PagePrinter::writeTableRow(const QString& text)
{
    return writeRow(text);
}

PageStatus PagePrinter::writeTableRow(const QString& text, const QString& format)
{
    const TableFormat saved = m_table;
    m_table = TableFormat::parse(format);
    PageStatus status = writeRow(text);
    m_table = saved;
    return status;
}

void PagePrinter::setFont(const FontSpec& font)
{
    m_font = font;
    m_pageStyle = -1;
    fontChanged();
}

void PagePrinter::setLineSpacing(LineSpacing spacing)
{
    m_spacing = spacing;
    fontChanged();
}

void PagePrinter::fontChanged()
{
    m_measure.reset();
    const int h = opFontFor(m_font, m_device.dpiY).height;
    switch (m_spacing) {
    case LineSpacing::Half:
        m_lineHeight = h / 2;
        break;
    case LineSpacing::Single:
        m_lineHeight = h;
        break;
    case LineSpacing::OneAndHalf:
        m_lineHeight = h + h / 2;
        break;
    case LineSpacing::Double:
        m_lineHeight = 2 * h;
        break;
    }
}

OpFont PagePrinter::currentOpFont() const
{
    OpFont f = opFontFor(m_font, m_device.dpiY);
    if (m_pageStyle >= 0) {
        f.weight = m_pageStyle == '#' ? 700 : 400;
        f.italic = m_pageStyle == '!';
        f.underline = m_pageStyle == '&';
    }
    return f;
}

const FontMeasure& PagePrinter::measure() const
{
    if (!m_measure) m_measure = std::make_unique<FontMeasure>(currentOpFont());
    return *m_measure;
}

PageStatus PagePrinter::setMargin(MarginSide side, double inches)
{
    static const char* const kNames[] = {"top", "left", "bottom", "right"};
    const int i = int(side);
    if (m_printing) return {QStringLiteral("Unable to change %1 margin while printing").arg(QLatin1String(kNames[i]))};
    const bool horizontal = side == MarginSide::Left || side == MarginSide::Right;
    const double offset = horizontal ? m_device.offsetLeft : m_device.offsetTop;
    const double paper = horizontal ? m_device.paperWidth : m_device.paperHeight;
    m_margins[i] = std::max(offset, std::min(inches, paper - offset));
    return {};
}

double PagePrinter::margin(MarginSide side) const
{
    return m_margins[int(side)];
}

QRect PagePrinter::textArea() const
{
    const PageDevice& d = m_device;
    const int left = d.lx(m_margins[int(MarginSide::Left)] - d.offsetLeft);
    const int top = d.ly(m_margins[int(MarginSide::Top)] - d.offsetTop);
    const int width =
        d.lx(d.paperWidth - 2 * d.offsetLeft) - left - d.lx(m_margins[int(MarginSide::Right)] - d.offsetLeft);
    const int height =
        d.ly(d.paperHeight - 2 * d.offsetTop) - top - d.ly(m_margins[int(MarginSide::Bottom)] - d.offsetTop);
    return {left, top, std::max(width, 0), std::max(height, 0)};
}

} // namespace tv::page
