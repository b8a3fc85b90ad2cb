#include "remote/Rowset.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace tv::remote;

namespace {

Rowset everyType()
{
    Rowset rs;
    rs.fields = {
        {"LABID", FieldType::Integer, 0, 0, 0, false},
        {"BIG", FieldType::BigInt},
        {"NAME", FieldType::Text, 40},
        {"REP_CODE", FieldType::LongText},
        {"RATIO", FieldType::Float},
        {"PRICE", FieldType::Numeric, 0, 9, 2},
        {"BDATE", FieldType::Date},
        {"PROCESS", FieldType::DateTime},
        {"FLAG", FieldType::Boolean},
        {"PIC", FieldType::Binary},
        {"coalesce(A,'Y')", FieldType::Text, 1}, // not an XML name: travels under an alias
        {"c10", FieldType::Text, 5},             // a real column that looks like an alias
    };
    const QString tricky = QString::fromUtf8("a'b\"c<d>e&f\r\ng\th\x01i\x0b\x1f é € ✓ ");
    rs.rows.append(Row{7, qlonglong(1) << 40, "DOE, JANE", tricky, 0.1, 12.5, QDate(1980, 2, 29),
                       QDateTime(QDate(2026, 12, 1), QTime(13, 5, 9, 120), Qt::UTC), true,
                       QByteArray("\x00\xff\x10", 3), "Y", "alias"});
    rs.rows.append(Row{-2147483647 - 1, QVariant(), "", "", -1e300, QVariant(), QVariant(),
                       QDateTime(QDate(2026, 3, 29), QTime(2, 30), Qt::UTC), false, QByteArray(), QVariant(),
                       QString()});
    return rs;
}

} // namespace

TEST(RowsetTest, EveryTypeValueAndNullRoundTrips)
{
    const Rowset in = everyType();
    const RowsetReadResult r = readRowsetXml(writeRowsetXml(in));
    ASSERT_EQ(r.status, RowsetStatus::Ok) << r.message.toStdString();
    ASSERT_EQ(r.rowset.fields.size(), in.fields.size());
    for (qsizetype c = 0; c < in.fields.size(); ++c) {
        const Field& a = in.fields[c];
        const Field& b = r.rowset.fields[c];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.type, a.type) << a.name.toStdString();
        EXPECT_EQ(b.nullable, a.nullable);
        if (a.type == FieldType::Text) {
            EXPECT_EQ(b.maxLength, a.maxLength);
        }
        if (a.type == FieldType::Numeric) {
            EXPECT_EQ(std::pair(b.precision, b.scale), std::pair(a.precision, a.scale));
        }
    }
    ASSERT_EQ(r.rowset.rows.size(), 2);
    for (qsizetype row = 0; row < 2; ++row) {
        for (qsizetype c = 0; c < in.fields.size(); ++c) {
            const QVariant& want = in.rows[row][c];
            const QVariant& got = r.rowset.rows[row][c];
            const std::string where = "row " + std::to_string(row) + " " + in.fields[c].name.toStdString();
            if (!want.isValid()) {
                EXPECT_FALSE(got.isValid()) << where;
                continue;
            }
            EXPECT_EQ(got, want) << where << ": " << got.toString().toStdString();
        }
    }
    // an empty text is a value, not a null
    EXPECT_TRUE(r.rowset.rows[1][2].isValid());
    EXPECT_EQ(r.rowset.value(0, "rep_code").toString(), in.rows[0][3].toString());
    EXPECT_FALSE(r.rowset.value(0, "NO_SUCH").isValid());
}

TEST(RowsetTest, TypedNullFromADatabaseIsWrittenAsNull)
{
    Rowset in;
    in.fields = {{"A", FieldType::Integer}, {"B", FieldType::Text, 10}};
    in.rows = {Row{QVariant(QMetaType::fromType<int>()), QVariant(QMetaType::fromType<QString>())}};
    const QByteArray xml = writeRowsetXml(in);
    EXPECT_TRUE(xml.contains("<z:row/>")) << xml.constData();
}

