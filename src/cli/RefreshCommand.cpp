// refresh LABID CODE [--reference]: re-fetches one stored report and replaces it when the
// laboratory has released it again since (it then counts as unprinted).
#include "cli/CliSession.h"
#include "intake/CopyRequest.h"
#include "intake/LabLink.h"
#include "store/SqlLiteral.h"

namespace tv::cli {

namespace {

int runRefresh(CommandContext& context)
{
    const QStringList& args = context.args;
    const bool reference = args.size() == 3 && args[2] == QLatin1String("--reference");
    const std::optional<int> labId = args.size() >= 2 ? store::readWholeNumber(args[0]) : std::nullopt;
    if (!labId || (args.size() != 2 && !reference)) {
        context.err << "tallyvane refresh: use \"refresh LABID CODE [--reference]\"" << Qt::endl;
        return 2;
    }
    const store::Channel channel = store::channelFor(reference);
    store::Connection db;
    if (!openExistingStore(context, db))
        return 1;
    const store::QueryResult stored = db.select(
        QStringLiteral("SELECT PROCESS FROM %1 WHERE LABID=? AND GENERICCODE=?").arg(store::channelNames(channel).table),
        {*labId, args[1]});
    if (!stored.ok || stored.rows.rows.isEmpty()) {
        context.err << "tallyvane refresh: no stored report " << *labId << " " << args[1] << Qt::endl;
        return 1;
    }
    PrintedNotices notices(context.out);
    const remote::NoticeFn notice = [&](const QString& i, const QString& c) { notices.showNotice(i, c); };
    intake::LabSession lab = intake::openLabSession(db, context.appFolder, notice);
    if (!lab.remote) {
        context.err << "tallyvane refresh: " << lab.error << Qt::endl;
        return 1;
    }
    intake::IntakeContext intake{*lab.remote, db, lab.account, notice, intake::sessionNow};
    QString error;
    const intake::RefreshOutcome outcome = intake::refreshReport(
        intake, channel, {*labId, args[1], stored.rows.value(0, u"PROCESS").toDateTime()}, &error);
    switch (outcome) {
    case intake::RefreshOutcome::Updated:
        context.out << "updated: released again, now unprinted" << Qt::endl;
        return 0;
    case intake::RefreshOutcome::Unchanged:
        context.out << "unchanged: the stored report is current" << Qt::endl;
        return 0;
    case intake::RefreshOutcome::NotAtLaboratory:
        context.out << "unchanged: the laboratory does not hold this report" << Qt::endl;
        return 0;
    case intake::RefreshOutcome::Skipped:
    case intake::RefreshOutcome::NoAnswer:
        break;
    case intake::RefreshOutcome::StoreFailed:
        context.err << "tallyvane refresh: " << error << Qt::endl;
        return 1;
    }
    context.err << "tallyvane refresh: no answer from the laboratory" << Qt::endl;
    return 1;
}

const CommandRegistration registration({QStringLiteral("refresh"),
                                        QStringLiteral("refresh LABID CODE [--reference]"), runRefresh});

} // namespace

} // namespace tv::cli
