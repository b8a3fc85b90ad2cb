// Literals for SQL built as text, local and remote alike: numbers bare, texts in single quotes
// with inner quotes doubled, dates and moments in the US order the laboratory's dialect reads.
// Typed text only ever enters a statement through quoteSql or after it read as a number.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace tv::store {

/// 'text' with every single quote doubled.
QString quoteSql(const QString& text);
/// 'mm/dd/yyyy'
QString sqlDate(const QDate& date);
/// 'mm/dd/yyyy hh:nn:ss' (24-hour clock)
QString sqlDateTime(const QDateTime& moment);
/// 'mm/dd/yyyy 05:30': the laboratory's working day starts at half past five.
QString sqlDayStart(const QDate& date);

/// The text as a whole number from 0 to 2147483647 (blanks around it allowed), or nothing.
std::optional<int> readWholeNumber(const QString& text);

/// The zero date-time (30 December 1899, 00:00) that stands for an absent date.
QDateTime zeroDateTime();

} // namespace tv::store
