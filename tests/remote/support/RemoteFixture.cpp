#include "RemoteFixture.h"

#include "remote/Gzip.h"

#include <QCoreApplication>
#include <QFile>

namespace tv::remote::test {

void RemoteFixture::SetUpTestSuite()
{
    static int argc = 1;
    static char name[] = "remote_test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

TestHttpsServer& RemoteFixture::startServer(AuthScheme auth, bool wrongName)
{
    const CertificatePair& cert = testCertificate(!wrongName);
    m_server = std::make_unique<TestHttpsServer>(TestServerOptions{cert.certPem, cert.keyPem, auth});
    EXPECT_TRUE(m_server->start());
    return *m_server;
}

QString RemoteFixture::listPath() const
{
    return m_dir.filePath(QStringLiteral("SERVERS_DNS_EMP.INI"));
}

void RemoteFixture::writeList(const QStringList& lines)
{
    QFile file(listPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
}

void RemoteFixture::writeListForServer()
{
    writeList({"[INIT]", "MaxAddr=1", "[1]", "MAIN=" + QString::fromLatin1(m_server->rootUrl()),
               "WEB.SERVICE=" + QString::fromLatin1(kServicePath)});
}

RemoteClient& RemoteFixture::client(const std::function<void(RemoteConfig&)>& tweak)
{
    RemoteConfig config;
    config.dbHost = QStringLiteral("10.1.2.3");
    config.http.password = QStringLiteral("secret");
    config.http.caFile = testCertificate().certPath;
    config.http.timeoutMs = 20000;
    config.servers.path = listPath();
    config.servers.now = [] { return QDateTime(QDate(2026, 12, 11), QTime(9, 30, 5)); };
    if (tweak)
        tweak(config);
    m_client = std::make_unique<RemoteClient>(
        config, [this](const QString& instruction, const QString& content) { m_notices.append({instruction, content}); });
    return *m_client;
}

QByteArray RemoteFixture::gzipRowset(const Rowset& rowset)
{
    return gzipCompress(writeRowsetXml(rowset));
}

QList<RecordedRequest> RemoteFixture::served() const
{
    QList<RecordedRequest> out;
    for (const RecordedRequest& r : m_server->requests()) {
        if (r.authorized)
            out.append(r);
    }
    return out;
}

} // namespace tv::remote::test
