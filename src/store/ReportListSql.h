// The report list's statements and texts, free of any connection: the listings with the printed
// filter, the two searches, the batches of a day and their tab captions, and the two calculated
// columns. Every statement is built from the channel's names, so the reference mode never leaks.
#pragma once

#include "store/ReportChannel.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace tv::store {

enum class PrintedFilter { All, Printed, NonPrinted };

/// "", " and (PRINTED is not NULL) " or " and (PRINTED is NULL) ".
QString printedFilterText(PrintedFilter filter);

/// One parameter: the date.
QString listByWorkDateSql(Channel channel, PrintedFilter filter);
/// One parameter: the date.
QString listByBatchDateSql(Channel channel, PrintedFilter filter);
/// Parameters: the batch moment and one second later.
QString listByBatchSql(Channel channel, PrintedFilter filter);
/// Nothing when the typed text is not a whole number: it never becomes SQL.
std::optional<QString> searchByLabIdSql(Channel channel, const QString& typed);
/// A case-sensitive prefix match on the name, newest working date first.
QString searchByNameSql(Channel channel, const QString& typed);
/// One parameter, the day; rows BNO (batch moment) and N (row count), newest first.
QString todayBatchesSql(Channel channel);

inline const QString kAllRecordsTab = QStringLiteral("All Records");

/// "02:35:10 pm - 12 Recs"
QString batchTabText(const QDateTime& batch, int count);
/// The moment a tab names on `day`; nothing for "All Records" or a text without a time.
std::optional<QDateTime> batchMomentFromTab(const QDate& day, const QString& tabText);

/// AGEY: "45 Y" from 45 and "Y".
QString ageYears(const QVariant& age, const QVariant& ageUnit);
/// bdate2: "Mar/05/1970", or "  /  /    " for a null or zero birth date.
QString birthDateText(const QVariant& birthDate);

} // namespace tv::store
