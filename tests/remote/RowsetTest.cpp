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
