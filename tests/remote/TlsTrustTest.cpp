#include "remote/TlsSettings.h"
#include "support/RemoteFixture.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

using namespace tv::remote;
using namespace tv::remote::test;

TEST(TlsTrustTest, OnlyTrustedCertificatesForTheRightHostAreAccepted)
{
    const struct {
        const char* what;
        bool serverHasWrongName;
        QString caFile;
        bool verify;
        bool accepted;
    } cases[] = {
        {"added CA accepted", false, testCertificate(true).certPath, true, true},
        {"self-signed without a CA refused", false, QString(), true, false},
        {"trusted certificate for another host refused", true, testCertificate(false).certPath, true, false},
        {"another CA than the server's refused", false, testCertificate(false).certPath, true, false},
        {"missing CA file refused", false, "/nonexistent/lab-cert.pem", true, false},
        {"checking switched off explicitly", true, QString(), false, true},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        const CertificatePair& cert = testCertificate(!tc.serverHasWrongName);
        TestHttpsServer server({cert.certPem, cert.keyPem});
        ASSERT_TRUE(server.start());
        HttpSettings settings;
        settings.caFile = tc.caFile;
        settings.verifyTls = tc.verify;
        settings.timeoutMs = 20000;
        HttpClient http(settings);
        const HttpResult r = http.send("POST", QString::fromLatin1(server.rootUrl() + "/ack"), {{"ID", "1"}});
        EXPECT_EQ(r.ok, tc.accepted) << r.error.toStdString();
        EXPECT_EQ(server.requests().size(), tc.accepted ? 1 : 0); // refused before any request went out
        if (!tc.accepted) {
            EXPECT_FALSE(r.error.isEmpty());
        }
    }
}

TEST(TlsTrustTest, SettingsFromTheConfiguration)
{
    QTemporaryDir folder;
    const struct {
        const char* what;
        QMap<QString, QString> config;
        bool createBeside;
        QString caFile; // relative to the folder; "" for none
        bool verify;
    } cases[] = {
        {"nothing set: verified, system CAs only", {}, false, "", true},
        {"a file beside the program", {}, true, "lab-ca.pem", true},
        {"TLS.CAFILE wins, relative to the folder", {{"TLS.CAFILE", "certs/lab.pem"}}, true, "certs/lab.pem", true},
        {"TLS.VERIFY F switches checking off", {{"TLS.VERIFY", "F"}}, false, "", false},
        {"any other TLS.VERIFY keeps it on", {{"TLS.VERIFY", "N"}}, false, "", true},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        QFile::remove(folder.filePath("lab-ca.pem"));
        if (tc.createBeside) {
            QFile f(folder.filePath("lab-ca.pem"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        HttpClient http;
        applyTlsSettings([&](const QString& key) { return tc.config.value(key); }, folder.path(), http);
        EXPECT_EQ(http.settings().caFile, tc.caFile.isEmpty() ? QString() : folder.filePath(tc.caFile));
        EXPECT_EQ(http.settings().verifyTls, tc.verify);
    }
}
