// print (--all | --labid N --code C ...) [list options] [--export] [--no-print] [--pdf DIR | --printer NAME]:
// the print and export run over a report list without the window. The list options choose the list
// as for `list` ("--labid N" without "--code" after it is the list's search); the run prints through
// the page script to PDF files or a system printer (the default one unless named), exports HL7 and
// report files, marks the printed reports, adds them to the month's counter and reopens the list.
#include "cli/ReportListChoice.h"
#include "cli/StoredReportSession.h"
#include "cli/SystemPrinters.h"
#include "export/PdfFileOutlet.h"
#include "export/PrintRun.h"
#include "export/ReportFiles.h"
#include "intake/LabLink.h"
#include "page/PagePrinter.h"
#include "store/ConfigStore.h"

#include <QDir>

namespace tv::cli {

namespace {

struct ReportKey {
    int labId = 0;
    QString genericCode;
};

struct PrintArgs {
    ReportListChoice list;
    bool all = false;
    QList<ReportKey> chosen;
    bool print = true;
    bool exportResults = false;
    QString pdfDir;
    QString printer;
};

/// An error text, or empty when the arguments make a run.
QString parseArgs(const QStringList& args, PrintArgs& parsed)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--labid") && i + 3 < args.size() && args[i + 2] == QLatin1String("--code")) {
            bool number = false;
            const int labId = args[i + 1].toInt(&number);
            if (!number) return QStringLiteral("--labid needs a whole number");
            parsed.chosen.append({labId, args[i + 3]});
            i += 3;
        } else if (a == QLatin1String("--all")) {
            parsed.all = true;
        } else if (a == QLatin1String("--export")) {
            parsed.exportResults = true;
        } else if (a == QLatin1String("--no-print")) {
            parsed.print = false;
        } else if ((a == QLatin1String("--pdf") || a == QLatin1String("--printer")) && i + 1 < args.size() &&
                   !args[i + 1].isEmpty()) {
            (a == QLatin1String("--pdf") ? parsed.pdfDir : parsed.printer) = args[++i];
        } else {
            QString error;
            const ListOption read = readListOption(args, i, parsed.list, error);
            if (read == ListOption::Wrong) return error;
            if (read == ListOption::NotMine) return QStringLiteral("unknown or incomplete option %1").arg(a);
        }
    }
    if (parsed.all == !parsed.chosen.isEmpty())
        return QStringLiteral("choose the reports: --all, or one or more --labid N --code C");
    if (!parsed.pdfDir.isEmpty() && !parsed.printer.isEmpty())
        return QStringLiteral("--pdf and --printer exclude each other");
    return {};
}

QString keyText(const ReportKey& key)
{
    return QStringLiteral("%1 %2").arg(key.labId).arg(key.genericCode);
}

/// Checks the chosen reports' entries; the keys that are not in the list.
QStringList checkChosen(std::vector<exports::PrintEntry>& entries, const QList<ReportKey>& chosen)
{
    QStringList missing;
    for (const ReportKey& key : chosen) {
        bool found = false;
        for (exports::PrintEntry& entry : entries) {
            if (entry.labId == key.labId && entry.genericCode == key.genericCode) entry.checked = found = true;
        }
        if (!found) missing.append(keyText(key));
    }
    return missing;
}

class PrintJob {
public:
    PrintJob(CommandContext& context, PrintArgs args) : m_context(context), m_args(std::move(args)) {}
    int run();

private:
    bool openOutlet();
    void summarise(const exports::PrintRunResult& result, int chosen);

    CommandContext& m_context;
    PrintArgs m_args;
    render::NoPrinters m_noPrinters;
    std::unique_ptr<exports::PdfFileOutlet> m_pdf;
    std::unique_ptr<SystemPrinters> m_printers;
    render::PrintOutlet* m_outlet = &m_noPrinters;
    QString m_exportPath;
};

bool PrintJob::openOutlet()
{
    // The reference-laboratory mode prints every chosen report, whatever --no-print says.
    if (!m_args.print && !m_args.list.reference) return true;
    if (!m_args.pdfDir.isEmpty()) {
        if (!QDir().mkpath(m_args.pdfDir)) {
            m_context.err << "tallyvane print: the folder " << QDir::toNativeSeparators(m_args.pdfDir)
                          << " cannot be created" << Qt::endl;
            return false;
        }
        m_pdf = std::make_unique<exports::PdfFileOutlet>(QDir(m_args.pdfDir).absolutePath());
        m_outlet = m_pdf.get();
        return true;
    }
    QString error;
    m_printers = openSystemPrinter(m_args.printer, error);
    if (!m_printers) {
        m_context.err << "tallyvane print: " << error << Qt::endl;
        return false;
    }
    m_outlet = m_printers.get();
    return true;
}

