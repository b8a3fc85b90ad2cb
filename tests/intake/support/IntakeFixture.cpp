#include "IntakeFixture.h"

#include "../../store/StoreFixture.h"

#include "remote/FormEncoding.h"
#include "remote/PackScript.h"
#include "store/ConfigStore.h"
#include "store/LocalDatabase.h"
#include "store/SchemaUpdater.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QTemporaryDir>

namespace tv::intake::test {

using remote::FieldType;

remote::Rowset reportRowset(const QList<ReportSpec>& reports, bool withHl7)
{
    remote::Rowset rows;
    rows.fields = {{"LABID", FieldType::Integer},      {"NAME", FieldType::Text, 40},
                   {"SEX", FieldType::Text, 1},        {"BDATE", FieldType::Date},
                   {"AGE", FieldType::Integer},        {"AGEU", FieldType::Text, 1},
                   {"ACCOUNT", FieldType::Integer},    {"WDATE", FieldType::Date},
                   {"PROCESS", FieldType::DateTime},   {"PHYSICIAN", FieldType::Text, 30},
                   {"LOCATION", FieldType::Text, 30},  {"ROOM", FieldType::Text, 10},
                   {"EXLABID", FieldType::Text, 20},   {"GENERICCODE", FieldType::Text, 8},
                   {"DESCRIPTION", FieldType::Text, 40}, {"SS", FieldType::Text, 11},
                   {"PRINTED", FieldType::DateTime},   {"REP_CODE", FieldType::LongText},
                   {"MEDONEID", FieldType::Text, 20}};
    if (withHl7)
        rows.fields.append({"HL7", FieldType::LongText});
    for (const ReportSpec& r : reports) {
        remote::Row row{r.labId, r.name, "F", r.birthDate, 56, "Y", r.account, r.workDate, r.process, "DR. LOPEZ",
                        "ER", "12", QStringLiteral("CH-%1").arg(r.labId), r.code, "PANEL " + r.code, "123-45-6789",
                        r.printed, QStringLiteral("LABID = %1\r\nGENERICCODE = \"%2\"").arg(r.labId).arg(r.code),
                        QStringLiteral("M%1").arg(r.labId)};
        if (withHl7)
            row.append(QStringLiteral("MSH|^~\\&|%1").arg(r.labId));
        rows.rows.append(row);
    }
    return rows;
}

void dropColumn(remote::Rowset& rows, const QString& name)
{
    const int column = rows.fieldIndex(name);
    rows.fields.removeAt(column);
    for (remote::Row& row : rows.rows)
        row.removeAt(column);
}

namespace {

// Creating a store with its whole schema takes seconds; each test starts from a copy of one.
QString templateStore()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        store::Connection db;
        const store::OpenOutcome opened = store::openDatabase(db, folder.path());
        if (!opened.ok)
            return QString();
        db.close();
        store::SchemaUpdater updater(opened.location);
        if (!updater.runUpdateStep(1).ok || !updater.runUpdateStep(2).ok || !db.open(opened.location).ok ||
            !store::ConfigStore(db).addConfig("USER.ACCOUNT", "1001").ok)
            return QString();
        db.close();
        return opened.location;
    }();
    return path;
}

} // namespace

void IntakeFixture::SetUp()
{
    const QString source = templateStore();
    ASSERT_FALSE(source.isEmpty());
    const QString location = m_dir.filePath(store::kDefaultDatabaseName);
    ASSERT_TRUE(QFile::copy(source, location));
    ASSERT_TRUE(m_db.open(location).ok);

    startServer();
    writeListForServer();
    m_server->setHandler([this](const remote::test::RecordedRequest& rq) {
        if (rq.path.endsWith("/ack"))
            return remote::test::reply(200, "OK");
        const remote::FormDecodeResult form = remote::formDecode(rq.body);
        QByteArray sql;
        for (const remote::FormField& f : form.fields) {
            if (f.name == "SQL")
                sql = f.value;
        }
        if (rq.path.endsWith("/SCRIPT"))
            sql = remote::unpackScript(sql).data;
        const QString statement = text::fromCp1252(sql);
        m_statements.append(statement);
        if (m_lab)
            return m_lab(statement);
        return remote::test::reply(200, rq.path.endsWith("/SELECT") ? gzipRowset(reportRowset({}, false)) : QByteArray());
    });
}

remote::test::CannedReply IntakeFixture::answer(const remote::Rowset& rows)
{
    return remote::test::reply(200, gzipRowset(rows));
}

IntakeContext& IntakeFixture::context()
{
    if (!m_context) {
        remote::RemoteClient& remote = client();
        m_context.reset(new IntakeContext{remote, m_db, 1001,
                                          [this](const QString& i, const QString& c) { m_notices.append({i, c}); },
                                          [this] { return m_now; }});
    }
    return *m_context;
}

QStringList IntakeFixture::localRows(const QString& sql)
{
    return store::testing::rowTexts(m_db, sql);
}

int IntakeFixture::count(const QString& table)
{
    const store::QueryResult result = m_db.select("SELECT COUNT(*) FROM " + table);
    return result.ok && !result.rows.rows.isEmpty() ? result.rows.rows.first().value(0).toInt() : -1;
}

} // namespace tv::intake::test
