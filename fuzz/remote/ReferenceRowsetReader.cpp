#include "ReferenceRowsetReader.h"

#include "remote/RowsetXml.h"

#include <QStringList>
#include <QXmlStreamReader>

namespace tv::remote::reference {

using namespace rowsetxml;

namespace {

class Reader {
public:
    explicit Reader(const QByteArray& xml) : m_xml(xml) {}

    std::optional<Rowset> read()
    {
        if (!readDocument() || m_xml.hasError() || m_rowset.fields.isEmpty())
            return std::nullopt;
        return m_rowset;
    }

private:
    bool is(const QString& ns, QLatin1String name) const
    {
        return m_xml.namespaceUri() == ns && m_xml.name() == name;
    }

    bool readDocument()
    {
        if (!m_xml.readNextStartElement() || m_xml.name() != QLatin1String("xml") || !m_xml.namespaceUri().isEmpty())
            return false;
        bool haveSchema = false;
        bool haveData = false;
        while (m_xml.readNextStartElement()) {
            if (is(kNsSchema, QLatin1String("Schema")) && !haveSchema) {
                if (!(haveSchema = readSchema()))
                    return false;
            } else if (is(kNsRowset, QLatin1String("data")) && haveSchema && !haveData) {
                if (!(haveData = readData(false)))
                    return false;
            } else {
                m_xml.skipCurrentElement();
            }
        }
        while (!m_xml.atEnd())
            m_xml.readNext();
        return haveData && !m_xml.hasError();
    }

    bool readSchema()
    {
        while (m_xml.readNextStartElement()) {
            if (!is(kNsSchema, QLatin1String("ElementType"))) {
                m_xml.skipCurrentElement();
                continue;
            }
            while (m_xml.readNextStartElement()) {
                if (is(kNsSchema, QLatin1String("AttributeType")) && !readColumn())
                    return false;
                if (!is(kNsSchema, QLatin1String("AttributeType")))
                    m_xml.skipCurrentElement();
            }
        }
        return !m_xml.hasError();
    }

    void typeOf(QString* typeName, bool* longFlag) const
    {
        const QXmlStreamAttributes a = m_xml.attributes();
        if (a.hasAttribute(kNsDataType, QStringLiteral("type")))
            *typeName = a.value(kNsDataType, QStringLiteral("type")).toString();
        if (a.value(kNsRowset, QStringLiteral("long")).compare(u"true", Qt::CaseInsensitive) == 0)
            *longFlag = true;
    }

    bool readColumn()
    {
        const QString name = m_xml.attributes().value(QStringLiteral("name")).toString();
        if (name.isEmpty() || m_names.contains(name))
            return false;
        QString typeName = QStringLiteral("string");
        bool longFlag = false;
        typeOf(&typeName, &longFlag);
        while (m_xml.readNextStartElement()) {
            if (is(kNsSchema, QLatin1String("datatype")))
                typeOf(&typeName, &longFlag);
            m_xml.skipCurrentElement();
        }
        Field field;
        if (!typeFromName(typeName, &field.type))
            return false;
        if (field.type == FieldType::Text && longFlag)
            field.type = FieldType::LongText;
        m_names.append(name);
        m_rowset.fields.append(field);
        return !m_xml.hasError();
    }

    bool readData(bool insideInsert)
    {
        while (m_xml.readNextStartElement()) {
            if (is(kNsRow, QLatin1String("row"))) {
                Row row(m_rowset.fields.size());
                for (const QXmlStreamAttribute& attr : m_xml.attributes()) {
                    if (!attr.namespaceUri().isEmpty())
                        continue;
                    const qsizetype column = m_names.indexOf(attr.name());
                    if (column < 0 || !(row[column] = valueFromText(m_rowset.fields[column].type, attr.value())).isValid())
                        return false;
                }
                m_rowset.rows.append(row);
                m_xml.skipCurrentElement();
            } else if (!insideInsert && is(kNsRowset, QLatin1String("insert"))) {
                if (!readData(true))
                    return false;
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return !m_xml.hasError();
    }

    QXmlStreamReader m_xml;
    Rowset m_rowset;
    QStringList m_names;
};

} // namespace

std::optional<Rowset> readRowset(const QByteArray& xml)
{
    return Reader(xml).read();
}

} // namespace tv::remote::reference
