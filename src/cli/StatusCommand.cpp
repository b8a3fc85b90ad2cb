// status (--date D | --labid L [--exlabid E] | --exlabid E | --name PATERNAL MATERNAL NAME):
// where submitted samples stand at the laboratory (released, processed or waiting).
#include "cli/LabCommandSession.h"
#include "intake/TextTable.h"
#include "status/SampleStatus.h"

namespace tv::cli {

namespace {

int runStatus(CommandContext& context)
{
    const QStringList& args = context.args;
    status::StatusPage page = status::StatusPage::ByWorkDate;
    status::StatusInput input;
    bool given = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--date") && i + 1 < args.size()) {
            input.workDate = intake::readDate(args[++i]).value_or(QDate());
            if (!input.workDate.isValid()) {
                context.err << "tallyvane status: --date needs a date (yyyy-mm-dd or mm/dd/yyyy)" << Qt::endl;
                return 2;
            }
            page = status::StatusPage::ByWorkDate;
        } else if (a == QLatin1String("--labid") && i + 1 < args.size()) {
            input.labId = args[++i].toUpper();
            page = status::StatusPage::ByLabId;
        } else if (a == QLatin1String("--exlabid") && i + 1 < args.size()) {
            input.exLabId = args[++i].toUpper();
            page = status::StatusPage::ByLabId;
        } else if (a == QLatin1String("--name") && i + 3 < args.size()) {
            input.paternal = args[i + 1].toUpper();
            input.maternal = args[i + 2].toUpper();
            input.name = args[i + 3].toUpper();
            i += 3;
            page = status::StatusPage::ByName;
        } else {
            context.err << "tallyvane status: unknown or incomplete option " << a << Qt::endl;
            return 2;
        }
        given = true;
    }
    if (!given) {
        context.err << "tallyvane status: say what to ask: --date D, --labid L [--exlabid E] or --name P M N"
                    << Qt::endl;
        return 2;
    }
    LabCommandSession session(context, QStringLiteral("status"));
    if (!session.ok()) return 1;
    if (!status::requestSampleStatus(session.remote(), session.notice, page, input, session.lab.account,
                                     intake::sessionNow().date()))
        return 1;
    const remote::Rowset& rows = session.remote().vt();
    intake::TextTable table({QStringLiteral("WDATE"), QStringLiteral("LABID"), QStringLiteral("NAME"),
                             QStringLiteral("CODE"), QStringLiteral("DESCRIPTION"), QStringLiteral("SEX"),
                             QStringLiteral("BDATE"), QStringLiteral("RELEASED"), QStringLiteral("STATUS")});
    for (int row = 0; row < rows.rows.size(); ++row) {
        const auto text = [&](const char* column) { return rows.value(row, QString::fromLatin1(column)).toString(); };
        const auto date = [&](const char* column, const char* format) {
            const QVariant v = rows.value(row, QString::fromLatin1(column));
            return v.isNull() ? QString() : v.toDateTime().toString(QLatin1String(format));
        };
        table.addRow({date("WDATE", "MM/dd/yyyy"), text("LABID"), text("NAME"), text("GENERICCODE"),
                      text("DESCRIPTION"), text("SEX"), date("BDATE", "MM/dd/yyyy"),
                      date("PRINTED", "MM/dd/yyyy hh:mm AP"), status::sampleStateText(status::sampleState(rows, row))});
    }
    context.out << table.text() << rows.rows.size() << " samples" << Qt::endl;
    return 0;
}

const CommandRegistration registration(
    {QStringLiteral("status"),
     QStringLiteral("status (--date D | --labid L [--exlabid E] | --exlabid E | --name PATERNAL MATERNAL NAME)"),
     runStatus});

} // namespace

} // namespace tv::cli