TEST(RowsetTest, NoRowsKeepsTheColumns)
{
    Rowset in;
    in.fields = {{"IDX", FieldType::Integer}, {"MESS", FieldType::LongText}};
    const RowsetReadResult r = readRowsetXml(writeRowsetXml(in));
    ASSERT_EQ(r.status, RowsetStatus::Ok) << r.message.toStdString();
    EXPECT_EQ(r.rowset.fields.size(), 2);
    EXPECT_EQ(r.rowset.rows.size(), 0);
}

TEST(RowsetTest, ReadsAHandWrittenAdoDocument)
{
    const QByteArray xml = R"(<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'
	xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'
	xmlns:rs='urn:schemas-microsoft-com:rowset'
	xmlns:z='#RowsetSchema'>
<s:Schema id='RowsetSchema'>
	<s:ElementType name='row' content='eltOnly' rs:updatable='true'>
		<s:AttributeType name='ID' rs:number='1' rs:maybenull='false' dt:type='i4'/>
		<s:AttributeType name='c1' rs:name='Last Name' rs:number='2' rs:nullable='true'>
			<s:datatype dt:type='string' rs:dbtype='str' dt:maxLength='30'/>
		</s:AttributeType>
		<s:AttributeType name='MEMO' rs:number='3'>
			<s:datatype dt:type='string' dt:maxLength='2147483647' rs:long='true'/>
		</s:AttributeType>
		<s:AttributeType name='ACTIVE' rs:number='4'><s:datatype dt:type='boolean'/></s:AttributeType>
		<s:AttributeType name='SEEN' rs:number='5'><s:datatype dt:type='dateTime'/></s:AttributeType>
		<s:extends type='rs:rowbase'/>
	</s:ElementType>
</s:Schema>
<rs:data>
	<z:row ID='1' c1='Smith' MEMO='line1&#13;&#10;line2' ACTIVE='1' SEEN='2026-01-02T03:04:05.5'/>
	<rs:insert><z:row ID='2' ACTIVE='False' SEEN='2026-01-02'/></rs:insert>
</rs:data>
</xml>)";
    const RowsetReadResult r = readRowsetXml(xml);
    ASSERT_EQ(r.status, RowsetStatus::Ok) << r.message.toStdString();
    const Rowset& rs = r.rowset;
    ASSERT_EQ(rs.fields.size(), 5);
    EXPECT_EQ(rs.fields[0].type, FieldType::Integer);
    EXPECT_FALSE(rs.fields[0].nullable);
    EXPECT_EQ(rs.fields[1].name, "Last Name");
    EXPECT_EQ(rs.fields[2].type, FieldType::LongText);
    ASSERT_EQ(rs.rows.size(), 2);
    EXPECT_EQ(rs.value(0, "last name").toString(), "Smith");
    EXPECT_EQ(rs.value(0, "MEMO").toString(), "line1\r\nline2");
    EXPECT_EQ(rs.value(0, "ACTIVE").toBool(), true);
    EXPECT_EQ(rs.value(0, "SEEN").toDateTime().time(), QTime(3, 4, 5, 500));
    EXPECT_FALSE(rs.value(1, "Last Name").isValid());
    EXPECT_EQ(rs.value(1, "SEEN").toDateTime(), QDateTime(QDate(2026, 1, 2), QTime(0, 0), Qt::UTC));
}

