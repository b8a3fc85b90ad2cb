// One answer row of the laboratory's report views turned into the values the local procedures
// take: the 18 header values in the procedures' order (absent integers 0, texts empty, dates the
// zero date-time) and the report program, with the HL7 text on the reference channel.
#pragma once

#include "remote/Rowset.h"

#include <QList>
#include <QVariant>

namespace tv::intake {

/// How an absent PRINTED reaches the procedures: the zero date-time of the downloads, or a
/// null that keeps a requested copy unprinted.
enum class AbsentPrinted { ZeroDate, Null };

/// LABID, NAME, SEX, BDATE, AGE, AGEU, ACCOUNT, WDATE, PROCESS, PHYSICIAN, LOCATION, ROOM,
/// EXLABID, GENERICCODE, DESCRIPTION, SS, PRINTED, then `batch`.
QList<QVariant> patientValues(const remote::Rowset& rows, int row, const QDateTime& batch,
                              AbsentPrinted absentPrinted = AbsentPrinted::ZeroDate);

/// LABID, GENERICCODE, REP_CODE (and HL7 when `withHl7`).
QList<QVariant> reportValues(const remote::Rowset& rows, int row, bool withHl7);

/// Why row `row` cannot be stored as a report: a column the procedures take is missing, the
/// report's key is absent, or a present number or date does not read as one. Empty when it can.
/// (Absent values other than the key are fine: they become 0, empty or the zero date-time.)
QString reportRowProblem(const remote::Rowset& rows, int row, bool withHl7);

/// A value of the row as the local store expects it (wall-clock local date-times, empty texts
/// and zero numbers for absent values).
int integerValue(const remote::Rowset& rows, int row, const QString& column);
QString textValue(const remote::Rowset& rows, int row, const QString& column);
/// An absent date-time is the zero date-time.
QDateTime dateTimeValue(const remote::Rowset& rows, int row, const QString& column);

} // namespace tv::intake
