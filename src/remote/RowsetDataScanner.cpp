#include "remote/RowsetDataScanner.h"

#include "remote/RowsetXml.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace tv::remote::rowsetxml {

namespace {

/// A run of the document's bytes.
struct Span {
    const char* p = nullptr;
    qsizetype n = 0;

    bool operator==(Span other) const { return n == other.n && std::memcmp(p, other.p, size_t(n)) == 0; }
    bool operator==(const QByteArray& other) const { return *this == Span{other.constData(), other.size()}; }
    QString text() const { return QString::fromUtf8(p, n); }
};

/// Bytes that stand for themselves up to the next one that needs a look: `stops` and every
/// byte outside printable ASCII, other than the white space listed in `spaces`.
constexpr std::array<bool, 256> plainBytes(const char* stops, const char* spaces)
{
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c)
        plain[size_t(c)] = true;
    for (const char* s = stops; *s; ++s)
        plain[size_t(uchar(*s))] = false;
    for (const char* s = spaces; *s; ++s)
        plain[size_t(uchar(*s))] = true;
    return plain;
}

constexpr auto kValueBytes = plainBytes("&<\"'", "");
constexpr auto kTextBytes = plainBytes("&<]", "\t\n\r");

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Beyond ASCII, names follow Unicode's letter, digit and mark classes, as the document reader
// judges the names around the data section.
bool isNameStart(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
    return c < 0x10000 && QChar::isLetter(c);
}

