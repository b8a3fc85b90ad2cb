#include "intake/ResultDownload.h"

#include "intake/ChannelStore.h"

namespace tv::intake {

bool lastProcessDate(IntakeContext& c, store::Channel channel, QDateTime* start, QString* error)
{
    QDateTime newest;
    if (!newestStoredProcess(c.db, channel, &newest, error))
        return false;
    *start = lastProcessFloor(newest, c.now().date());
    return true;
}

ChannelDownload downloadChannel(IntakeContext& c, store::Channel channel, DownloadMode mode, const QDate& baseDate)
{
    ChannelDownload result;
    QDateTime since;
    if (mode == DownloadMode::SinceLast && !lastProcessDate(c, channel, &since, &result.error))
        return result;
    const DownloadWindow window = downloadWindow(mode, baseDate, c.now(), since);
    c.remote.remoteQuery(downloadStatement(channel, window, c.account), true);
    if (!c.remote.gotData())
        return result;
    result.answered = true;
    result.batch = c.now();
    const remote::Rowset& vt = c.remote.vt();
    result.received = int(vt.rows.size());
    if (vt.rows.isEmpty()) {
        c.notice(emptyAnswerInstruction(channel), searchDateContent(window.searchDate));
        return result;
    }
    const StoreOutcome outcome = storeChannelRows(c.db, channel, vt, result.batch);
    result.stored = outcome.stored;
    result.error = outcome.error;
    return result;
}

QDate downloadBaseDate(DownloadMode mode, const QDate& picked, const QDate& today)
{
    switch (mode) {
    case DownloadMode::Daily:
        return picked.addDays(-1);
    case DownloadMode::Stat:
        return today;
    case DownloadMode::SinceLast:
        break;
    }
    return QDate(1900, 1, 1);
}

DownloadRun runDownload(IntakeContext& c, DownloadMode mode, const QDate& picked,
                        const std::function<void()>& fetchMessages)
{
    DownloadRun run;
    const QDate base = downloadBaseDate(mode, picked, c.now().date());
    run.normal = downloadResults(c, mode, base);
    if (fetchMessages)
        fetchMessages();
    run.reference = downloadReferenceResults(c, mode, base);
    run.newReferenceResults = run.reference.stored > 0;
    return run;
}

} // namespace tv::intake
