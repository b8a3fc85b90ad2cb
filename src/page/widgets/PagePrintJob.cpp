#include "page/widgets/PagePrintJob.h"

#include "page/PagePlayer.h"
#include "page/PagePrinter.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace tv::page {

namespace {

/// The progress window: caption = title, "Sending Pages To Printer", "Page n of N", "&Cancel".
class PrintProgress : public QDialog {
public:
    PrintProgress(const QString& title, QWidget* parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("printProgress"));
        setWindowTitle(title);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("Sending Pages To Printer"), this));
        m_page = new QLabel(this);
        m_page->setObjectName(QStringLiteral("pageLabel"));
        layout->addWidget(m_page);
        auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
        cancel->setObjectName(QStringLiteral("cancelButton"));
        layout->addWidget(cancel, 0, Qt::AlignHCenter);
        connect(cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    }
    void showPage(int number, int count)
    {
        m_page->setText(QStringLiteral("Page %1 of %2").arg(number).arg(count));
        QApplication::processEvents();
    }
    bool cancelled() const { return m_cancelled; }

private:
    QLabel* m_page = nullptr;
    bool m_cancelled = false;
};

} // namespace

PrintOutcome printDocument(PagePrinter& pages, QPrinter& printer, QWidget* parent,
                           const std::function<void(int)>& afterPage)
{
    pages.endDoc();
    const PageDocument& doc = pages.document();
    PrintOutcome outcome;
    if (doc.pages.empty()) return outcome;
    printer.setDocName(doc.title);
    printer.setCopyCount(1);
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer)) {
        outcome.error = QStringLiteral("Unable to start printing on %1").arg(printer.printerName());
        return outcome;
    }
    // Pages are in the document's dots; a printer of another resolution gets them at the same size.
    const double sx = double(printer.resolution()) / doc.device.dpiX;
    const double sy = double(printer.resolution()) / doc.device.dpiY;
    PrintProgress progress(doc.title, parent);
    progress.show();
    const int count = doc.pageCount();
    for (int i = 0; i < count; ++i) {
        if (i > 0) printer.newPage();
        progress.showPage(i + 1, count);
        painter.save();
        painter.scale(sx, sy);
        playOps(painter, doc.pages[size_t(i)].ops);
        painter.restore();
        ++outcome.pagesSent;
        if (afterPage) afterPage(i + 1);
        QApplication::processEvents();
        if (progress.cancelled()) {
            outcome.cancelled = i + 1 < count;
            break;
        }
    }
    painter.end();
    return outcome;
}

PrintOutcome printOnPrinter(PagePrinter& pages, const QString& printerName, QWidget* parent)
{
    pages.endDoc();
    if (pages.pageCount() == 0) return {};
    const QPrinterInfo info =
        printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) {
        PrintOutcome outcome;
        outcome.error = QStringLiteral("No printer is available");
        return outcome;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    return printDocument(pages, printer, parent);
}

} // namespace tv::page
