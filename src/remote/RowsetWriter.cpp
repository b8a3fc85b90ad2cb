#include "remote/Rowset.h"
#include "remote/RowsetXml.h"

#include <QDateTime>
#include <QLocale>
#include <QSet>
#include <QXmlStreamWriter>
#include <optional>

namespace tv::remote {

using namespace rowsetxml;

namespace {

bool isXmlName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1String("xml"), Qt::CaseInsensitive))
        return false;
    const QChar first = name.front();
    if (!first.isLetter() && first != QLatin1Char('_'))
        return false;
    for (const QChar c : name) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_') && c != QLatin1Char('-') && c != QLatin1Char('.'))
            return false;
    }
    return true;
}

/// Attribute names for the columns: the column name itself, or a unique alias `cN`.
QStringList attributeNames(const QList<Field>& fields)
{
    QSet<QString> taken;
    for (const Field& f : fields) {
        if (isXmlName(f.name))
            taken.insert(f.name);
    }
    QStringList names;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        QString name = fields[i].name;
        if (!isXmlName(name)) {
            int n = int(i);
            do
                name = QStringLiteral("c%1").arg(n++);
            while (taken.contains(name));
            taken.insert(name);
        }
        names.append(name);
    }
    return names;
}

QString xmlSafeText(const QString& text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out[i].unicode();
        if (isForbiddenControl(c)) {
            out[i] = QChar(char16_t(kControlBase + c));
        } else if (QChar::isHighSurrogate(c) && i + 1 < out.size() && QChar::isLowSurrogate(out[i + 1].unicode())) {
            ++i;
        } else if (QChar::isSurrogate(c) || c == 0xFFFE || c == 0xFFFF) {
            out[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return out;
}

QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

/// The attribute text of a non-null value; none when the value has no valid form (an invalid date).
std::optional<QString> valueText(const Field& field, const QVariant& value)
{
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::BigInt:
        return QString::number(value.toLongLong());
    case FieldType::Text:
    case FieldType::LongText:
        return xmlSafeText(value.toString());
    case FieldType::Float:
    case FieldType::Numeric:
        return numberText(value.toDouble());
    case FieldType::Date: {
        const QDate date = value.toDate();
        if (!date.isValid())
            return std::nullopt;
        return date.toString(Qt::ISODate);
    }
    case FieldType::DateTime: {
        const QDateTime dt = value.toDateTime();
        if (!dt.isValid())
            return std::nullopt;
        const QTime t = dt.time();
        return dt.date().toString(Qt::ISODate) + QLatin1Char('T') +
               t.toString(t.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
    }
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Binary:
        return QString::fromLatin1(value.toByteArray().toHex());
    }
    return std::nullopt;
}

void writeDataType(QXmlStreamWriter& w, const Field& field)
{
    w.writeEmptyElement(kNsSchema, QStringLiteral("datatype"));
    w.writeAttribute(kNsDataType, QStringLiteral("type"), dataTypeName(field.type));
    auto rs = [&w](const char* name, const QString& value) {
        w.writeAttribute(kNsRowset, QLatin1String(name), value);
    };
    auto maxLength = [&w](qint64 n) { w.writeAttribute(kNsDataType, QStringLiteral("maxLength"), QString::number(n)); };
    const QString yes = QStringLiteral("true");
    switch (field.type) {
    case FieldType::Integer:
        maxLength(4), rs("precision", QStringLiteral("10")), rs("fixedlength", yes);
        break;
    case FieldType::BigInt:
        maxLength(8), rs("precision", QStringLiteral("19")), rs("fixedlength", yes);
        break;
    case FieldType::Text:
        rs("dbtype", QStringLiteral("str")), maxLength(qMax(field.maxLength, 0));
        break;
    case FieldType::LongText:
    case FieldType::Binary:
        maxLength(2147483647), rs("long", yes);
        break;
    case FieldType::Float:
        maxLength(8), rs("precision", QStringLiteral("15")), rs("fixedlength", yes);
        break;
    case FieldType::Numeric:
        rs("dbtype", QStringLiteral("numeric")), maxLength(19);
        rs("scale", QString::number(field.scale)), rs("precision", QString::number(field.precision));
        rs("fixedlength", yes);
        break;
    case FieldType::Date:
        maxLength(6), rs("fixedlength", yes);
        break;
    case FieldType::DateTime:
        rs("dbtype", QStringLiteral("timestamp")), maxLength(16), rs("scale", QStringLiteral("0"));
        rs("precision", QStringLiteral("19")), rs("fixedlength", yes);
        break;
    case FieldType::Boolean:
        maxLength(2), rs("fixedlength", yes);
        break;
    }
    if (!field.nullable)
        rs("maybenull", QStringLiteral("false"));
}

void writeSchema(QXmlStreamWriter& w, const QList<Field>& fields, const QStringList& names)
{
    w.writeStartElement(kNsSchema, QStringLiteral("Schema"));
    w.writeAttribute(QStringLiteral("id"), QStringLiteral("RowsetSchema"));
    w.writeStartElement(kNsSchema, QStringLiteral("ElementType"));
    w.writeAttribute(QStringLiteral("name"), QStringLiteral("row"));
    w.writeAttribute(QStringLiteral("content"), QStringLiteral("eltOnly"));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        w.writeStartElement(kNsSchema, QStringLiteral("AttributeType"));
        w.writeAttribute(QStringLiteral("name"), names[i]);
        if (names[i] != f.name)
            w.writeAttribute(kNsRowset, QStringLiteral("name"), xmlSafeText(f.name));
        w.writeAttribute(kNsRowset, QStringLiteral("number"), QString::number(i + 1));
        if (f.nullable)
            w.writeAttribute(kNsRowset, QStringLiteral("nullable"), QStringLiteral("true"));
        w.writeAttribute(kNsRowset, QStringLiteral("writeunknown"), QStringLiteral("true"));
        writeDataType(w, f);
        w.writeEndElement();
    }
    w.writeEmptyElement(kNsSchema, QStringLiteral("extends"));
    w.writeAttribute(QStringLiteral("type"), QStringLiteral("rs:rowbase"));
    w.writeEndElement(); // ElementType
    w.writeEndElement(); // Schema
}

} // namespace

QByteArray writeRowsetXml(const Rowset& rowset)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartElement(QStringLiteral("xml"));
    w.writeNamespace(kNsSchema, QStringLiteral("s"));
    w.writeNamespace(kNsDataType, QStringLiteral("dt"));
    w.writeNamespace(kNsRowset, QStringLiteral("rs"));
    w.writeNamespace(kNsRow, QStringLiteral("z"));
    const QStringList names = attributeNames(rowset.fields);
    writeSchema(w, rowset.fields, names);
    w.writeStartElement(kNsRowset, QStringLiteral("data"));
    for (const Row& row : rowset.rows) {
        w.writeEmptyElement(kNsRow, QStringLiteral("row"));
        for (qsizetype i = 0; i < rowset.fields.size() && i < row.size(); ++i) {
            if (row[i].isNull())
                continue;
            if (const std::optional<QString> text = valueText(rowset.fields[i], row[i]))
                w.writeAttribute(names[i], *text);
        }
    }
    w.writeEndElement(); // data
    w.writeEndElement(); // xml
    w.writeEndDocument();
    return out;
}

} // namespace tv::remote
