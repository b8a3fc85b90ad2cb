// One answer row of the laboratory's report views turned into the values the local procedures
// take: the 18 header values in the procedures' order (absent integers 0, texts empty, dates the
// zero date-time) and the report program, with the HL7 text on the reference channel. The
// columns are looked up once per answer and each value is converted once per row.
#pragma once

#include "remote/Rowset.h"

#include <QDateTime>
#include <QList>
#include <QVariant>

namespace tv::intake {

/// How an absent PRINTED reaches the procedures: the zero date-time of the downloads, or a
/// null that keeps a requested copy unprinted.
enum class AbsentPrinted { ZeroDate, Null };

/// One row read for the procedures.
struct ReportRow {
    /// LABID, NAME, SEX, BDATE, AGE, AGEU, ACCOUNT, WDATE, PROCESS, PHYSICIAN, LOCATION, ROOM,
    /// EXLABID, GENERICCODE, DESCRIPTION, SS, PRINTED, then the batch.
    QList<QVariant> header;
    /// LABID, GENERICCODE, REP_CODE (and HL7 on the reference channel).
    QList<QVariant> report;
    /// Why the row cannot be stored as a report: a column the procedures take is missing, the
    /// report's key is absent, or a present number or date does not read as one. Empty when it
    /// can. (Absent values other than the key are fine: they become 0, empty or the zero date-time.)
    QString problem;
};

/// The columns of one answer that the procedures take, found once for all of its rows; `rows`
/// must outlive it.
class ReportColumns {
public:
    ReportColumns(const remote::Rowset& rows, bool withHl7);

    ReportRow read(int row, const QDateTime& batch, AbsentPrinted absentPrinted = AbsentPrinted::ZeroDate) const;

private:
    const QVariant& cell(int row, int column) const;

    const remote::Rowset& m_rows;
    bool m_withHl7;
    QList<int> m_index; ///< per column the procedures take; -1 when absent
    QString m_missing; ///< the first column the answer lacks
};

/// The header values of one row (`ReportRow::header`).
QList<QVariant> patientValues(const remote::Rowset& rows, int row, const QDateTime& batch,
                              AbsentPrinted absentPrinted = AbsentPrinted::ZeroDate);

/// The report values of one row (`ReportRow::report`).
QList<QVariant> reportValues(const remote::Rowset& rows, int row, bool withHl7);

/// Why one row cannot be stored (`ReportRow::problem`).
QString reportRowProblem(const remote::Rowset& rows, int row, bool withHl7);

/// A value of the row as the local store expects it (wall-clock local date-times, empty texts
/// and zero numbers for absent values).
int integerValue(const remote::Rowset& rows, int row, const QString& column);
QString textValue(const remote::Rowset& rows, int row, const QString& column);
/// An absent date-time is the zero date-time.
QDateTime dateTimeValue(const remote::Rowset& rows, int row, const QString& column);

} // namespace tv::intake