bool isNameChar(char32_t c)
{
    if (c < 0x80)
        return isNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9');
    return c < 0x10000 && (QChar::isLetterOrNumber(c) || QChar::isMark(c) || c == 0xB7);
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

/// Decodes one UTF-8 character at `p`; its length, or 0 for a malformed or overlong sequence.
int decodeUtf8(const char* p, const char* end, char32_t* cp)
{
    const uchar b0 = uchar(*p);
    if (b0 < 0x80) {
        *cp = b0;
        return 1;
    }
    int len = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 < 0xE0) {
        len = 2, min = 0x80, *cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 < 0xF0) {
        len = 3, min = 0x800, *cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 < 0xF5) {
        len = 4, min = 0x10000, *cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (end - p < len)
        return 0;
    for (int i = 1; i < len; ++i) {
        const uchar b = uchar(p[i]);
        if ((b & 0xC0) != 0x80)
            return 0;
        *cp = (*cp << 6) | (b & 0x3F);
    }
    if (*cp < min || *cp > 0x10FFFF || (*cp >= 0xD800 && *cp <= 0xDFFF))
        return 0;
    return len;
}

void appendUtf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(char16_t(cp));
    } else {
        out.push_back(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
        out.push_back(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    }
}

const QString kXmlNamespace = QStringLiteral("http://www.w3.org/XML/1998/namespace");
const QString kNoNamespace;

class Scanner {
public:
    Scanner(const QByteArray& xml, qsizetype begin, const QStringList& attrNames, Rowset& rowset)
        : m_start(xml.constData()), m_p(m_start + begin), m_end(m_start + xml.size()), m_rowset(rowset)
    {
        for (const QString& name : attrNames)
            m_columns.push_back(name.toUtf8());
    }

    DataScan run(const QByteArray& dataName, const QList<NamespaceBinding>& scope)
    {
        m_bindings.assign(scope.begin(), scope.end());
        m_frames.push_back({Span{dataName.constData(), dataName.size()}, qsizetype(m_bindings.size()), true});
        DataScan out;
        if (scanContent()) {
            out.ok = true;
            out.end = m_endTag - m_start;
        } else {
            out.message = m_error;
        }
        return out;
    }

private:
    struct Attr {
        Span qname;
        Span prefix;
        Span local;
        const QString* uri = nullptr; ///< none for a namespace declaration
        qsizetype textPos = 0;
        qsizetype textLen = 0;
    };
    struct Frame {
        Span name;
        qsizetype bindings; ///< bindings in force before the element
        bool readsRows;
    };

    bool fail(const char* at, const QString& what)
    {
        if (m_error.isEmpty()) {
            const qsizetype offset = at - m_start;
            const qsizetype lineStart = QByteArrayView(m_start, offset).lastIndexOf('\n') + 1;
            m_error = QStringLiteral("XML error at line %1, column %2: %3")
                          .arg(QByteArrayView(m_start, offset).count('\n') + 1)
                          .arg(QString::fromUtf8(m_start + lineStart, offset - lineStart).size() + 1)
                          .arg(what);
        }
        return false;
    }

    bool startsWith(const char* s) const
    {
        const size_t n = std::strlen(s);
        return size_t(m_end - m_p) >= n && std::memcmp(m_p, s, n) == 0;
    }

    bool skipSpace()
    {
        const char* from = m_p;
        while (m_p < m_end && isSpace(*m_p))
            ++m_p;
        return m_p != from;
    }

    /// One character outside printable ASCII that is not markup: valid UTF-8 of a character XML allows.
    bool readOther(char32_t* cp)
    {
        const int len = decodeUtf8(m_p, m_end, cp);
        if (len == 0)
            return fail(m_p, QStringLiteral("malformed UTF-8"));
        if (!isXmlChar(*cp))
            return fail(m_p, QStringLiteral("a character XML does not allow"));
        m_p += len;
        return true;
    }

    bool readName(Span* name)
    {
        const char* from = m_p;
        while (m_p < m_end) {
            char32_t cp = 0;
            const int len = decodeUtf8(m_p, m_end, &cp);
            if (len == 0 || !(m_p == from ? isNameStart(cp) : isNameChar(cp)))
                break;
            m_p += len;
        }
        if (m_p == from)
            return fail(m_p, QStringLiteral("a name expected"));
        *name = Span{from, m_p - from};
        return true;
    }

    /// Splits a qualified name into prefix and local part; false unless it has at most one inner colon.
    bool splitName(Span qname, Span* prefix, Span* local)
    {
        const char* colon = static_cast<const char*>(std::memchr(qname.p, ':', size_t(qname.n)));
        if (!colon) {
            *prefix = Span{qname.p, 0};
            *local = qname;
            return true;
        }
        *prefix = Span{qname.p, colon - qname.p};
        *local = Span{colon + 1, qname.n - prefix->n - 1};
        char32_t first = 0;
        if (prefix->n == 0 || local->n == 0 || std::memchr(local->p, ':', size_t(local->n)) ||
            !decodeUtf8(local->p, local->p + local->n, &first) || !isNameStart(first))
            return fail(qname.p, QStringLiteral("'%1' is not a qualified name").arg(qname.text()));
        return true;
    }

    /// The namespace of `prefix` (an empty one: the default namespace, or none).
    const QString* namespaceOf(Span prefix)
    {
        for (auto b = m_bindings.crbegin(); b != m_bindings.crend(); ++b) {
            if (Span{prefix.p, prefix.n} == b->prefix)
                return &b->uri;
        }
        if (prefix.n == 0)
            return &kNoNamespace;
        if (prefix == QByteArrayLiteral("xml"))
            return &kXmlNamespace;
        fail(prefix.p, QStringLiteral("namespace prefix '%1' not declared").arg(prefix.text()));
        return nullptr;
    }

    /// A reference after '&': appended to the text when `keep`.
    bool readReference(bool keep)
    {
        const char* at = m_p++;
        const char* semicolon = static_cast<const char*>(std::memchr(m_p, ';', size_t(m_end - m_p)));
        if (!semicolon)
            return fail(at, QStringLiteral("an unterminated or unknown reference"));
        const Span name{m_p, semicolon - m_p};
        m_p = semicolon + 1;
        char16_t c = 0;
        if (name == QByteArrayLiteral("lt"))
            c = u'<';
        else if (name == QByteArrayLiteral("gt"))
            c = u'>';
        else if (name == QByteArrayLiteral("amp"))
            c = u'&';
        else if (name == QByteArrayLiteral("apos"))
            c = u'\'';
        else if (name == QByteArrayLiteral("quot"))
            c = u'"';
        if (c != 0) {
            if (keep)
                m_text.push_back(c);
            return true;
        }
        if (name.n < 2 || name.p[0] != '#')
            return fail(at, QStringLiteral("the entity '%1' is not declared").arg(name.text()));
        const bool hex = name.p[1] == 'x';
        const int base = hex ? 16 : 10;
        char32_t cp = 0;
        for (qsizetype i = hex ? 2 : 1; i < name.n; ++i) {
            const char d = name.p[i];
            int v = -1;
            if (d >= '0' && d <= '9')
                v = d - '0';
            else if (hex && d >= 'a' && d <= 'f')
                v = d - 'a' + 10;
            else if (hex && d >= 'A' && d <= 'F')
                v = d - 'A' + 10;
            if (v < 0)
                return fail(at, QStringLiteral("a malformed character reference"));
            cp = qMin<char32_t>(cp * char32_t(base) + char32_t(v), 0x110000);
        }
        if ((hex && name.n == 2) || !isXmlChar(cp))
            return fail(at, QStringLiteral("a character reference to a character XML does not allow"));
        if (keep)
            appendUtf16(m_text, cp);
        return true;
    }

    /// A quoted attribute value into m_text, with literal white space read as a space.
    bool readValue()
    {
        if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
            return fail(m_p, QStringLiteral("a quoted attribute value expected"));
        const char quote = *m_p++;
        for (;;) {
            const char* run = m_p;
            while (m_p < m_end && kValueBytes[uchar(*m_p)])
                ++m_p;
            const size_t old = m_text.size();
            m_text.resize(old + size_t(m_p - run));
            for (char16_t* out = m_text.data() + old; run < m_p; ++run)
                *out++ = char16_t(uchar(*run));
            if (m_p == m_end)
                return fail(m_p, QStringLiteral("the attribute value is not closed"));
            const char c = *m_p;
            char32_t cp = 0;
            if (c == quote) {
                ++m_p;
                return true;
            } else if (c == '"' || c == '\'') {
                m_text.push_back(char16_t(c));
                ++m_p;
            } else if (c == '<') {
                return fail(m_p, QStringLiteral("'<' in an attribute value"));
            } else if (c == '&') {
                if (!readReference(true))
                    return false;
            } else if (c == '\t' || c == '\n' || c == '\r') {
                m_text.push_back(u' ');
                if (*m_p++ == '\r' && m_p < m_end && *m_p == '\n')
                    ++m_p;
            } else if (!readOther(&cp)) {
                return false;
            } else {
                appendUtf16(m_text, cp);
            }
        }
    }

    /// Character data between tags: checked and passed over.
    bool skipText()
    {
        for (;;) {
            while (m_p < m_end && kTextBytes[uchar(*m_p)])
                ++m_p;
            if (m_p == m_end || *m_p == '<')
                return true;
            char32_t cp = 0;
            if (*m_p == '&') {
                if (!readReference(false))
                    return false;
            } else if (*m_p == ']') {
                if (startsWith("]]>"))
                    return fail(m_p, QStringLiteral("']]>' in text"));
                ++m_p;
            } else if (!readOther(&cp)) {
                return false;
            }
        }
    }

    /// Passes over characters up to `terminator` (not included in them), checking each.
    bool skipUntil(const char* terminator, const QString& unclosed)
    {
        for (;;) {
            if (m_p == m_end)
                return fail(m_p, unclosed);
            if (startsWith(terminator))
                return true;
            char32_t cp = 0;
            if (uchar(*m_p) >= 0x20 && uchar(*m_p) < 0x80)
                ++m_p;
            else if (!readOther(&cp))
                return false;
        }
    }

    bool skipComment()
    {
        m_p += 4;
        if (!skipUntil("--", QStringLiteral("the comment is not closed")))
            return false;
        if (!startsWith("-->"))
            return fail(m_p, QStringLiteral("'--' in a comment"));
        m_p += 3;
        return true;
    }

    bool skipCData()
    {
        m_p += 9;
        if (!skipUntil("]]>", QStringLiteral("the CDATA section is not closed")))
            return false;
        m_p += 3;
        return true;
    }

    bool skipInstruction()
    {
        m_p += 2;
        Span target;
        if (!readName(&target))
            return false;
        if (target.n == 3 && QByteArrayView(target.p, 3).compare("xml", Qt::CaseInsensitive) == 0)
            return fail(target.p, QStringLiteral("an XML declaration inside the document"));
        if (!skipSpace() && !startsWith("?>"))
            return fail(m_p, QStringLiteral("'?>' expected"));
        if (!skipUntil("?>", QStringLiteral("the processing instruction is not closed")))
            return false;
        m_p += 2;
        return true;
    }

    bool endElement()
    {
        const char* at = m_p;
        m_p += 2;
        Span name;
        if (!readName(&name))
            return false;
        skipSpace();
        if (m_p == m_end || *m_p != '>')
            return fail(m_p, QStringLiteral("'>' expected"));
        ++m_p;
        if (!(name == m_frames.back().name))
            return fail(at, QStringLiteral("the end tag %1 does not match the open element").arg(name.text()));
        m_bindings.resize(size_t(m_frames.back().bindings));
        m_frames.pop_back();
        if (m_frames.empty())
            m_endTag = at;
        return true;
    }

    /// Reads a tag's attributes up to '>' or '/>'; `*empty` tells which.
    bool readAttributes(bool* empty)
    {
        m_attrs.clear();
        m_text.clear();
        for (;;) {
            const bool spaced = skipSpace();
            if (m_p == m_end)
                return fail(m_p, QStringLiteral("the tag is not closed"));
            if (*m_p == '>' || startsWith("/>")) {
                *empty = *m_p == '/';
                m_p += *empty ? 2 : 1;
                return true;
            }
            if (!spaced)
                return fail(m_p, QStringLiteral("white space expected before an attribute"));
            Attr a;
            if (!readName(&a.qname))
                return false;
            skipSpace();
            if (m_p == m_end || *m_p != '=')
                return fail(m_p, QStringLiteral("'=' expected"));
            ++m_p;
            skipSpace();
            a.textPos = qsizetype(m_text.size());
            if (!readValue())
                return false;
            a.textLen = qsizetype(m_text.size()) - a.textPos;
            m_attrs.push_back(a);
        }
    }

    QStringView textOf(const Attr& a) const { return QStringView(m_text.data() + a.textPos, a.textLen); }

    /// Binds the tag's namespace declarations, then resolves its other attributes.
    bool resolveAttributes()
    {
        static const QByteArray xmlns = QByteArrayLiteral("xmlns");
        for (Attr& a : m_attrs) {
            if (!splitName(a.qname, &a.prefix, &a.local))
                return false;
            if (a.qname == xmlns || a.prefix == xmlns) {
                if (a.prefix == xmlns && a.textLen == 0)
                    return fail(a.qname.p, QStringLiteral("the prefix %1 is bound to nothing").arg(a.local.text()));
                m_bindings.push_back({a.prefix.n ? QByteArray(a.local.p, a.local.n) : QByteArray(), textOf(a).toString()});
            }
        }
        for (Attr& a : m_attrs) {
            if (a.qname == xmlns || a.prefix == xmlns)
                continue;
            a.uri = a.prefix.n ? namespaceOf(a.prefix) : &kNoNamespace; // no default namespace for attributes
            if (!a.uri)
                return false;
        }
        for (size_t i = 0; i < m_attrs.size(); ++i) {
            for (size_t j = 0; j < i; ++j) {
                const Attr& x = m_attrs[i];
                const Attr& y = m_attrs[j];
                const bool same = x.uri && y.uri ? x.local == y.local && *x.uri == *y.uri : x.qname == y.qname;
                if (same)
                    return fail(x.qname.p, QStringLiteral("the attribute %1 is given twice").arg(x.qname.text()));
            }
        }
        return true;
    }

    /// Attributes come in column order as a rule: try the column after the previous one first.
    int columnOf(Span name, int hint) const
    {
        const int count = int(m_columns.size());
        for (int i = 0; i < count; ++i) {
            const int column = (hint + i) % count;
            if (name == m_columns[size_t(column)])
                return column;
        }
        return -1;
    }

    bool readRow()
    {
        Row row(m_rowset.fields.size());
        const qsizetype rowNumber = m_rowset.rows.size() + 1;
        int hint = 0;
        for (const Attr& a : m_attrs) {
            if (!a.uri || !a.uri->isEmpty())
                continue;
            const int column = columnOf(a.qname, hint);
            if (column < 0)
                return fail(a.qname.p,
                            QStringLiteral("row %1 has the undefined column %2").arg(rowNumber).arg(a.qname.text()));
            hint = column + 1;
            const Field& field = m_rowset.fields[column];
            row[column] = valueFromText(field.type, textOf(a));
            if (!row[column].isValid())
                return fail(a.qname.p, QStringLiteral("row %1, column %2: \"%3\" is not a valid %4")
                                           .arg(rowNumber)
                                           .arg(field.name, textOf(a).left(40), dataTypeName(field.type)));
        }
        m_rowset.rows.append(std::move(row));
        return true;
    }

    bool startElement()
    {
        ++m_p;
        Span qname, prefix, local;
        bool empty = false;
        if (!readName(&qname) || !splitName(qname, &prefix, &local) || !readAttributes(&empty))
            return false;
        const qsizetype outer = qsizetype(m_bindings.size());
        if (!resolveAttributes())
            return false;
        const QString* uri = namespaceOf(prefix);
        if (!uri)
            return false;
        const bool inRows = m_frames.back().readsRows;
        if (inRows && *uri == kNsRow && local == QByteArrayLiteral("row") && !readRow())
            return false;
        const bool insert = inRows && m_frames.size() == 1 && *uri == kNsRowset && local == QByteArrayLiteral("insert");
        if (empty)
            m_bindings.resize(size_t(outer));
        else
            m_frames.push_back({qname, outer, insert});
        return true;
    }

    bool scanContent()
    {
        while (!m_frames.empty()) {
            if (!skipText())
                return false;
            if (m_p == m_end)
                return fail(m_p, QStringLiteral("the data section is not closed"));
            bool ok = false;
            if (startsWith("<!--"))
                ok = skipComment();
            else if (startsWith("<![CDATA["))
                ok = skipCData();
            else if (startsWith("<?"))
                ok = skipInstruction();
            else if (startsWith("</"))
                ok = endElement();
            else if (startsWith("<!"))
                ok = fail(m_p, QStringLiteral("a declaration inside the document"));
            else
                ok = startElement();
            if (!ok)
                return false;
        }
        return true;
    }

    const char* m_start;
    const char* m_p;
    const char* m_end;
    const char* m_endTag = nullptr;
    Rowset& m_rowset;
    std::vector<QByteArray> m_columns; ///< attribute name of each column, UTF-8
    std::vector<NamespaceBinding> m_bindings;
    std::vector<Frame> m_frames;
    std::vector<Attr> m_attrs;
    std::u16string m_text; ///< the values of the current tag's attributes, one after another
    QString m_error;
};

} // namespace

DataScan scanRowsetData(const QByteArray& xml, qsizetype begin, const QByteArray& dataName,
                        const QList<NamespaceBinding>& scope, const QStringList& attrNames, Rowset& rowset)
{
    return Scanner(xml, begin, attrNames, rowset).run(dataName, scope);
}

} // namespace tv::remote::rowsetxml