TEST(RowsetTest, RejectsWhatIsNotAWholeRowset)
{
    const QByteArray head = "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' "
                            "xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882' "
                            "xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>";
    auto schema = [](const char* type) {
        return QByteArray("<s:Schema id='RowsetSchema'><s:ElementType name='row'>"
                          "<s:AttributeType name='A'><s:datatype dt:type='") +
               type + "'/></s:AttributeType></s:ElementType></s:Schema>";
    };
    const QByteArray good = writeRowsetXml(everyType());
    const struct {
        const char* what;
        QByteArray xml;
    } cases[] = {
        {"empty", ""},
        {"not XML", "hello"},
        {"other XML", "<html><body/></html>"},
        {"truncated", good.left(good.size() - 20)},
        {"cut inside the schema", good.left(300)},
        {"no schema", head + "<rs:data><z:row A='1'/></rs:data></xml>"},
        {"no data", head + schema("int") + "</xml>"},
        {"no columns", head + "<s:Schema id='RowsetSchema'/><rs:data/></xml>"},
        {"unknown type", head + schema("variant") + "<rs:data/></xml>"},
        {"bad integer", head + schema("int") + "<rs:data><z:row A='12x'/></rs:data></xml>"},
        {"integer overflow", head + schema("int") + "<rs:data><z:row A='99999999999'/></rs:data></xml>"},
        {"bad date", head + schema("date") + "<rs:data><z:row A='2026-02-30'/></rs:data></xml>"},
        {"bad date-time", head + schema("dateTime") + "<rs:data><z:row A='2026-01-01 10:00:00'/></rs:data></xml>"},
        {"bad boolean", head + schema("boolean") + "<rs:data><z:row A='yes'/></rs:data></xml>"},
        {"bad hex", head + schema("bin.hex") + "<rs:data><z:row A='abc'/></rs:data></xml>"},
        {"undefined column", head + schema("int") + "<rs:data><z:row B='1'/></rs:data></xml>"},
        {"column twice",
         head + "<s:Schema><s:ElementType><s:AttributeType name='A'/><s:AttributeType name='A'/></s:ElementType>"
                "</s:Schema><rs:data/></xml>"},
        {"garbage after the root", good + "<more/>"},
    };
    for (const auto& c : cases) {
        const RowsetReadResult r = readRowsetXml(c.xml);
        EXPECT_EQ(r.status, RowsetStatus::Malformed) << c.what;
        EXPECT_FALSE(r.message.isEmpty()) << c.what;
        EXPECT_TRUE(r.rowset.fields.isEmpty() && r.rowset.rows.isEmpty()) << c.what;
    }
}

namespace {

const QByteArray kHead = "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' "
                         "xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882' "
                         "xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>"
                         "<s:Schema id='RowsetSchema'><s:ElementType name='row'>"
                         "<s:AttributeType name='N'><s:datatype dt:type='int'/></s:AttributeType>"
                         "<s:AttributeType name='T'><s:datatype dt:type='string'/></s:AttributeType>"
                         "</s:ElementType></s:Schema>\n";

/// The rows of a two-column (N, T) rowset as one text, nulls as "-": "1|x;2|-".
QString rowsText(const Rowset& rs)
{
    QStringList rows;
    for (const Row& row : rs.rows) {
        QStringList values;
        for (const QVariant& v : row)
            values.append(v.isValid() ? v.toString() : QStringLiteral("-"));
        rows.append(values.join(u'|'));
    }
    return rows.join(u';');
}

} // namespace

