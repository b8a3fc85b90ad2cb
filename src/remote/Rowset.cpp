#include "remote/Rowset.h"

#include "remote/RowsetXml.h"

namespace tv::remote {

int Rowset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Rowset::value(qsizetype row, const QString& name) const
{
    const int column = fieldIndex(name);
    if (column < 0 || row < 0 || row >= rows.size())
        return {};
    return rows[row][column];
}

void Rowset::clear()
{
    fields.clear();
    rows.clear();
}

namespace rowsetxml {

QString dataTypeName(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
        return QStringLiteral("int");
    case FieldType::BigInt:
        return QStringLiteral("i8");
    case FieldType::Text:
    case FieldType::LongText:
        return QStringLiteral("string");
    case FieldType::Float:
        return QStringLiteral("float");
    case FieldType::Numeric:
        return QStringLiteral("number");
    case FieldType::Date:
        return QStringLiteral("date");
    case FieldType::DateTime:
        return QStringLiteral("dateTime");
    case FieldType::Boolean:
        return QStringLiteral("boolean");
    case FieldType::Binary:
        return QStringLiteral("bin.hex");
    }
    return QStringLiteral("string");
}

} // namespace rowsetxml

} // namespace tv::remote
