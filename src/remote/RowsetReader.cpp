#include "remote/Rowset.h"
#include "remote/RowsetXml.h"

#include <QDateTime>
#include <QStringList>
#include <QXmlStreamReader>
#include <cctype>

namespace tv::remote {

using namespace rowsetxml;

namespace {

struct TypeName {
    const char* name;
    FieldType type;
};

constexpr TypeName kTypes[] = {
    {"int", FieldType::Integer},     {"i4", FieldType::Integer},       {"i2", FieldType::Integer},
    {"i1", FieldType::Integer},      {"ui1", FieldType::Integer},      {"ui2", FieldType::Integer},
    {"ui4", FieldType::BigInt},      {"i8", FieldType::BigInt},        {"ui8", FieldType::BigInt},
    {"string", FieldType::Text},     {"uuid", FieldType::Text},        {"float", FieldType::Float},
    {"r8", FieldType::Float},        {"r4", FieldType::Float},         {"number", FieldType::Numeric},
    {"fixed.14.4", FieldType::Numeric}, {"date", FieldType::Date},     {"dateTime", FieldType::DateTime},
    {"boolean", FieldType::Boolean}, {"bin.hex", FieldType::Binary},
};

bool typeFromName(QStringView name, FieldType* type)
{
    for (const TypeName& t : kTypes) {
        if (name == QLatin1String(t.name)) {
            *type = t.type;
            return true;
        }
    }
    return false;
}

/// Reads `count` decimal digits at `pos`; -1 when any is missing.
int digits(QStringView s, qsizetype pos, int count)
{
    if (pos + count > s.size())
        return -1;
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = s[pos + i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

QDate parseDate(QStringView s)
{
    if (s.size() < 10 || s[4] != u'-' || s[7] != u'-')
        return {};
    const int year = digits(s, 0, 4);
    return year > 0 ? QDate(year, digits(s, 5, 2), digits(s, 8, 2)) : QDate();
}

/// `yyyy-mm-ddThh:nn:ss[.fraction]`; a bare date means midnight.
QDateTime parseDateTime(QStringView s)
{
    const QDate date = parseDate(s);
    if (!date.isValid())
        return {};
    if (s.size() == 10)
        return QDateTime(date, QTime(0, 0), Qt::UTC);
    if (s.size() < 19 || s[10] != u'T' || s[13] != u':' || s[16] != u':')
        return {};
    int msec = 0;
    if (s.size() > 19) {
        if (s[19] != u'.' || s.size() == 20)
            return {};
        for (qsizetype i = 20; i < s.size(); ++i) {
            const int d = digits(s, i, 1);
            if (d < 0)
                return {};
            if (i < 23)
                msec = msec * 10 + d;
        }
        for (qsizetype i = qMin<qsizetype>(s.size(), 23); i < 23; ++i)
            msec *= 10;
    }
    const QTime time(digits(s, 11, 2), digits(s, 14, 2), digits(s, 17, 2), msec);
    if (!time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

QString restoreControls(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (c.unicode() >= kControlBase && c.unicode() < kControlBase + 0x20 && isForbiddenControl(c.unicode() - kControlBase))
            c = QChar(char16_t(c.unicode() - kControlBase));
    }
    return out;
}

/// Converts one attribute text to the column's value; an invalid QVariant when the text does not fit.
QVariant parseValue(FieldType type, QStringView text)
{
    bool ok = false;
    switch (type) {
    case FieldType::Integer: {
        const int v = text.toInt(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    case FieldType::BigInt: {
        const qlonglong v = text.toLongLong(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    case FieldType::Text:
    case FieldType::LongText:
        return restoreControls(text);
    case FieldType::Float:
    case FieldType::Numeric: {
        const double v = text.toDouble(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    case FieldType::Date: {
        const QDate d = text.size() == 10 ? parseDate(text) : parseDateTime(text).date();
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::DateTime: {
        const QDateTime dt = parseDateTime(text);
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    case FieldType::Boolean:
        if (text == u"1" || text.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (text == u"0" || text.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
        return {};
    case FieldType::Binary: {
        if (text.size() % 2 != 0)
            return {};
        for (const QChar c : text) {
            if (!std::isxdigit(c.unicode() < 128 ? int(c.unicode()) : 0))
                return {};
        }
        return QByteArray::fromHex(text.toLatin1());
    }
    }
    return {};
}

class Reader {
public:
    explicit Reader(const QByteArray& xml) : m_xml(xml) {}

    RowsetReadResult read()
    {
        RowsetReadResult result;
        if (!readDocument() && m_error.isEmpty())
            m_error = QStringLiteral("not a rowset");
        if (m_xml.hasError())
            m_error = QStringLiteral("XML error at line %1, column %2: %3")
                          .arg(m_xml.lineNumber()).arg(m_xml.columnNumber()).arg(m_xml.errorString());
        if (!m_error.isEmpty()) {
            result.message = m_error;
            return result;
        }
        result.status = RowsetStatus::Ok;
        result.rowset = std::move(m_rowset);
        return result;
    }

private:
    bool fail(const QString& message)
    {
        if (m_error.isEmpty())
            m_error = message;
        return false;
    }

    bool isElement(const QString& ns, QLatin1String name) const
    {
        return m_xml.namespaceUri() == ns && m_xml.name() == name;
    }

    bool readDocument()
    {
        if (!m_xml.readNextStartElement() || m_xml.name() != QLatin1String("xml") || !m_xml.namespaceUri().isEmpty())
            return fail(QStringLiteral("the document is not a rowset (root element <xml> missing)"));
        bool haveSchema = false;
        bool haveData = false;
        while (m_xml.readNextStartElement()) {
            if (isElement(kNsSchema, QLatin1String("Schema")) && !haveSchema) {
                haveSchema = readSchema();
                if (!haveSchema)
                    return false;
            } else if (isElement(kNsRowset, QLatin1String("data")) && haveSchema && !haveData) {
                haveData = readData();
                if (!haveData)
                    return false;
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if (m_xml.hasError())
            return false;
        if (!haveSchema || m_rowset.fields.isEmpty())
            return fail(QStringLiteral("the rowset has no column definitions"));
        if (!haveData)
            return fail(QStringLiteral("the rowset has no data section"));
        while (!m_xml.atEnd())
            m_xml.readNext();
        return !m_xml.hasError();
    }

    bool readSchema()
    {
        while (m_xml.readNextStartElement()) {
            if (isElement(kNsSchema, QLatin1String("ElementType"))) {
                while (m_xml.readNextStartElement()) {
                    if (isElement(kNsSchema, QLatin1String("AttributeType"))) {
                        if (!readAttributeType())
                            return false;
                    } else {
                        m_xml.skipCurrentElement();
                    }
                }
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return !m_xml.hasError();
    }

    /// Type attributes may sit on s:AttributeType itself or on its s:datatype child.
    bool applyTypeAttributes(Field& field, bool* longFlag, QString* typeName)
    {
        const QXmlStreamAttributes attrs = m_xml.attributes();
        if (attrs.hasAttribute(kNsDataType, QStringLiteral("type")))
            *typeName = attrs.value(kNsDataType, QStringLiteral("type")).toString();
        if (attrs.hasAttribute(kNsDataType, QStringLiteral("maxLength")))
            field.maxLength = int(qBound(qlonglong(0), attrs.value(kNsDataType, QStringLiteral("maxLength")).toLongLong(),
                                         qlonglong(INT_MAX)));
        if (attrs.hasAttribute(kNsRowset, QStringLiteral("precision")))
            field.precision = attrs.value(kNsRowset, QStringLiteral("precision")).toInt();
        if (attrs.hasAttribute(kNsRowset, QStringLiteral("scale")))
            field.scale = attrs.value(kNsRowset, QStringLiteral("scale")).toInt();
        if (attrs.value(kNsRowset, QStringLiteral("long")).compare(u"true", Qt::CaseInsensitive) == 0)
            *longFlag = true;
        if (attrs.value(kNsRowset, QStringLiteral("maybenull")).compare(u"false", Qt::CaseInsensitive) == 0)
            field.nullable = false;
        return true;
    }

    bool readAttributeType()
    {
        const QXmlStreamAttributes attrs = m_xml.attributes();
        const QString attrName = attrs.value(QStringLiteral("name")).toString();
        if (attrName.isEmpty())
            return fail(QStringLiteral("a column definition has no name"));
        if (m_attrNames.contains(attrName))
            return fail(QStringLiteral("column %1 is defined twice").arg(attrName));
        Field field;
        field.name = attrs.hasAttribute(kNsRowset, QStringLiteral("name"))
                         ? restoreControls(attrs.value(kNsRowset, QStringLiteral("name")))
                         : attrName;
        bool longFlag = false;
        QString typeName = QStringLiteral("string");
        applyTypeAttributes(field, &longFlag, &typeName);
        while (m_xml.readNextStartElement()) {
            if (isElement(kNsSchema, QLatin1String("datatype")))
                applyTypeAttributes(field, &longFlag, &typeName);
            m_xml.skipCurrentElement();
        }
        if (!typeFromName(typeName, &field.type))
            return fail(QStringLiteral("column %1 has the unknown type %2").arg(field.name, typeName));
        if (field.type == FieldType::Text && longFlag)
            field.type = FieldType::LongText;
        m_attrNames.append(attrName);
        m_rowset.fields.append(field);
        return !m_xml.hasError();
    }

    bool readData(bool insideInsert = false)
    {
        while (m_xml.readNextStartElement()) {
            if (isElement(kNsRow, QLatin1String("row"))) {
                if (!readRow())
                    return false;
                m_xml.skipCurrentElement();
            } else if (!insideInsert && isElement(kNsRowset, QLatin1String("insert"))) {
                if (!readData(true)) // rows pending insertion are rows too
                    return false;
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return !m_xml.hasError();
    }

    bool readRow()
    {
        Row row(m_rowset.fields.size());
        const qsizetype rowNumber = m_rowset.rows.size() + 1;
        int hint = 0;
        for (const QXmlStreamAttribute& attr : m_xml.attributes()) {
            if (!attr.namespaceUri().isEmpty())
                continue;
            const int column = columnOf(attr.name(), hint);
            hint = column + 1;
            if (column < 0)
                return fail(QStringLiteral("row %1 has the undefined column %2").arg(rowNumber).arg(attr.name()));
            const Field& field = m_rowset.fields[column];
            row[column] = parseValue(field.type, attr.value());
            if (!row[column].isValid())
                return fail(QStringLiteral("row %1, column %2: \"%3\" is not a valid %4")
                                .arg(rowNumber).arg(field.name, attr.value().left(40), dataTypeName(field.type)));
        }
        m_rowset.rows.append(std::move(row));
        return true;
    }

    /// Attributes come in column order as a rule: try the column after the previous one first.
    int columnOf(QStringView attrName, int hint) const
    {
        const int count = int(m_attrNames.size());
        for (int i = 0; i < count; ++i) {
            const int column = (hint + i) % count;
            if (m_attrNames[column] == attrName)
                return column;
        }
        return -1;
    }

    QXmlStreamReader m_xml;
    Rowset m_rowset;
    QStringList m_attrNames; ///< the attribute name of each column
    QString m_error;
};

} // namespace

RowsetReadResult readRowsetXml(const QByteArray& xml)
{
    return Reader(xml).read();
}

} // namespace tv::remote
