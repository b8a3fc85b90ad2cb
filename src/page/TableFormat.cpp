#include "page/TableFormat.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace tv::page {

TableFormat TableFormat::parse(const QString& format)
{
    TableFormat result;
    if (format.isEmpty()) return result;
    for (const QString& entry : format.split(QLatin1Char('|'))) {
        TableColumn col;
        QString rest = entry;
        if (!rest.isEmpty() && QStringLiteral("<>^").contains(rest.front())) {
            col.align = rest.front();
            rest.remove(0, 1);
        }
        bool ok = false;
        const double w = rest.toDouble(&ok); // the system's decimal point is "."
        col.width = ok && std::isfinite(w) ? w : 0;
        result.columns.push_back(col);
    }
    return result;
}

QString TableFormat::toString() const
{
    QStringList entries;
    for (const TableColumn& col : columns)
        entries << col.align + QString::number(col.width, 'g', QLocale::FloatingPointShortest);
    return entries.join(QLatin1Char('|'));
}

} // namespace tv::page
