#include "remote/FormEncoding.h"
#include "remote/Gzip.h"
#include "remote/PackScript.h"
#include "support/RemoteFixture.h"
#include "text/Cp1252.h"

#include <QTimer>

using namespace tv::remote;
using namespace tv::remote::test;

namespace {

using Notices = QList<QPair<QString, QString>>;
const QPair<QString, QString> kConnectionFail{"Connection Fail", "Try later"};

Rowset reportRows(int count)
{
    Rowset rs;
    rs.fields = {{"LABID", FieldType::Integer}, {"NAME", FieldType::Text, 60}, {"WDATE", FieldType::Date},
                 {"REP_CODE", FieldType::LongText}};
    for (int i = 0; i < count; ++i)
        rs.rows.append(Row{1000 + i, QString("PATIENT %1").arg(i), QDate(2026, 12, 1), "Sub main\r\nEnd Sub"});
    return rs;
}

HeaderList withoutVolatile(const HeaderList& headers)
{
    HeaderList out;
    for (const auto& h : headers) {
        if (h.first.compare("Authorization", Qt::CaseInsensitive) != 0)
            out.append(h);
    }
    return out;
}

} // namespace

class RemoteClientTest : public RemoteFixture {
protected:
    void SetUp() override
    {
        startServer();
        writeListForServer();
        m_server->setHandler([](const RecordedRequest& rq) {
            if (rq.path.endsWith("/SELECT"))
                return reply(200, gzipRowset(reportRows(2)));
            return CannedReply{};
        });
    }
};

TEST_F(RemoteClientTest, QueryGoesOutAsAGetWithTheFormAsBody)
{
    RemoteClient& c = client();
    c.remoteQuery("  \r\n\tSELECT * FROM CONFIG where VARSECTION='WEB' or X<>\"Ä\" \t\r\n", true);
    EXPECT_TRUE(c.gotData());
    EXPECT_TRUE(m_notices.isEmpty());
    const QList<RecordedRequest> reqs = served();
    ASSERT_EQ(reqs.size(), 2);
    EXPECT_EQ(reqs[0].path, kServicePath + "/ack");
    const RecordedRequest& q = reqs[1];
    EXPECT_EQ(q.method, "GET");
    EXPECT_EQ(q.path, kServicePath + "/SELECT");
    EXPECT_EQ(q.version, "HTTP/1.1");
    const QByteArray body = "SQL=SELECT+%2A+FROM+CONFIG+where+VARSECTION%3D%27WEB%27+or+X%3C%3E%22%C4%22"
                            "&DB=10.1.2.3%3AORVALIS&ZIP=ZIP";
    EXPECT_EQ(q.body, body);
    const HeaderList expected = {
        {"Host", "127.0.0.1:" + QByteArray::number(m_server->port())},
        {"User-Agent", "Mozilla/4.0 (compatible; Clever Internet Suite 6.2)"},
        {"Accept-Encoding", "gzip, deflate"},
        {"Accept", "*/*"},
        {"Content-Type", "application/x-www-form-urlencoded"},
        {"Content-Length", QByteArray::number(body.size())},
    };
    EXPECT_EQ(withoutVolatile(q.headers), expected);
    EXPECT_TRUE(q.header("Authorization").startsWith("Basic "));
    const FormDecodeResult form = formDecode(q.body);
    ASSERT_TRUE(form.ok);
    EXPECT_EQ(tv::text::fromCp1252(form.fields[0].value),
              QString::fromUtf8("SELECT * FROM CONFIG where VARSECTION='WEB' or X<>\"Ä\""));
    ASSERT_EQ(c.vt().rows.size(), 2);
    EXPECT_EQ(c.vt().value(1, "NAME").toString(), "PATIENT 1");
}

