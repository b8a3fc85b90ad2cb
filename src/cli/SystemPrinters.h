// The system's printers as a print outlet for the commands. A build with print support sends each
// document as one job through the page printer's print job, at the printer's own resolution; a
// build without it has no printers, and the application object is chosen to match.
#pragma once

#include "render/PrintOutlet.h"

#include <memory>

class QGuiApplication;

namespace tv::page {
class PagePrinter;
}

namespace tv::cli {

class SystemPrinters : public render::PrintOutlet {
public:
    /// The page printer whose documents are printed: the one the renderer draws into.
    virtual void attach(page::PagePrinter& pages) = 0;
    /// The layout device of the current printer.
    virtual page::PageDevice device() const = 0;
};

/// The system's printers with `name` current: the printer of that name, else the first whose name
/// contains it; an empty name means the default printer. Null, with the reason in `error`, when
/// there is no such printer or the build cannot print.
std::unique_ptr<SystemPrinters> openSystemPrinter(const QString& name, QString& error);

/// The program's application object: one that can show the print progress window where the build prints.
std::unique_ptr<QGuiApplication> makeApplication(int& argc, char** argv);

} // namespace tv::cli
