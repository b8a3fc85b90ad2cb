#include "remote/Rowset.h"
#include "remote/RowsetDataScanner.h"
#include "remote/RowsetXml.h"

#include <QBuffer>
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

} // namespace

bool rowsetxml::typeFromName(QStringView name, FieldType* type)
{
    for (const TypeName& t : kTypes) {
        if (name == QLatin1String(t.name)) {
            *type = t.type;
            return true;
        }
    }
    return false;
}

namespace {

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

} // namespace

QString rowsetxml::restoreControls(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (c.unicode() >= kControlBase && c.unicode() < kControlBase + 0x20 && isForbiddenControl(c.unicode() - kControlBase))
            c = QChar(char16_t(c.unicode() - kControlBase));
    }
    return out;
}

QVariant rowsetxml::valueFromText(FieldType type, QStringView text)
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

namespace {

/// True when the document's bytes are UTF-8, the only encoding the data scanner reads.
bool isUtf8Document(const QByteArray& xml, QStringView declared)
{
    if (xml.size() >= 2 && (xml[0] == '\0' || xml[1] == '\0' || uchar(xml[0]) >= 0xFE))
        return false; // UTF-16 or UTF-32, with or without a byte order mark
    return declared.isEmpty() || declared.compare(u"UTF-8", Qt::CaseInsensitive) == 0;
}

/// The byte offset of the character at `chars` UTF-16 units into the decoded document; -1 when
/// the bytes before it are not UTF-8.
qsizetype byteOffsetOf(const QByteArray& xml, qint64 chars)
{
    qsizetype pos = xml.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (chars > 0 && pos < xml.size()) {
        const uchar b = uchar(xml[pos]);
        const int len = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
        if (len == 0 || pos + len > xml.size())
            return -1;
        for (int i = 1; i < len; ++i) {
            if ((uchar(xml[pos + i]) & 0xC0) != 0x80)
                return -1;
        }
        chars -= len == 4 ? 2 : 1;
        pos += len;
    }
    return chars == 0 ? pos : -1;
}

QList<NamespaceBinding> bindingsOf(const QXmlStreamNamespaceDeclarations& declarations)
{
    QList<NamespaceBinding> out;
    for (const QXmlStreamNamespaceDeclaration& d : declarations)
        out.append({d.prefix().toUtf8(), d.namespaceUri().toString()});
    return out;
}

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes)
    {
        // Through a device the reader decodes only as far as it reads, not the rows it leaves to the scanner.
        m_device.setData(bytes);
        m_device.open(QIODevice::ReadOnly);
        m_xml.setDevice(&m_device);
    }

    RowsetReadResult read()
    {
        RowsetReadResult result;
        if (!readDocument() && m_error.isEmpty())
            m_error = QStringLiteral("not a rowset");
        if (m_xml.hasError())
            m_error = xmlError(m_xml, 0);
        if (!m_error.isEmpty()) {
            result.message = m_error;
            return result;
        }
        result.status = RowsetStatus::Ok;
        result.rowset = std::move(m_rowset);
        return result;
    }

private:
    static QString xmlError(const QXmlStreamReader& xml, qint64 skippedLines)
    {
        return QStringLiteral("XML error at line %1, column %2: %3")
            .arg(xml.lineNumber() + skippedLines).arg(xml.columnNumber()).arg(xml.errorString());
    }

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
        while (!m_xml.atEnd() && m_xml.readNext() != QXmlStreamReader::StartElement) {
            if (m_xml.tokenType() == QXmlStreamReader::DTD) // could declare entities and default values
                return fail(QStringLiteral("the rowset carries a document type declaration"));
            if (m_xml.tokenType() == QXmlStreamReader::StartDocument)
                m_encoding = m_xml.documentEncoding().toString();
        }
        if (!m_xml.isStartElement() || m_xml.name() != QLatin1String("xml") || !m_xml.namespaceUri().isEmpty())
            return fail(QStringLiteral("the document is not a rowset (root element <xml> missing)"));
        m_scope = bindingsOf(m_xml.namespaceDeclarations());
        bool haveSchema = false;
        while (m_xml.readNextStartElement()) {
            if (isElement(kNsSchema, QLatin1String("Schema")) && !haveSchema) {
                haveSchema = readSchema();
                if (!haveSchema)
                    return false;
            } else if (isElement(kNsRowset, QLatin1String("data")) && haveSchema) {
                return readData();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if (m_xml.hasError())
            return false;
        if (!haveSchema || m_rowset.fields.isEmpty())
            return fail(QStringLiteral("the rowset has no column definitions"));
        return fail(QStringLiteral("the rowset has no data section"));
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

    /// The data section goes to the scanner; the document around it is checked as a whole.
    bool readData()
    {
        if (m_rowset.fields.isEmpty())
            return fail(QStringLiteral("the rowset has no column definitions"));
        if (!isUtf8Document(m_bytes, m_encoding))
            return fail(QStringLiteral("the rowset is not UTF-8 encoded"));
        const qsizetype begin = byteOffsetOf(m_bytes, m_xml.characterOffset());
        if (begin < 2 || m_bytes[begin - 1] != '>')
            return fail(QStringLiteral("the rowset holds malformed UTF-8 before its data"));
        if (m_bytes[begin - 2] == '/') { // an empty section
            m_xml.skipCurrentElement();
            while (!m_xml.atEnd())
                m_xml.readNext();
            return !m_xml.hasError();
        }
        QList<NamespaceBinding> scope = m_scope;
        scope.append(bindingsOf(m_xml.namespaceDeclarations()));
        const DataScan scan =
            scanRowsetData(m_bytes, begin, m_xml.qualifiedName().toUtf8(), scope, m_attrNames, m_rowset);
        if (!scan.ok)
            return fail(scan.message);
        QXmlStreamReader rest(m_bytes.left(begin) + m_bytes.mid(scan.end));
        while (!rest.atEnd())
            rest.readNext();
        if (rest.hasError()) {
            const qint64 skipped = rest.characterOffset() > m_xml.characterOffset()
                                       ? QByteArrayView(m_bytes).sliced(begin, scan.end - begin).count('\n')
                                       : 0;
            return fail(xmlError(rest, skipped));
        }
        return true;
    }

    const QByteArray& m_bytes;
    QBuffer m_device;
    QXmlStreamReader m_xml;
    Rowset m_rowset;
    QStringList m_attrNames; ///< the attribute name of each column
    QList<NamespaceBinding> m_scope; ///< namespaces declared on the root
    QString m_encoding;              ///< as the XML declaration names it
    QString m_error;
};

} // namespace

RowsetReadResult readRowsetXml(const QByteArray& xml)
{
    return Reader(xml).read();
}

} // namespace tv::remote
