// download [--since-last|--stat|--day DATE]: one press of a download button without the window:
// the normal channel, the messages, the reference channel, then today's downloads listed.
#include "cli/LabCommandSession.h"
#include "intake/ResultDownload.h"
#include "intake/TextTable.h"
#include "messages/MessageSync.h"
#include "store/ReportList.h"

namespace tv::cli {

namespace {

int runDownload(CommandContext& context)
{
    const QStringList& args = context.args;
    intake::DownloadMode mode = intake::DownloadMode::SinceLast;
    QDate picked;
    if (args == QStringList{QStringLiteral("--stat")}) {
        mode = intake::DownloadMode::Stat;
    } else if (args.size() == 2 && args[0] == QLatin1String("--day")) {
        mode = intake::DownloadMode::Daily;
        picked = intake::readDate(args[1]).value_or(QDate());
        if (!picked.isValid()) {
            context.err << "tallyvane download: --day needs a date (yyyy-mm-dd or mm/dd/yyyy)" << Qt::endl;
            return 2;
        }
    } else if (!args.isEmpty() && args != QStringList{QStringLiteral("--since-last")}) {
        context.err << "tallyvane download: use --since-last, --stat or --day DATE" << Qt::endl;
        return 2;
    }
    LabCommandSession session(context, QStringLiteral("download"));
    if (!session.ok()) return 1;
    intake::IntakeContext intake{session.remote(), session.db, session.lab.account, session.notice, intake::sessionNow};
    messages::MessageContext mail{session.remote(), session.db, session.lab.account, intake::sessionNow};
    int newMessages = 0;
    const intake::DownloadRun run =
        intake::runDownload(intake, mode, picked, [&] { newMessages = messages::syncMessages(mail, false).stored; });
    context.out << "laboratory: " << session.remote().lastServer() << Qt::endl;
    context.out << "results: " << run.normal.stored << " stored of " << run.normal.received << " received" << Qt::endl;
    context.out << "reference results: " << run.reference.stored << " stored of " << run.reference.received
                << " received" << Qt::endl;
    context.out << "new messages: " << newMessages << Qt::endl;

    store::ReportList list(session.db);
    const QDate today = intake::sessionNow().date();
    list.setPickerDate(today);
    if (list.ListByBatchDate(today))
        context.out << "downloaded today:" << Qt::endl << intake::reportTable(list.rows()).text();
    for (const intake::ChannelDownload* channel : {&run.normal, &run.reference}) {
        if (!channel->error.isEmpty()) {
            context.err << "tallyvane download: nothing of a channel was stored: " << channel->error << Qt::endl;
            return 1;
        }
    }
    return run.normal.answered && run.reference.answered ? 0 : 1;
}

const CommandRegistration registration({QStringLiteral("download"),
                                        QStringLiteral("download [--since-last|--stat|--day DATE]"), runDownload});

} // namespace

} // namespace tv::cli