TEST(RowsetTest, ReadsEveryWayXmlMayWriteTheRows)
{
    const struct {
        const char* what;
        QByteArray data;
        QString rows;
    } cases[] = {
        {"either quote", R"(<rs:data><z:row N="1" T='x'/></rs:data>)", "1|x"},
        {"the other quote inside", R"(<rs:data><z:row T="it's"/><z:row T='say "hi"'/></rs:data>)",
         "-|it's;-|say \"hi\""},
        {"white space around =", "<rs:data><z:row N = '1'\n\tT\t=\r\n\"x\" /></rs:data>", "1|x"},
        {"null and empty", "<rs:data><z:row N='1'/><z:row T=''/></rs:data>", "1|-;-|"},
        {"entities", "<rs:data><z:row T='&lt;&gt;&amp;&apos;&quot;'/></rs:data>", "-|<>&'\""},
        {"character references", "<rs:data><z:row T='&#65;&#x42;&#x00000043;&#0068;&#xe9;'/></rs:data>",
         QString::fromUtf8("-|ABCD\xC3\xA9")},
        {"beyond the BMP", "<rs:data><z:row T='&#x1F600;&#128512;\xF0\x9F\x98\x80'/></rs:data>",
         QString::fromUtf8("-|\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80")},
        {"UTF-8 text", "<rs:data><z:row T='\xC3\xA9\xE2\x82\xAC\xE2\x9C\x93'/></rs:data>",
         QString::fromUtf8("-|\xC3\xA9\xE2\x82\xAC\xE2\x9C\x93")},
        {"literal white space reads as spaces", "<rs:data><z:row T='a\tb\nc\r\nd\re'/></rs:data>", "-|a b c d e"},
        {"escaped white space stays", "<rs:data><z:row T='a&#9;b&#10;c&#13;&#10;d'/></rs:data>", "-|a\tb\nc\r\nd"},
        {"empty section", "<rs:data/>", ""},
        {"empty section, long form", "<rs:data></rs:data>", ""},
        {"row in long form", "<rs:data><z:row N='1'></z:row><z:row N='2'><x/>text<z:row N='3'/></z:row></rs:data>",
         "1|-;2|-"},
        {"comments, instructions, CDATA and text between rows",
         "<rs:data>\n<!-- a - b --><z:row N='1'/><?pi some thing?><![CDATA[<z:row N='9'/>]]>t &amp; &#65;<z:row "
         "N='2'/><!----></rs:data>",
         "1|-;2|-"},
        {"rows pending insertion", "<rs:data><rs:insert><z:row N='1'/><rs:insert><z:row N='9'/></rs:insert>"
                                   "</rs:insert><z:row N='2'/></rs:data>",
         "1|-;2|-"},
        {"other elements are passed over", "<rs:data><rs:update><z:row N='9'/></rs:update><other N='x' Q='1'/>"
                                           "<z:other N='y'/><z:row N='1'/></rs:data>",
         "1|-"},
        {"another prefix", "<rs:data xmlns:r='#RowsetSchema'><r:row N='1'/><q:row xmlns:q='#RowsetSchema' N='2'/>"
                           "</rs:data>",
         "1|-;2|-"},
        {"default namespace", "<rs:data xmlns='#RowsetSchema'><row N='1'/><row xmlns='' N='9'/></rs:data>", "1|-"},
        {"a prefix rebound", "<rs:data><z:row xmlns:z='other' N='9'/><z:row N='1'/></rs:data>", "1|-"},
        {"attributes in other namespaces are not columns",
         "<rs:data><z:row N='1' rs:X='a' xml:lang='en' xmlns:q='u' q:N='b'/></rs:data>", "1|-"},
        {"data section with another prefix", "<d:data xmlns:d='urn:schemas-microsoft-com:rowset'><z:row N='1'/>"
                                            "</d:data>",
         "1|-"},
    };
    for (const auto& c : cases) {
        const RowsetReadResult r = readRowsetXml(kHead + c.data + "</xml>");
        ASSERT_EQ(r.status, RowsetStatus::Ok) << c.what << ": " << r.message.toStdString();
        EXPECT_EQ(rowsText(r.rowset), c.rows) << c.what;
    }
}

