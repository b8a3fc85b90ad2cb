#include "remote/ProxySettings.h"
#include "support/ConnectProxy.h"
#include "support/RemoteFixture.h"

#include <QMap>

using namespace tv::remote;
using namespace tv::remote::test;

class ProxySettingsTest : public RemoteFixture {
protected:
    void SetUp() override
    {
        startServer();
        writeListForServer();
        m_server->setHandler([](const RecordedRequest& rq) {
            Rowset rs;
            rs.fields = {{"ACCOUNT", FieldType::Integer}};
            rs.rows = {Row{1001}};
            return rq.path.endsWith("/SELECT") ? reply(200, gzipRowset(rs)) : reply(200);
        });
        ASSERT_TRUE(m_proxy.start());
    }

    ConfigRead reader()
    {
        return [this](const QString& key) { return m_config.value(key); };
    }

    ConfigWrite writer()
    {
        return [this](const QString& key, const QString& value) {
            m_config.insert(key, value);
            m_writes.append(key);
        };
    }

    ConnectProxy m_proxy{"proxyuser", "proxy pass"};
    QMap<QString, QString> m_config;
    QStringList m_writes;
};

TEST_F(ProxySettingsTest, QueriesTunnelThroughAnAuthenticatingProxy)
{
    RemoteClient& c = client();
    const QString port = QString::number(m_proxy.port());
    saveProxySettings(reader(), writer(), c.http(), "127.0.0.1", "proxyuser", true, false, port, "proxy pass");
    c.remoteQuery("SELECT ACCOUNT FROM LABACCOUNTS", true);
    ASSERT_TRUE(c.gotData());
    EXPECT_EQ(c.vt().value(0, "ACCOUNT").toInt(), 1001);
    EXPECT_GE(m_proxy.refusals(), 1);
    const QByteArray target = "CONNECT 127.0.0.1:" + QByteArray::number(m_server->port()) + " HTTP/1.1";
    const QList<QByteArray> lines = m_proxy.connectLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), target + " | "); // credentials only after the 407
    EXPECT_EQ(lines.last(), target + " | Basic " + QByteArray("proxyuser:proxy pass").toBase64());
    EXPECT_EQ(served().size(), 2); // the probe and the query reached the laboratory

    m_notices.clear();
    saveProxySettings(reader(), writer(), c.http(), "127.0.0.1", "proxyuser", true, false, port, "wrong");
    c.remoteQuery("SELECT ACCOUNT FROM LABACCOUNTS", false);
    EXPECT_FALSE(c.gotData());
    EXPECT_EQ(m_notices.value(0).first, "Connection Fail");
}

TEST_F(ProxySettingsTest, SavedKeysAndWhenTheyApply)
{
    RemoteClient& c = client();
    applyProxySettings(reader(), c.http()); // PROXY.USE never saved: no proxy
    EXPECT_TRUE(c.http().settings().proxy.server.isEmpty());

    saveProxySettings(reader(), writer(), c.http(), "proxy.lan", "u", false, true, "abc", "p");
    EXPECT_EQ(m_writes, (QStringList{"PROXY.SERVER", "PROXY.USER", "PROXY.PASS", "PROXY.PORT", "PROXY.SHOW",
                                     "PROXY.USE"}));
    EXPECT_EQ(m_config.value("PROXY.PORT"), "8080");
    EXPECT_EQ(m_config.value("PROXY.SHOW"), "T");
    EXPECT_EQ(m_config.value("PROXY.USE"), "F");
    EXPECT_TRUE(c.http().settings().proxy.server.isEmpty()); // not in use: the client is left alone

    m_config["PROXY.USE"] = "T";
    m_config["PROXY.PORT"] = "3128";
    applyProxySettings(reader(), c.http());
    const ProxyConfig& proxy = c.http().settings().proxy;
    EXPECT_EQ(proxy.server, "proxy.lan");
    EXPECT_EQ(proxy.user, "u");
    EXPECT_EQ(proxy.password, "p");
    EXPECT_EQ(proxy.port, 3128);

    // turning it off keeps the values in force until the next start
    saveProxySettings(reader(), writer(), c.http(), "", "", false, false, "1", "");
    EXPECT_EQ(c.http().settings().proxy.server, "proxy.lan");
}
