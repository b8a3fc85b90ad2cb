// Bringing single reports from the laboratory outside the regular download: refreshing the
// current report when the laboratory released it again, and copy requests (search, then add
// the chosen rows under the request's batch stamp). Each store is one transaction.
#pragma once

#include "intake/CopySearch.h"
#include "intake/ResultDownload.h"

namespace tv::intake {

enum class RefreshOutcome { Skipped, Unchanged, NotAtLaboratory, Updated, NoAnswer, StoreFailed };

struct StoredReportKey {
    int labId = 0;
    QString genericCode;
    QDateTime process; ///< the stored release
};

/// Re-fetches the report; updates its header and program and marks it unprinted when the
/// laboratory's release differs. `error` receives a store failure, or why the answer is unfit
/// (then nothing is stored either).
RefreshOutcome refreshReport(IntakeContext& context, store::Channel channel, const StoredReportKey& key,
                             QString* error);

/// Sends the search; true when an answer arrived in the remote client's answer table.
bool searchLabReports(IntakeContext& context, store::Channel channel, const QString& value, CopySearchKind kind);

/// Adds row `row` of the last search's answer; false with `error` when nothing was stored.
bool addRequestedReport(IntakeContext& context, store::Channel channel, int row, const QDateTime& batch,
                        QString* error);

} // namespace tv::intake
