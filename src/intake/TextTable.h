// Tables for the command line: columns padded to their widest cell, so an office can read a
// list of reports, messages or sample states in a terminal and a script can cut columns.
#pragma once

#include "store/Connection.h"

#include <QStringList>

namespace tv::intake {

class TextTable {
public:
    explicit TextTable(QStringList headers) : m_headers(std::move(headers)) {}

    void addRow(QStringList cells) { m_rows.append(std::move(cells)); }
    int rowCount() const { return int(m_rows.size()); }
    /// Header, a rule, then the rows; every line ends in a line feed.
    QString text() const;

private:
    QStringList m_headers;
    QList<QStringList> m_rows;
};

/// Stored reports as the list shows them: sample, patient, age, sex, birth date, procedure,
/// working date, printed time, status and batch.
TextTable reportTable(const store::Rows& rows);

} // namespace tv::intake
