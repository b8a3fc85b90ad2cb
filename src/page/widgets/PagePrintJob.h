// Prints a page printer's document as one job named with its title: each page unscaled at the
// printer's printable origin, with a progress window whose "&Cancel" stops after the current page.
#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace tv::page {

class PagePrinter;

struct PrintOutcome {
    int pagesSent = 0;
    bool cancelled = false;
    QString error; ///< empty when the job ended normally
};

/// Ends an open document first; a document without pages prints nothing. `afterPage` (tests)
/// runs after each page is sent, while the progress window is showing.
PrintOutcome printDocument(PagePrinter& pages, QPrinter& printer, QWidget* parent = nullptr,
                           const std::function<void(int)>& afterPage = {});
/// The same on the named system printer (an empty name: the default printer).
PrintOutcome printOnPrinter(PagePrinter& pages, const QString& printerName, QWidget* parent = nullptr);

} // namespace tv::page