TEST_F(RemoteClientTest, ScriptIsPostedPackedAndUntrimmed)
{
    RemoteClient& c = client();
    const QString statement = QString::fromUtf8("  UPDATE LABACCOUNTS SET VER_WR='10.0' where ACCOUNT=1001;\r\n"
                                                "-- 100% & more = é\x01");
    c.remoteScript(statement, false);
    EXPECT_TRUE(c.gotData());
    const QList<RecordedRequest> reqs = served();
    ASSERT_EQ(reqs.size(), 2);
    const RecordedRequest& s = reqs[1];
    EXPECT_EQ(s.method, "POST");
    EXPECT_EQ(s.path, kServicePath + "/SCRIPT");
    const FormDecodeResult form = formDecode(s.body);
    ASSERT_TRUE(form.ok);
    ASSERT_EQ(form.fields.size(), 3);
    EXPECT_EQ(form.fields[0].name, "SQL");
    EXPECT_EQ(form.fields[1], (FormField{"DB", "10.1.2.3:ORVALIS"}));
    EXPECT_EQ(form.fields[2], (FormField{"ZIP", "ZIP"}));
    const UnpackResult script = unpackScript(form.fields[0].value);
    ASSERT_TRUE(script.ok) << script.message.toStdString();
    EXPECT_EQ(tv::text::fromCp1252(script.data), statement);
}

TEST_F(RemoteClientTest, ProbeCarriesTheClockAndTheFixedDatabase)
{
    RemoteClient& c = client();
    EXPECT_EQ(c.servers().pickServer(), QString::fromLatin1(m_server->rootUrl() + kServicePath));
    const QList<RecordedRequest> reqs = served();
    ASSERT_EQ(reqs.size(), 1);
    EXPECT_EQ(reqs[0].method, "POST");
    EXPECT_EQ(reqs[0].path, kServicePath + "/ack");
    EXPECT_EQ(reqs[0].body, "ID=261211-093005&DB=ORVALIS");
}

TEST_F(RemoteClientTest, AnswersAndFailures)
{
    const QByteArray good = gzipRowset(reportRows(3));
    Rowset empty = reportRows(0);
    using Mode = CannedReply::Mode;
    const struct {
        const char* what;
        CannedReply reply;
        bool gotData;
        int rows;
        bool notice;
    } cases[] = {
        {"rows", reply(200, good), true, 3, false},
        {"no rows", reply(200, gzipRowset(empty)), true, 0, false},
        {"empty body", reply(200), false, 0, false},
        {"HTTP 500", reply(500, good), false, 0, true},
        {"HTTP 404", reply(404), false, 0, true},
        {"not gzip", reply(200, "<xml/>"), false, 0, true},
        {"truncated gzip", reply(200, good.left(good.size() - 8)), false, 0, true},
        {"gzip of no rowset", reply(200, gzipCompress("<html/>")), false, 0, true},
        {"cut-off transfer", failing(Mode::Truncate, good), false, 0, true},
        {"dropped connection", failing(Mode::Drop), false, 0, true},
        {"redirect", reply(302, {}, {{"Location", kServicePath + "/SELECT2"}}), true, 3, false},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        m_server->setHandler([&](const RecordedRequest& rq) {
            if (rq.path.endsWith("/SELECT2"))
                return reply(200, good);
            return rq.path.endsWith("/SELECT") ? tc.reply : CannedReply{};
        });
        m_notices.clear();
        RemoteClient& c = client();
        c.vt() = reportRows(5); // a previous answer must not survive a failed one
        c.remoteQuery("SELECT 1", false);
        EXPECT_EQ(c.gotData(), tc.gotData);
        EXPECT_EQ(c.vt().rows.size(), tc.rows);
        EXPECT_EQ(m_notices, tc.notice ? Notices{kConnectionFail} : Notices{});
        EXPECT_EQ(c.lastServer(), QString::fromLatin1(m_server->rootUrl() + kServicePath));
    }
}

