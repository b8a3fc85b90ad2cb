#include "support/RemoteFixture.h"

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
