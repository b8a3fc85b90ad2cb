// list [--work-date D|--download-date D|--batch T|--labid N|--name P] [--printed|--unprinted]
// [--reference]: the report list without the window, with its batch tabs.
#include "cli/CliSession.h"
#include "intake/LabLink.h"
#include "intake/TextTable.h"
#include "store/ReportList.h"

namespace tv::cli {

namespace {

int runList(CommandContext& context)
{
    QString kind = QStringLiteral("--download-date");
    QString value;
    store::PrintedFilter filter = store::PrintedFilter::All;
    bool reference = false;
    const QStringList& args = context.args;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--printed")) {
            filter = store::PrintedFilter::Printed;
        } else if (a == QLatin1String("--unprinted")) {
            filter = store::PrintedFilter::NonPrinted;
        } else if (a == QLatin1String("--reference")) {
            reference = true;
        } else if ((a == QLatin1String("--work-date") || a == QLatin1String("--download-date") ||
                    a == QLatin1String("--batch") || a == QLatin1String("--labid") || a == QLatin1String("--name")) &&
                   i + 1 < args.size()) {
            kind = a;
            value = args[++i];
        } else {
            context.err << "tallyvane list: unknown or incomplete option " << a << Qt::endl;
            return 2;
        }
    }
    const QDate today = intake::sessionNow().date();
    QDate date = today;
    QDateTime batch;
    if (kind.endsWith(QLatin1String("-date")) && !value.isEmpty()) {
        date = intake::readDate(value).value_or(QDate());
        if (!date.isValid()) {
            context.err << "tallyvane list: " << kind << " needs a date (yyyy-mm-dd or mm/dd/yyyy)" << Qt::endl;
            return 2;
        }
    }
    if (kind == QLatin1String("--batch")) {
        batch = QDateTime::fromString(value, Qt::ISODateWithMs);
        if (!batch.isValid()) {
            context.err << "tallyvane list: --batch needs a moment (yyyy-mm-ddThh:mm:ss)" << Qt::endl;
            return 2;
        }
        date = batch.date();
    }
    store::Connection db;
    if (!openExistingStore(context, db))
        return 1;
    store::ReportList list(db);
    if (reference)
        list.switchReferenceMode(today);
    list.setPickerDate(date);
    list.setPrintedFilter(filter);
    bool ok = false;
    if (kind == QLatin1String("--work-date"))
        ok = list.ListByWorkDate(date);
    else if (kind == QLatin1String("--batch"))
        ok = list.ListByBatch(batch);
    else if (kind == QLatin1String("--labid"))
        ok = list.searchByLabId(value);
    else if (kind == QLatin1String("--name"))
        ok = list.searchByName(value);
    else
        ok = list.ListByBatchDate(date);
    if (!ok) {
        context.err << "tallyvane list: " << list.error() << Qt::endl;
        return 1;
    }
    context.out << "batches: " << list.tabs().join(QLatin1String(" | ")) << Qt::endl;
    context.out << intake::reportTable(list.rows()).text();
    context.out << list.rows().rows.size() << " reports" << Qt::endl;
    return 0;
}

const CommandRegistration registration(
    {QStringLiteral("list"),
     QStringLiteral("list [--work-date D|--download-date D|--batch T|--labid N|--name P] [--printed|--unprinted] "
                    "[--reference]"),
     runList});

} // namespace

} // namespace tv::cli