TEST_F(RemoteClientTest, ScriptFailureLeavesGotDataFalse)
{
    m_server->setHandler([](const RecordedRequest& rq) {
        return rq.path.endsWith("/SCRIPT") ? reply(403) : CannedReply{};
    });
    RemoteClient& c = client();
    c.remoteScript("DELETE FROM LABACCOUNTS", false);
    EXPECT_FALSE(c.gotData());
    EXPECT_EQ(m_notices, Notices{kConnectionFail});
}

TEST_F(RemoteClientTest, TimeOutFailsAndWindowsKeepWorkingMeanwhile)
{
    m_server->setHandler([](const RecordedRequest& rq) {
        return rq.path.endsWith("/SELECT") ? failing(CannedReply::Mode::Stall, {}, 3000)
                                           : CannedReply{};
    });
    RemoteClient& c = client();
    c.setLastServer(c.servers().pickServer());
    c.http().settings().timeoutMs = 300;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    c.remoteQuery("SELECT 1", false);
    EXPECT_FALSE(c.gotData());
    EXPECT_EQ(m_notices, Notices{kConnectionFail});
    EXPECT_GE(ticks, 3); // the event loop ran while the request waited
}

TEST_F(RemoteClientTest, CookiesAreKeptBetweenRequests)
{
    m_server->setHandler([](const RecordedRequest& rq) {
        if (rq.path.endsWith("/ack"))
            return reply(200, {}, {{"Set-Cookie", "LABSESSION=abc123; Path=/"}});
        return CannedReply{};
    });
    RemoteClient& c = client();
    c.remoteScript("UPDATE X SET A=1", true);
    const QList<RecordedRequest> reqs = served();
    ASSERT_EQ(reqs.size(), 2);
    EXPECT_EQ(reqs[1].header("Cookie"), "LABSESSION=abc123");
}

TEST_F(RemoteClientTest, TwoForcedCallsProbeTheListTwice)
{
    RemoteClient& c = client();
    c.remoteQuery("SELECT 1", true);
    c.remoteQuery("SELECT 2", true);
    c.remoteQuery("SELECT 3", false);
    QList<QByteArray> paths;
    for (const RecordedRequest& r : served())
        paths.append(r.path.mid(kServicePath.size()));
    EXPECT_EQ(paths, (QList<QByteArray>{"/ack", "/SELECT", "/ack", "/SELECT", "/SELECT"}));
}

class RemoteAuthTest : public RemoteFixture, public ::testing::WithParamInterface<AuthScheme> {};

TEST_P(RemoteAuthTest, CredentialsGoOutOnlyAfterTheChallenge)
{
    startServer(GetParam());
    writeListForServer();
    RemoteClient& c = client();
    c.remoteScript("UPDATE X SET A=1", false);
    EXPECT_TRUE(c.gotData());
    EXPECT_TRUE(m_notices.isEmpty());
    const QList<RecordedRequest> all = m_server->requests();
    ASSERT_GE(all.size(), 2);
    EXPECT_FALSE(all[0].authorized);
    EXPECT_TRUE(all[0].header("Authorization").isEmpty());
    const QByteArray scheme = GetParam() == AuthScheme::Basic ? "Basic " : "Digest ";
    for (const RecordedRequest& r : served()) {
        EXPECT_TRUE(r.header("Authorization").startsWith(scheme)) << r.header("Authorization").constData();
        EXPECT_TRUE(r.header("Authorization").contains(GetParam() == AuthScheme::Basic ? "V2ViREFWOnNlY3JldA=="
                                                                                          : "username=\"WebDAV\""));
    }
    EXPECT_EQ(served().size(), 2);

    m_notices.clear();
    client([](RemoteConfig& config) { config.http.password = "wrong"; }).remoteQuery("SELECT 1", false);
    EXPECT_FALSE(m_client->gotData());
    EXPECT_EQ(m_notices.value(0).first, "Check your Internet conecction");
}

INSTANTIATE_TEST_SUITE_P(Schemes, RemoteAuthTest, ::testing::Values(AuthScheme::Basic, AuthScheme::Digest));
