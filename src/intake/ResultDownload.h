// The download of released reports: one remote query per channel over the mode's window, the
// answer stored as one batch in one transaction, the notices for empty answers, and the whole
// press (normal channel, messages, reference channel) as the Download buttons run it.
#pragma once

#include "intake/DownloadWindow.h"
#include "remote/RemoteClient.h"
#include "store/Connection.h"

#include <functional>

namespace tv::intake {

struct IntakeContext {
    remote::RemoteClient& remote;
    store::Connection& db;
    int account = 0;
    remote::NoticeFn notice;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

struct ChannelDownload {
    bool answered = false; ///< the laboratory answered (possibly without rows)
    int received = 0;
    int stored = 0;
    QDateTime batch;
    QString error;         ///< the answer was unfit or the store failed; nothing of the channel was kept
};

/// The start of the since-last window for the channel (newest stored release, at most 7 days back).
bool lastProcessDate(IntakeContext& context, store::Channel channel, QDateTime* start, QString* error);

ChannelDownload downloadChannel(IntakeContext& context, store::Channel channel, DownloadMode mode,
                                const QDate& baseDate);

inline ChannelDownload downloadResults(IntakeContext& c, DownloadMode mode, const QDate& baseDate)
{
    return downloadChannel(c, store::Channel::Normal, mode, baseDate);
}
inline ChannelDownload downloadReferenceResults(IntakeContext& c, DownloadMode mode, const QDate& baseDate)
{
    return downloadChannel(c, store::Channel::Reference, mode, baseDate);
}

/// The base date a mode button computes: the day before the picked date, today, or unused.
QDate downloadBaseDate(DownloadMode mode, const QDate& picked, const QDate& today);

struct DownloadRun {
    ChannelDownload normal;
    ChannelDownload reference;
    bool newReferenceResults = false;
};

/// One press: the normal channel, then `fetchMessages` (without forcing a server pick), then the
/// reference channel. A failing channel does not stop the next step.
DownloadRun runDownload(IntakeContext& context, DownloadMode mode, const QDate& picked,
                        const std::function<void()>& fetchMessages);

} // namespace tv::intake
