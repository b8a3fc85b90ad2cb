// render --page-script FILE --report FILE [--printed] [--reference] [--pdf OUT.pdf] [--png-dir DIR]
// [--wmf-dir DIR]: renders one report from files headless, prints its page count, and reports a script
// error as "REPORT <description>" on standard error with exit status 1. Scripts outside the project
// call it. render --labid N --code C [--reference] [...]: the same for a stored report, rendered as
// the program renders it (page script, export program, extra fields and offsets of the installation).
#include "cli/StoredReportSession.h"
#include "page/PagePrinter.h"
#include "render/RenderFiles.h"

#include <QGuiApplication>

namespace tv::cli {

namespace {

const char* const kUsage = "render (--page-script FILE --report FILE [--printed] | --labid N --code C) [--reference] "
                           "[--pdf OUT.pdf] [--png-dir DIR] [--wmf-dir DIR]";

struct RenderArgs {
    render::RenderFilesRequest request;
    QString labId; ///< the stored form
    QString genericCode;
};

bool parseArgs(const QStringList& args, RenderArgs& parsed)
{
    render::RenderFilesRequest& request = parsed.request;
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
                          : option == QLatin1String("--labid")     ? &parsed.labId
                          : option == QLatin1String("--code")      ? &parsed.genericCode
                                                                   : nullptr;
        if (!target || i + 1 == args.size()) return false;
        *target = args[++i];
    }
    const bool fromFiles = !request.pageScriptPath.isEmpty() && !request.reportPath.isEmpty();
    const bool stored = !parsed.labId.isEmpty() && !parsed.genericCode.isEmpty();
    // The stored form takes the printed state from the report itself.
    return fromFiles ? parsed.labId.isNull() && parsed.genericCode.isNull()
                     : stored && request.pageScriptPath.isNull() && request.reportPath.isNull() && !request.printed;
}

int renderStored(CommandContext& context, const RenderArgs& args)
{
    bool number = false;
    const int labId = args.labId.toInt(&number);
    if (!number) {
        context.err << "tallyvane render: --labid needs a whole number" << Qt::endl;
        return 2;
    }
    StoredReportSession session(context, QStringLiteral("render"), nullptr);
    const render::RenderFilesRequest& request = args.request;
    if (!session.open(request.reference)) return 1;
    const store::QueryResult found = storedReport(session.db(), request.reference, labId, args.genericCode);
    if (!found.ok || found.rows.rows.isEmpty()) {
        session.fail(!found.ok ? found.message
                               : QStringLiteral("there is no stored %1report %2 %3")
                                     .arg(request.reference ? QStringLiteral("reference-laboratory ") : QString())
                                     .arg(labId)
                                     .arg(args.genericCode));
        return 1;
    }
    const bool rendered = session.renderer().rowChanged(
        {found.rows.value(0, u"REP_CODE").toString(), !found.rows.value(0, u"PRINTED").isNull()});
    const page::PageDocument& doc = session.renderer().pagePrinter().document();
    context.out << doc.pageCount() << Qt::endl;
    if (!rendered) {
        session.fail(session.lastNotice().isEmpty() ? QStringLiteral("the report could not be rendered")
                                                    : session.lastNotice());
        return 1;
    }
    if (const QString error = render::writeDocumentFiles(doc, request.pdfPath, request.pngDir, request.wmfDir);
        !error.isEmpty()) {
        session.fail(error);
        return 1;
    }
    return 0;
}

int runRender(CommandContext& context)
{
    RenderArgs args;
    if (!parseArgs(context.args, args)) {
        context.err << "usage: tallyvane " << kUsage << Qt::endl;
        return 2;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        context.err << "tallyvane render: fonts are not available (no graphical application object)" << Qt::endl;
        return 1;
    }
    if (!args.labId.isNull()) return renderStored(context, args);
    const render::RenderFilesResult result = render::renderFiles(args.request);
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
