#include "page/widgets/PrinterChoice.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tv::page {

PrinterChoice::PrinterChoice() : m_name(QPrinterInfo::defaultPrinterName()) {}

bool PrinterChoice::select(const QString& part)
{
    for (const QString& name : available()) {
        if (name.contains(part, Qt::CaseInsensitive)) {
            m_name = name;
            return true;
        }
    }
    return false;
}

QStringList PrinterChoice::available()
{
    return QPrinterInfo::availablePrinterNames();
}

PageDevice PrinterChoice::device() const
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(m_name);
    if (m_name.isEmpty() || info.isNull()) return PageDevice::fallback();
    QPrinter printer(info, QPrinter::HighResolution);
    return deviceOf(printer);
}

PageDevice PrinterChoice::deviceOf(const QPrinter& printer)
{
    const QRectF paper = printer.paperRect(QPrinter::Inch);
    const QRectF page = printer.pageRect(QPrinter::Inch);
    const int dpi = printer.resolution();
    if (dpi <= 0 || paper.width() <= 0 || paper.height() <= 0) return PageDevice::fallback();
    PageDevice d;
    d.dpiX = dpi;
    d.dpiY = dpi;
    d.paperWidth = paper.width();
    d.paperHeight = paper.height();
    d.offsetLeft = page.left() - paper.left();
    d.offsetTop = page.top() - paper.top();
    return d;
}

} // namespace tv::page
