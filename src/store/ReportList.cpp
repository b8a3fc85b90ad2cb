#include "store/ReportList.h"

namespace tv::store {

const QString ReportList::kLabIdNotice = QStringLiteral("Search LabID needs a whole number");

bool ReportList::open(const QString& sql, const QList<QVariant>& values)
{
    m_rows = Rows();
    m_open = false;
    m_error.clear();
    QueryResult answer = m_db.select(sql, values);
    if (!answer.ok) {
        m_error = answer.message;
        return false;
    }
    m_rows = std::move(answer.rows);
    const int age = m_rows.columnIndex(u"AGE");
    const int ageUnit = m_rows.columnIndex(u"AGEU");
    const int birth = m_rows.columnIndex(u"BDATE");
    m_rows.columns << QStringLiteral("AGEY") << QStringLiteral("bdate2");
    for (QVariantList& row : m_rows.rows) {
        const QVariant none;
        row << ageYears(age < 0 ? none : row.at(age), ageUnit < 0 ? none : row.at(ageUnit))
            << birthDateText(birth < 0 ? none : row.at(birth));
    }
    m_open = true;
    return rebuildTabs();
}

bool ReportList::rebuildTabs()
{
    m_tabs = QStringList{kAllRecordsTab};
    const QueryResult batches = m_db.select(todayBatchesSql(channel()), {m_pickerDate});
    if (!batches.ok) {
        m_error = batches.message;
        return false;
    }
    for (const QVariantList& batch : batches.rows.rows)
        m_tabs << batchTabText(batch.value(0).toDateTime(), batch.value(1).toInt());
    return true;
}

bool ReportList::ListByWorkDate(const QDate& date)
{
    return open(listByWorkDateSql(channel(), m_filter), {date});
}

bool ReportList::ListByBatchDate(const QDate& date)
{
    return open(listByBatchDateSql(channel(), m_filter), {date});
}

bool ReportList::ListByBatch(const QDateTime& moment)
{
    return open(listByBatchSql(channel(), m_filter), {moment, moment.addSecs(1)});
}

bool ReportList::searchByLabId(const QString& typed)
{
    m_filter = PrintedFilter::All;
    const std::optional<QString> sql = searchByLabIdSql(channel(), typed);
    if (!sql) {
        m_rows = Rows();
        m_open = false;
        m_error = kLabIdNotice;
        return false;
    }
    return open(*sql, {});
}

bool ReportList::searchByName(const QString& typed)
{
    m_filter = PrintedFilter::All;
    return open(searchByNameSql(channel(), typed), {});
}

bool ReportList::chooseTab(int index)
{
    if (index < 0 || index >= m_tabs.size())
        return false;
    const std::optional<QDateTime> moment = batchMomentFromTab(m_pickerDate, m_tabs.at(index));
    return moment ? ListByBatch(*moment) : ListByBatchDate(m_pickerDate);
}

bool ReportList::closeSearchPanel(bool byDownloadDate)
{
    return byDownloadDate ? ListByBatchDate(m_pickerDate) : ListByWorkDate(m_pickerDate);
}

bool ReportList::switchReferenceMode(const QDate& today)
{
    m_referenceMode = !m_referenceMode;
    return ListByBatchDate(today);
}

} // namespace tv::store
