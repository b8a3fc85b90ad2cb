// Where PRN_PAGE's printer methods go: the system's printers, the current one and printing a
// document. The window layer supplies the real printers; headless runs use NoPrinters.
#pragma once

#include "page/PageDevice.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tv::page {
struct PageDocument;
}

namespace tv::render {

class PrintOutlet {
public:
    virtual ~PrintOutlet() = default;
    /// The system's printers in their order.
    virtual QStringList printerNames() const = 0;
    virtual QString currentPrinter() const = 0;
    /// Makes `name` (one of printerNames()) current; returns its device for later layouts.
    virtual std::optional<page::PageDevice> selectPrinter(const QString& name) = 0;
    /// Prints every page as one job; an error message or empty.
    virtual QString print(const page::PageDocument& document) = 0;
    /// A print run is about to print the report with this LABID and GENERICCODE: outlets that
    /// file each report separately name it after them; printers ignore it.
    virtual void reportStarting(int /*labId*/, const QString& /*genericCode*/) {}
};

/// A machine without printers: nothing to select, printing fails with a clear message.
class NoPrinters : public PrintOutlet {
public:
    QStringList printerNames() const override { return {}; }
    QString currentPrinter() const override { return {}; }
    std::optional<page::PageDevice> selectPrinter(const QString&) override { return std::nullopt; }
    QString print(const page::PageDocument&) override
    {
        return QStringLiteral("There is no printer installed on this computer.");
    }
};

} // namespace tv::render