TEST(RowsetTest, RefusesMalformedRows)
{
    const struct {
        const char* what;
        QByteArray data;
    } cases[] = {
        {"unterminated value", "<rs:data><z:row N='1/></rs:data>"},
        {"unknown entity", "<rs:data><z:row T='&nbsp;'/></rs:data>"},
        {"entity without ;", "<rs:data><z:row T='a &amp b'/></rs:data>"},
        {"upper-case X in a reference", "<rs:data><z:row T='&#X41;'/></rs:data>"},
        {"empty reference", "<rs:data><z:row T='&#;'/></rs:data>"},
        {"empty hex reference", "<rs:data><z:row T='&#x;'/></rs:data>"},
        {"bad digit", "<rs:data><z:row T='&#12a;'/></rs:data>"},
        {"reference to NUL", "<rs:data><z:row T='&#0;'/></rs:data>"},
        {"reference to a control", "<rs:data><z:row T='&#x1;'/></rs:data>"},
        {"reference to a surrogate", "<rs:data><z:row T='&#xD800;'/></rs:data>"},
        {"reference beyond Unicode", "<rs:data><z:row T='&#x110000;'/></rs:data>"},
        {"huge reference", "<rs:data><z:row T='&#99999999999999999999;'/></rs:data>"},
        {"'<' in a value", "<rs:data><z:row T='a<b'/></rs:data>"},
        {"literal control", "<rs:data><z:row T='a\x01'/></rs:data>"},
        {"unknown attribute", "<rs:data><z:row X='1'/></rs:data>"},
        {"duplicate attribute", "<rs:data><z:row N='1' T='a' N='2'/></rs:data>"},
        {"duplicate through two prefixes",
         "<rs:data><z:row xmlns:a='u' xmlns:b='u' a:x='1' b:x='2'/></rs:data>"},
        {"attributes not apart", "<rs:data><z:row N='1'T='x'/></rs:data>"},
        {"value not quoted", "<rs:data><z:row N=1/></rs:data>"},
        {"bad value", "<rs:data><z:row N='x'/></rs:data>"},
        {"undeclared prefix", "<rs:data><q:row N='1'/></rs:data>"},
        {"undeclared attribute prefix", "<rs:data><z:row q:N='1'/></rs:data>"},
        {"mismatched end tag", "<rs:data><z:row N='1'></x></rs:data>"},
        {"section closed by another name", "<rs:data><z:row N='1'/></z:data>"},
        {"']]>' in text", "<rs:data>a]]>b<z:row N='1'/></rs:data>"},
        {"bad reference in text", "<rs:data>&bogus;<z:row N='1'/></rs:data>"},
        {"'--' in a comment", "<rs:data><!-- a -- b --></rs:data>"},
        {"unclosed comment", "<rs:data><!-- a </rs:data>"},
        {"declaration inside", "<rs:data><!ELEMENT x ANY></rs:data>"},
        {"XML declaration inside", "<rs:data><?xml version='1.0'?></rs:data>"},
        {"bad UTF-8 in a value", "<rs:data><z:row T='\xC3('/></rs:data>"},
        {"encoded surrogate", "<rs:data><z:row T='\xED\xA0\x80'/></rs:data>"},
        {"overlong UTF-8", "<rs:data><z:row T='\xC0\xAF'/></rs:data>"},
        {"bad UTF-8 in text", "<rs:data>\xFF<z:row N='1'/></rs:data>"},
        {"broken name", "<rs:data><z:row N='1' 1x='2'/></rs:data>"},
        {"two colons", "<rs:data><z:row:x N='1'/></rs:data>"},
        {"bad after the section", "<rs:data><z:row N='1'/></rs:data><x></xml>"},
    };
    for (const auto& c : cases) {
        const RowsetReadResult r = readRowsetXml(kHead + c.data + "</xml>");
        EXPECT_EQ(r.status, RowsetStatus::Malformed) << c.what;
        EXPECT_FALSE(r.message.isEmpty()) << c.what;
        EXPECT_TRUE(r.rowset.rows.isEmpty()) << c.what;
    }
}

TEST(RowsetTest, RefusesEveryCutOfTheDataSection)
{
    const QByteArray whole = kHead + "<rs:data><z:row N='1' T='a&amp;&#x1F600;\xC3\xA9'/><!-- c -->"
                                     "<z:row N='2'></z:row></rs:data></xml>";
    ASSERT_EQ(readRowsetXml(whole).status, RowsetStatus::Ok);
    for (qsizetype n = kHead.size(); n < whole.size(); ++n)
        EXPECT_EQ(readRowsetXml(whole.left(n)).status, RowsetStatus::Malformed) << n;
}

TEST(RowsetTest, FindsTheSectionBehindAnyPrologue)
{
    const QByteArray body = "<rs:data><z:row N='1' T='x'/></rs:data></xml>";
    const QByteArray schemaWithText = QByteArray(kHead).replace("name='row'", "name='r\xC3\xA9\xF0\x9F\x98\x80'");
    const struct {
        const char* what;
        QByteArray xml;
    } cases[] = {
        {"byte order mark", "\xEF\xBB\xBF" + kHead + body},
        {"declaration", "<?xml version='1.0' encoding='utf-8'?>\r\n" + kHead + body},
        {"CR LF line ends", QByteArray(kHead).replace("\n", "\r\n") + body},
        {"non-ASCII before the section", schemaWithText + body},
        {"comment with markup before the section", kHead + "<!-- <rs:data> -->" + body},
    };
    for (const auto& c : cases) {
        const RowsetReadResult r = readRowsetXml(c.xml);
        ASSERT_EQ(r.status, RowsetStatus::Ok) << c.what << ": " << r.message.toStdString();
        EXPECT_EQ(rowsText(r.rowset), "1|x") << c.what;
    }
    // Entities and default values a type declaration could add are not read; nor is text not in UTF-8.
    EXPECT_EQ(readRowsetXml("<!DOCTYPE xml [<!ENTITY e 'v'>]>" + kHead + body).status, RowsetStatus::Malformed);
    EXPECT_EQ(readRowsetXml("<?xml version='1.0' encoding='ISO-8859-1'?>" + kHead + body).status,
              RowsetStatus::Malformed);
}
