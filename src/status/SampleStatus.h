// Asking the laboratory where submitted samples stand: the statement of each search page with
// the notices for incomplete input, and the status a row shows. Typed identifiers become SQL
// only as a whole number or as a quoted text.
#pragma once

#include "remote/RemoteClient.h"

#include <QDate>
#include <QString>

namespace tv::status {

enum class StatusPage { ByWorkDate = 0, ByLabId = 1, ByName = 2 };

struct StatusInput {
    QDate workDate;     ///< page 0
    QString labId;      ///< page 1: sample number, or the laboratory's second identifier
    QString exLabId;    ///< page 1: the customer's own identifier
    QString paternal;   ///< page 2
    QString maternal;
    QString name;
};

struct StatusStatement {
    QString sql;     ///< empty when refused
    QString notice;  ///< the instruction shown instead of sending (content empty)
};

/// `today` bounds the name search to working dates after today minus 7 days.
StatusStatement sampleStatusStatement(StatusPage page, const StatusInput& input, int account, const QDate& today);

enum class SampleState { Waiting, Processed, Released };

/// Released when PRINTED is set, else processed when PROCESSED is set, else waiting.
SampleState sampleState(const remote::Rowset& rows, int row);
QString sampleStateText(SampleState state);

/// Builds and sends the page's statement (without forcing a server pick). A refused input shows
/// its notice and sends nothing. True when the answer is in the remote client's answer table.
bool requestSampleStatus(remote::RemoteClient& remote, const remote::NoticeFn& notice, StatusPage page,
                         const StatusInput& input, int account, const QDate& today);

} // namespace tv::status
