// copies search|add (--date D | --labid ID | --name PATERNAL MATERNAL NAME) [--code C] [--reference]:
// looks up older reports at the laboratory; "add" stores those found (or those of one procedure
// code) as one batch and lists it.
#include "cli/LabCommandSession.h"
#include "intake/CopyRequest.h"
#include "intake/TextTable.h"
#include "store/ReportList.h"

namespace tv::cli {

namespace {

struct CopyOptions {
    bool add = false;
    intake::CopySearchKind kind = intake::CopySearchKind::WorkDate;
    QString value;
    QString code;
    bool reference = false;
    QString error;
};

CopyOptions parseCopyOptions(const QStringList& args)
{
    CopyOptions o;
    if (args.isEmpty() || (args[0] != QLatin1String("search") && args[0] != QLatin1String("add"))) {
        o.error = QStringLiteral("use \"copies search ...\" or \"copies add ...\"");
        return o;
    }
    o.add = args[0] == QLatin1String("add");
    bool criterion = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--reference")) {
            o.reference = true;
        } else if (a == QLatin1String("--code") && i + 1 < args.size()) {
            o.code = args[++i];
        } else if (a == QLatin1String("--date") && i + 1 < args.size()) {
            const std::optional<QDate> date = intake::readDate(args[++i]);
            if (!date) {
                o.error = QStringLiteral("--date needs a date (yyyy-mm-dd or mm/dd/yyyy)");
                return o;
            }
            o.kind = intake::CopySearchKind::WorkDate;
            o.value = intake::workDateValue(*date);
            criterion = true;
        } else if (a == QLatin1String("--labid") && i + 1 < args.size()) {
            o.kind = intake::CopySearchKind::LabId;
            o.value = args[++i].toUpper();
            criterion = true;
        } else if (a == QLatin1String("--name") && i + 3 < args.size()) {
            const std::optional<QString> name =
                intake::copyNameValue(args[i + 1].toUpper(), args[i + 2].toUpper(), args[i + 3].toUpper());
            i += 3;
            if (!name) {
                o.error = intake::kNameSearchInstruction.trimmed() + QStringLiteral(": ") + intake::kNameSearchContent;
                return o;
            }
            o.kind = intake::CopySearchKind::Name;
            o.value = *name;
            criterion = true;
        } else {
            o.error = QStringLiteral("unknown or incomplete option %1").arg(a);
            return o;
        }
    }
    if (!criterion)
        o.error = QStringLiteral("say what to search: --date D, --labid ID or --name PATERNAL MATERNAL NAME");
    return o;
}

int runCopies(CommandContext& context)
{
    const CopyOptions options = parseCopyOptions(context.args);
    if (!options.error.isEmpty()) {
        context.err << "tallyvane copies: " << options.error << Qt::endl;
        return 2;
    }
    LabCommandSession session(context, QStringLiteral("copies"));
    if (!session.ok()) return 1;
    const store::Channel channel = store::channelFor(options.reference);
    intake::IntakeContext intake{session.remote(), session.db, session.lab.account, session.notice, intake::sessionNow};
    // One copy request: one batch stamp for everything it adds.
    const QDateTime batch = intake::sessionNow();
    if (!intake::searchLabReports(intake, channel, options.value, options.kind)) {
        context.err << "tallyvane copies: no answer from the laboratory" << Qt::endl;
        return 1;
    }
    const remote::Rowset& found = session.remote().vt();
    intake::TextTable table({QStringLiteral("WDATE"), QStringLiteral("LABID"), QStringLiteral("NAME"),
                             QStringLiteral("CODE"), QStringLiteral("DESCRIPTION"), QStringLiteral("SEX"),
                             QStringLiteral("BDATE")});
    int added = 0;
    for (int row = 0; row < found.rows.size(); ++row) {
        const auto text = [&](const char* column) { return found.value(row, QString::fromLatin1(column)).toString(); };
        const auto date = [&](const char* column) {
            const QVariant v = found.value(row, QString::fromLatin1(column));
            return v.isNull() ? QString() : v.toDate().toString(QStringLiteral("MM/dd/yyyy"));
        };
        table.addRow({date("WDATE"), text("LABID"), text("NAME"), text("GENERICCODE"), text("DESCRIPTION"), text("SEX"),
                      date("BDATE")});
        if (!options.add || (!options.code.isEmpty() && text("GENERICCODE") != options.code)) continue;
        QString error;
        if (!intake::addRequestedReport(intake, channel, row, batch, &error)) {
            context.err << "tallyvane copies: " << error << Qt::endl;
            return 1;
        }
        ++added;
    }
    context.out << table.text() << found.rows.size() << " found" << Qt::endl;
    if (!options.add) return 0;
    store::ReportList list(session.db);
    if (options.reference) list.switchReferenceMode(batch.date());
    list.setPickerDate(batch.date());
    if (!list.ListByBatch(batch)) {
        context.err << "tallyvane copies: " << list.error() << Qt::endl;
        return 1;
    }
    context.out << added << " added as one batch:" << Qt::endl << intake::reportTable(list.rows()).text();
    return 0;
}

const CommandRegistration
    registration({QStringLiteral("copies"),
                  QStringLiteral("copies search|add (--date D | --labid ID | --name PATERNAL MATERNAL NAME) [--code C] "
                                 "[--reference]"),
                  runCopies});

} // namespace

} // namespace tv::cli
