// The system's printers in a build without print support: there are none.
#include "cli/SystemPrinters.h"

#include <QGuiApplication>

namespace tv::cli {

std::unique_ptr<SystemPrinters> openSystemPrinter(const QString&, QString& error)
{
    error = QStringLiteral("this build cannot print to printers: print to PDF files with --pdf DIR");
    return nullptr;
}

std::unique_ptr<QGuiApplication> makeApplication(int& argc, char** argv)
{
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace tv::cli
