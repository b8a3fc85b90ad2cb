// The table format of flowing table rows: "|"-separated column entries, each an optional
// alignment character ("<", ">", "^") and a width in inches. Parsing never fails: entries that
// are not numbers give width 0, as the page scripts rely on.
#pragma once

#include <QString>
#include <vector>

namespace tv::page {

struct TableColumn {
    QChar align = QLatin1Char('<'); ///< '<' left, '>' right, '^' centred
    double width = 0;               ///< inches, as written (may be negative; the column uses |width|)
};

struct TableFormat {
    std::vector<TableColumn> columns;

    static TableFormat parse(const QString& format);
    /// Alignment plus the width in shortest decimal form, joined by "|".
    QString toString() const;
};

} // namespace tv::page
