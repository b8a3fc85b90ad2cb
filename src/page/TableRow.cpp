// Table rows of the page printer: cell colours, style characters, macros, fitting and placement.
#include "page/PagePrinter.h"
#include "page/TextCut.h"

namespace tv::page {

QString PagePrinter::expandMacros(QString text) const
{
    if (!text.contains(QLatin1String("{$"))) return text;
    const QDateTime now = m_clock();
    text.replace(QLatin1String("{$LINE}"), QString::number(m_lineCounter));
    text.replace(QLatin1String("{$PAGE}"), QString::number(m_pageNumber));
    text.replace(QLatin1String("{$DATE}"), now.date().toString(QStringLiteral("M/d/yyyy")));
    text.replace(QLatin1String("{$TIME}"), now.time().toString(QStringLiteral("h:mm:ss AP")));
    text.replace(QLatin1String("{$TITLE}"), m_doc.title);
    return text;
}

PageStatus PagePrinter::writeRow(const QString& text)
{
    // A copy: the new-page handler may set another format while this row breaks a page.
    const TableFormat format = m_table;
    const QStringList cells = text.split(QLatin1Char('|'));
    const int columns = int(format.columns.size());
    QStringList texts;
    for (int i = 0; i < columns; ++i)
        texts << (i < cells.size() ? cells[i] : QString());
    const int inner = (m_device.dpiX / 300) * 9;

    for (bool firstLine = true;; firstLine = false) {
        int x = textArea().left();
        bool more = false;
        for (int i = 0; i < columns; ++i) {
            const TableColumn& column = format.columns[size_t(i)];
            QString t = texts[i];
            if (!t.startsWith(QLatin1Char('?'))) {
                m_canvas.setBrushClear();
            } else if (const qsizetype close = t.indexOf(QLatin1Char('?'), 1); close > 0) {
                const QString name = t.mid(1, close - 1);
                const std::optional<ColourValue> colour = parseColour(name);
                if (!colour) return {QStringLiteral("'%1' is not a valid integer value").arg(name)};
                m_canvas.setBrushSolid(*colour);
                t = t.mid(close + 1);
            }
            if (!t.isEmpty() && QStringLiteral("!#&~").contains(t.front())) {
                m_pageStyle = t.front().unicode();
                m_measure.reset();
                t.remove(0, 1);
            }
            // Once per cell: a remainder was expanded already, and expanding again would let a
            // title holding "{$TITLE}" grow the cell forever.
            if (firstLine) t = expandMacros(t);

            const int width = m_device.lx(std::abs(column.width));
            TextCut cut = cutText(t, width, measure(), false);
            if (const qsizetype lf = cut.part.indexOf(QLatin1Char('\n')); lf >= 0) {
                cut.rest = cut.part.mid(lf + 1) + cut.rest;
                cut.part.truncate(lf);
            }
            texts[i] = cut.rest;
            more = more || !cut.rest.isEmpty();

            const int textWidth = measure().width(cut.part);
            int d = 0;
            if (column.align == QLatin1Char('>'))
                d = width - textWidth;
            else if (column.align == QLatin1Char('^'))
                d = (width - textWidth) / 2;
            if (textWidth < width - inner) {
                if (column.align == QLatin1Char('<'))
                    d += inner;
                else if (column.align == QLatin1Char('>'))
                    d -= inner;
            }
            m_canvas.textOut({x + d, textArea().top() + m_y}, cut.part);
            x += width;
        }
        if (!more) break;
        endLine();
    }
    endLine();
    return {};
}

} // namespace tv::page
