#include "intake/TextTable.h"

#include <QDateTime>

namespace tv::intake {

namespace {

QString line(const QStringList& cells, const QList<int>& widths)
{
    QString out;
    for (int i = 0; i < widths.size(); ++i) {
        const QString cell = cells.value(i).simplified();
        out += i + 1 < widths.size() ? cell.leftJustified(widths[i] + 2) : cell;
    }
    return out.trimmed().isEmpty() ? QString(QLatin1Char('\n')) : out + QLatin1Char('\n');
}

} // namespace

QString TextTable::text() const
{
    QList<int> widths;
    for (const QString& header : m_headers)
        widths.append(int(header.size()));
    for (const QStringList& row : m_rows) {
        for (int i = 0; i < widths.size(); ++i)
            widths[i] = std::max(widths[i], int(row.value(i).simplified().size()));
    }
    QStringList rule;
    for (int width : widths)
        rule.append(QString(width, QLatin1Char('-')));
    QString out = line(m_headers, widths) + line(rule, widths);
    for (const QStringList& row : m_rows)
        out += line(row, widths);
    return out;
}

TextTable reportTable(const store::Rows& rows)
{
    TextTable table({QStringLiteral("LABID"), QStringLiteral("NAME"), QStringLiteral("AGE"), QStringLiteral("SEX"),
                     QStringLiteral("BDATE"), QStringLiteral("CODE"), QStringLiteral("DESCRIPTION"),
                     QStringLiteral("WDATE"), QStringLiteral("PRINTED"), QStringLiteral("ST"),
                     QStringLiteral("BATCH")});
    const auto moment = [](const QVariant& v) {
        return v.isNull() ? QString() : v.toDateTime().toString(QStringLiteral("MM/dd/yyyy hh:mm:ss AP"));
    };
    for (int row = 0; row < rows.rows.size(); ++row) {
        const auto text = [&](const char* column) { return rows.value(row, QString::fromLatin1(column)).toString(); };
        const QVariant workDate = rows.value(row, u"WDATE");
        table.addRow({text("LABID"), text("NAME"), text("AGEY"), text("SEX"), text("bdate2"), text("GENERICCODE"),
                      text("DESCRIPTION"),
                      workDate.isNull() ? QString() : workDate.toDate().toString(QStringLiteral("MM/dd/yyyy")),
                      moment(rows.value(row, u"PRINTED")), text("DSTATUS"), moment(rows.value(row, u"DBATCH"))});
    }
    return table;
}

} // namespace tv::intake
