// Storing one channel's answer in the local store: every row through the channel's header and
// report procedures under one batch stamp, all in one transaction. A failure part-way keeps
// nothing, so the newest stored release never moves past a report that was not stored.
#pragma once

#include "intake/ReportValues.h"
#include "store/Connection.h"
#include "store/ReportChannel.h"

#include <QDateTime>
#include <QString>

namespace tv::intake {

struct StoreOutcome {
    int stored = 0;
    QString error; ///< empty on success
};

/// Stores every row of `rows`; one row unfit for the store (`reportRowProblem`) fails them all.
StoreOutcome storeChannelRows(store::Connection& db, store::Channel channel, const remote::Rowset& rows,
                              const QDateTime& batch);

/// Stores one requested copy; a copy's absent PRINTED stays null (unprinted).
StoreOutcome storeRequestedCopy(store::Connection& db, store::Channel channel, const remote::Rowset& rows, int row,
                                const QDateTime& batch);

/// The newest stored release of the channel, or an invalid date-time for an empty table.
bool newestStoredProcess(store::Connection& db, store::Channel channel, QDateTime* newest, QString* error);

} // namespace tv::intake
