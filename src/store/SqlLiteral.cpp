#include "store/SqlLiteral.h"

namespace tv::store {

QString quoteSql(const QString& text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString sqlDate(const QDate& date)
{
    return quoteSql(date.toString(QStringLiteral("MM/dd/yyyy")));
}

QString sqlDateTime(const QDateTime& moment)
{
    return quoteSql(moment.toString(QStringLiteral("MM/dd/yyyy HH:mm:ss")));
}

QString sqlDayStart(const QDate& date)
{
    return quoteSql(date.toString(QStringLiteral("MM/dd/yyyy")) + QLatin1String(" 05:30"));
}

std::optional<int> readWholeNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 10)
        return std::nullopt;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const qint64 value = trimmed.toLongLong();
    if (value > 2147483647)
        return std::nullopt;
    return int(value);
}

QDateTime zeroDateTime()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

} // namespace tv::store
