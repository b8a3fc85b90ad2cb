// The report list: the one list of stored reports shown at a time (by working date, download
// date, batch, or a search), the batch tabs of the picked day, and the reference-laboratory
// mode that swaps every table and procedure for its twin. Rows are loaded whole on each listing.
#pragma once

#include "store/Connection.h"
#include "store/ReportListSql.h"

#include <QStringList>

namespace tv::store {


class ReportList {
public:
    explicit ReportList(Connection& db) : m_db(db) {}

    bool referenceMode() const { return m_referenceMode; }
    Channel channel() const { return channelFor(m_referenceMode); }
    PrintedFilter printedFilter() const { return m_filter; }
    void setPrintedFilter(PrintedFilter filter) { m_filter = filter; }
    /// The date of the list's date picker: the tabs always name that day's batches.
    void setPickerDate(const QDate& date) { m_pickerDate = date; }
    QDate pickerDate() const { return m_pickerDate; }

    bool ListByWorkDate(const QDate& date);
    bool ListByBatchDate(const QDate& date);
    bool ListByBatch(const QDateTime& moment);
    /// Resets the filter to all reports; a text that is not a whole number is refused (notice
    /// text in error()) and runs no SQL.
    bool searchByLabId(const QString& typed);
    bool searchByName(const QString& typed);
    /// tBatchsChange: "All Records" lists the picked day's downloads, any other tab its batch.
    bool chooseTab(int index);
    /// The search panel's close: by download date or by working date, for the picked day.
    bool closeSearchPanel(bool byDownloadDate);
    /// Flips the mode and lists today's downloads of the new channel.
    bool switchReferenceMode(const QDate& today);

    /// The table's columns followed by AGEY and bdate2.
    const Rows& rows() const { return m_rows; }
    const QStringList& tabs() const { return m_tabs; }
    bool isOpen() const { return m_open; }
    const QString& error() const { return m_error; }

    static const QString kLabIdNotice;

private:
    bool open(const QString& sql, const QList<QVariant>& values);
    bool rebuildTabs();

    Connection& m_db;
    bool m_referenceMode = false;
    PrintedFilter m_filter = PrintedFilter::All;
    QDate m_pickerDate = QDate::currentDate();
    Rows m_rows;
    QStringList m_tabs;
    bool m_open = false;
    QString m_error;
};

} // namespace tv::store
