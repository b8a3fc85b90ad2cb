#include "cli/SystemPrinters.h"

#include "page/PagePrinter.h"
#include "page/widgets/PagePrintJob.h"
#include "page/widgets/PrinterChoice.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>

namespace tv::cli {

namespace {

QtMessageHandler g_nextHandler = nullptr;

// The offscreen platform warns once a window about size hints it cannot pass on; the print job's
// progress window would put that on standard error for every report.
void dropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints()"))) return;
    g_nextHandler(type, context, message);
}

class QtPrinters final : public SystemPrinters {
public:
    explicit QtPrinters(QString name) : m_name(std::move(name)) {}

    QStringList printerNames() const override { return page::PrinterChoice::available(); }
    QString currentPrinter() const override { return m_name; }
    std::optional<page::PageDevice> selectPrinter(const QString& name) override
    {
        if (!printerNames().contains(name)) return std::nullopt;
        m_name = name;
        return device();
    }
    QString print(const page::PageDocument& document) override
    {
        // The print job takes the page printer itself; any other document would go out unseen.
        if (!m_pages || &document != &m_pages->document())
            return QStringLiteral("Only the page printer's own document can be sent to %1.").arg(m_name);
        return page::printOnPrinter(*m_pages, m_name).error;
    }
    void attach(page::PagePrinter& pages) override { m_pages = &pages; }
    page::PageDevice device() const override
    {
        const QPrinter printer(QPrinterInfo::printerInfo(m_name), QPrinter::HighResolution);
        return page::PrinterChoice::deviceOf(printer);
    }

private:
    QString m_name;
    page::PagePrinter* m_pages = nullptr;
};

} // namespace

std::unique_ptr<SystemPrinters> openSystemPrinter(const QString& name, QString& error)
{
    const QStringList printers = page::PrinterChoice::available();
    page::PrinterChoice choice; // the default printer
    if (!name.isEmpty() && !printers.contains(name) && !choice.select(name)) {
        error = QStringLiteral("there is no printer \"%1\" (printers: %2)")
                    .arg(name, printers.isEmpty() ? QStringLiteral("none") : printers.join(QLatin1String(", ")));
        return nullptr;
    }
    const QString chosen = printers.contains(name) ? name : choice.selected();
    if (chosen.isEmpty()) {
        error = QStringLiteral("there is no default printer: name one with --printer NAME or print to PDF files "
                               "with --pdf DIR");
        return nullptr;
    }
    return std::make_unique<QtPrinters>(chosen);
}

std::unique_ptr<QGuiApplication> makeApplication(int& argc, char** argv)
{
    g_nextHandler = qInstallMessageHandler(dropSizeHintWarnings);
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace tv::cli
