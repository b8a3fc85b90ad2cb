#include "store/ReportListSql.h"

#include "store/SqlLiteral.h"

#include <QLocale>

namespace tv::store {

QString printedFilterText(PrintedFilter filter)
{
    switch (filter) {
    case PrintedFilter::Printed:
        return QStringLiteral(" and (PRINTED is not NULL) ");
    case PrintedFilter::NonPrinted:
        return QStringLiteral(" and (PRINTED is NULL) ");
    case PrintedFilter::All:
        break;
    }
    return {};
}

QString listByWorkDateSql(Channel channel, PrintedFilter filter)
{
    return QStringLiteral("SELECT * FROM %1 V WHERE (V.WDATE=?) %2 ORDER BY V.NAME")
        .arg(channelNames(channel).table, printedFilterText(filter));
}

QString listByBatchDateSql(Channel channel, PrintedFilter filter)
{
    return QStringLiteral("SELECT * from %1 V WHERE (CAST(V.DBATCH AS DATE)=?) %2 ORDER BY V.NAME")
        .arg(channelNames(channel).table, printedFilterText(filter));
}

QString listByBatchSql(Channel channel, PrintedFilter filter)
{
    return QStringLiteral("SELECT * from %1 V WHERE (V.DBATCH between ? and ?) %2 ORDER BY V.NAME")
        .arg(channelNames(channel).table, printedFilterText(filter));
}

std::optional<QString> searchByLabIdSql(Channel channel, const QString& typed)
{
    const std::optional<int> labId = readWholeNumber(typed);
    if (!labId)
        return std::nullopt;
    return QStringLiteral("SELECT * from %1 V WHERE V.LABID=%2 ORDER BY V.NAME")
        .arg(channelNames(channel).table)
        .arg(*labId);
}

QString searchByNameSql(Channel channel, const QString& typed)
{
    return QStringLiteral("SELECT * from %1 V WHERE V.NAME LIKE %2 ORDER BY V.WDATE DESC,V.NAME")
        .arg(channelNames(channel).table, quoteSql(typed + QLatin1Char('%')));
}

QString todayBatchesSql(Channel channel)
{
    return QStringLiteral("SELECT * FROM %1(?)").arg(channelNames(channel).todayBatches);
}

QString batchTabText(const QDateTime& batch, int count)
{
    const QTime t = batch.time();
    const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QStringLiteral("%1:%2:%3 %4 - %5 Recs")
        .arg(hour12, 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'))
        .arg(t.hour() < 12 ? QLatin1String("am") : QLatin1String("pm"))
        .arg(count);
}

std::optional<QDateTime> batchMomentFromTab(const QDate& day, const QString& tabText)
{
    const QString head = tabText.left(11);
    if (head.contains(QLatin1String("All")))
        return std::nullopt;
    const QTime clock = QLocale::c().toTime(head.toUpper(), QStringLiteral("hh:mm:ss AP"));
    if (!clock.isValid())
        return std::nullopt;
    return QDateTime(day, clock);
}

QString ageYears(const QVariant& age, const QVariant& ageUnit)
{
    const QString ageText = age.isNull() ? QString() : QString::number(age.toInt());
    return (ageText + QLatin1Char(' ') + ageUnit.toString()).left(6);
}

QString birthDateText(const QVariant& birthDate)
{
    const QDate date = birthDate.isNull() ? QDate() : birthDate.toDate();
    if (!date.isValid() || date <= QDate(1899, 12, 31))
        return QStringLiteral("  /  /    ");
    return QLocale::c().toString(date, QStringLiteral("MMM/dd/yyyy"));
}

} // namespace tv::store
