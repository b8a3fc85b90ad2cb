// list [--work-date D|--download-date D|--batch T|--labid N|--name P] [--printed|--unprinted]
// [--reference]: the report list without the window, with its batch tabs.
#include "cli/CliSession.h"
#include "cli/ReportListChoice.h"
#include "intake/LabLink.h"
#include "intake/TextTable.h"

namespace tv::cli {

namespace {

int runList(CommandContext& context)
{
    ReportListChoice choice;
    const QStringList& args = context.args;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString error;
        const ListOption read = readListOption(args, i, choice, error);
        if (read == ListOption::Taken) continue;
        context.err << "tallyvane list: "
                    << (read == ListOption::Wrong ? error : QStringLiteral("unknown option %1").arg(args[i]))
                    << Qt::endl;
        return 2;
    }
    store::Connection db;
    if (!openExistingStore(context, db)) return 1;
    store::ReportList list(db);
    if (!openChosenList(list, choice, intake::sessionNow().date())) {
        context.err << "tallyvane list: " << list.error() << Qt::endl;
        return 1;
    }
    context.out << "batches: " << list.tabs().join(QLatin1String(" | ")) << Qt::endl;
    context.out << intake::reportTable(list.rows()).text();
    context.out << list.rows().rows.size() << " reports" << Qt::endl;
    return 0;
}

const CommandRegistration registration({QStringLiteral("list"), QStringLiteral("list ") + listOptionsUsage(), runList});

} // namespace

} // namespace tv::cli
