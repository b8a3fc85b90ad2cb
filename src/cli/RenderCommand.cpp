// render --page-script FILE --report FILE [--printed] [--reference] [--pdf OUT.pdf] [--png-dir DIR]
// [--wmf-dir DIR]: renders one report headless, prints its page count, and reports a script error as
// "REPORT <description>" on standard error with exit status 1. Scripts outside the project call it.
#include "cli/CommandTable.h"
#include "render/RenderFiles.h"

#include <QGuiApplication>

namespace tv::cli {

namespace {

const char* const kUsage = "render --page-script FILE --report FILE [--printed] [--reference] [--pdf OUT.pdf] "
                           "[--png-dir DIR] [--wmf-dir DIR]";

bool parseRequest(const QStringList& args, render::RenderFilesRequest& request)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        if (option == QLatin1String("--printed")) {
            request.printed = true;
            continue;
        }
        if (option == QLatin1String("--reference")) {
            request.reference = true;
            continue;
        }
        QString* target = option == QLatin1String("--page-script") ? &request.pageScriptPath
                          : option == QLatin1String("--report")    ? &request.reportPath
                          : option == QLatin1String("--pdf")       ? &request.pdfPath
                          : option == QLatin1String("--png-dir")   ? &request.pngDir
                          : option == QLatin1String("--wmf-dir")   ? &request.wmfDir
                                                                   : nullptr;
        if (!target || i + 1 == args.size()) return false;
        *target = args[++i];
    }
    return !request.pageScriptPath.isEmpty() && !request.reportPath.isEmpty();
}

int runRender(CommandContext& context)
{
    render::RenderFilesRequest request;
    if (!parseRequest(context.args, request)) {
        context.err << "usage: tallyvane " << kUsage << Qt::endl;
        return 2;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        context.err << "tallyvane render: fonts are not available (no graphical application object)" << Qt::endl;
        return 1;
    }
    const render::RenderFilesResult result = render::renderFiles(request);
    context.out << result.pages << Qt::endl;
    if (!result.error.isEmpty()) {
        context.err << result.error << Qt::endl;
        return 1;
    }
    return 0;
}

const CommandRegistration registration({QStringLiteral("render"), QString::fromLatin1(kUsage), runRender});

} // namespace

} // namespace tv::cli
