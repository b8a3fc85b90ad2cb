// Date patterns of the print page object's FormatDate ("dd/mm/yyyy hh:nn", "dddddd", "am/pm" ...),
// in the system's fixed US-English formats. Pattern letters are matched without regard to case.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace tv::render {

/// Reads a date and time the way the system's short date and time formats write them.
std::optional<QDateTime> parseSystemDateTime(const QString& text);

QString formatDatePattern(const QDateTime& when, const QString& pattern);

} // namespace tv::render
