// The current printer of the page printers: chosen by part of its name, remembered for all later
// printing, and the PageDevice it gives (the fallback device when there is no usable printer).
#pragma once

#include "page/PageDevice.h"

#include <QString>
#include <QStringList>

class QPrinter;

namespace tv::page {

class PrinterChoice {
public:
    PrinterChoice(); ///< starts on the system's default printer, if any

    /// The first printer, in the system's order, whose name contains `part` (case-insensitive);
    /// no match keeps the current one. Returns whether one matched.
    bool select(const QString& part);
    const QString& selected() const { return m_name; }
    static QStringList available();

    /// The device of the current printer, or PageDevice::fallback() without one.
    PageDevice device() const;
    /// The device a configured QPrinter gives (resolution, paper, printable origin).
    static PageDevice deviceOf(const QPrinter& printer);

private:
    QString m_name;
};

} // namespace tv::page