int PrintJob::run()
{
    if (!openOutlet()) return 1;
    StoredReportSession session(m_context, QStringLiteral("print"), m_outlet);
    const bool reference = m_args.list.reference;
    if (m_printers) {
        m_printers->attach(session.renderer().pagePrinter());
        session.renderer().pagePrinter().setDevice(m_printers->device());
    }
    if (!session.open(reference)) return 1;
    const store::ConfigStore config(session.db());
    m_exportPath = config.getConfig(QStringLiteral("EXPORT.PATH")).text;
    if (m_args.exportResults && !reference) {
        if (!session.exportProgramReady()) {
            session.fail(QStringLiteral("the export program does not compile: ") + session.lastNotice());
            return 1;
        }
        if (m_exportPath.isEmpty()) {
            session.fail(QStringLiteral("no export folder is set (tallyvane export-folder PATH)"));
            return 1;
        }
    }
    const QDate today = intake::sessionNow().date();
    store::ReportList list(session.db());
    if (!openChosenList(list, m_args.list, today)) {
        session.fail(list.error());
        return 1;
    }
    std::vector<exports::PrintEntry> entries = exports::printEntries(list.rows());
    if (const QStringList missing = checkChosen(entries, m_args.chosen); !missing.isEmpty()) {
        session.fail(QStringLiteral("not in the list, nothing printed: %1").arg(missing.join(QLatin1String(", "))));
        return 1;
    }
    const exports::PrintRunOptions options{m_args.all,   m_args.print,        m_args.exportResults,     reference,
                                           m_exportPath, m_context.appFolder, session.extraFieldsInit()};
    exports::PrintRun printRun(session.db(), session.renderer(), *m_outlet);
    const exports::PrintRunResult result = printRun.run(list.rows(), entries, options);
    if (!result.error.isEmpty()) {
        const QString notice = session.lastNotice();
        session.fail(QStringLiteral("%1%2 (stopped after %3 printed; nothing after it was marked or counted)")
                         .arg(result.error,
                              notice.isEmpty() || notice == result.error ? QString() : QStringLiteral(": ") + notice)
                         .arg(result.printed));
        return 1;
    }
    if (const store::StoreResult counted = exports::addToPrintCount(config, today, result.printed); !counted.ok) {
        session.fail(QStringLiteral("the month's print count cannot be written: %1").arg(counted.message));
        return 1;
    }
    // The list is read again on a fresh connection, so it shows the new PRINTED values.
    const QString location = session.db().location();
    session.db().close();
    if (const store::StoreResult reopened = session.db().open(location); !reopened.ok) {
        session.fail(QStringLiteral("the store cannot be reopened: %1").arg(reopened.message));
        return 1;
    }
    store::ReportList again(session.db());
    if (!openChosenList(again, m_args.list, today)) {
        session.fail(again.error());
        return 1;
    }
    summarise(result, m_args.all ? int(entries.size()) : int(m_args.chosen.size()));
    int printedRows = 0;
    for (int row = 0; row < int(again.rows().rows.size()); ++row)
        printedRows += again.rows().value(row, u"PRINTED").isNull() ? 0 : 1;
    m_context.out << "list reopened: " << again.rows().rows.size() << " reports, " << printedRows << " printed"
                  << Qt::endl;
    const QString counter = QStringLiteral("PRINT.COUNT.") + today.toString(QStringLiteral("yyMM"));
    m_context.out << "print count " << counter << ": " << config.getConfig(counter).text << Qt::endl;
    return 0;
}

void PrintJob::summarise(const exports::PrintRunResult& result, int chosen)
{
    QTextStream& out = m_context.out;
    out << "reports: " << chosen << " chosen, " << result.printed << " printed" << Qt::endl;
    if (m_pdf)
        out << "PDF files: " << m_pdf->written().size() << " in " << QDir::toNativeSeparators(m_args.pdfDir)
            << Qt::endl;
    if (m_printers) out << "printer: " << m_printers->currentPrinter() << Qt::endl;
    if (m_args.exportResults) {
        const QString folder =
            m_args.list.reference ? QDir(m_context.appFolder).filePath(QStringLiteral("REFERENCE")) : m_exportPath;
        out << "HL7 files: " << QDir::toNativeSeparators(folder) << Qt::endl;
    }
    if (!m_args.list.reference) {
        const exports::ReportFileFolders folders = exports::readReportFileFolders(m_context.appFolder);
        const std::pair<const char*, QString> keys[] = {
            {"REPIMAGE", folders.image}, {"REPDATA", folders.data}, {"REPIMAGEDATA", folders.imageData}};
        for (const auto& [key, folder] : keys)
            if (!folder.isEmpty())
                out << "report files (" << key << "): " << QDir::toNativeSeparators(folder) << Qt::endl;
    }
}

int runPrint(CommandContext& context)
{
    PrintArgs args;
    if (const QString error = parseArgs(context.args, args); !error.isEmpty()) {
        context.err << "tallyvane print: " << error << Qt::endl;
        return 2;
    }
    return PrintJob(context, std::move(args)).run();
}

const CommandRegistration registration({QStringLiteral("print"),
                                        QStringLiteral("print (--all|--labid N --code C ...) ") + listOptionsUsage() +
                                            QStringLiteral(" [--export] [--no-print] [--pdf DIR|--printer NAME]"),
                                        runPrint});

} // namespace

} // namespace tv::cli
