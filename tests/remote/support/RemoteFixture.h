// Shared set-up of the remote tests: a Qt application for the waiting loop, a loopback HTTPS
// server with the laboratory's service path, a server list pointing at it, a client whose
// notices are recorded, and a fixed clock.
#pragma once

#include "TestCertificates.h"
#include "TestHttpsServer.h"
#include "remote/RemoteClient.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace tv::remote::test {

inline const QByteArray kServicePath = "/orvalis/qtx80z.dll";

class RemoteFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();

    /// Starts the loopback server; its certificate is for 127.0.0.1 unless `wrongName`.
    TestHttpsServer& startServer(AuthScheme auth = AuthScheme::Basic, bool wrongName = false);
    /// Writes the server list file, lines joined by CR LF.
    void writeList(const QStringList& lines);
    /// A list whose first section names the test server under the service path.
    void writeListForServer();
    QString listPath() const;
    /// A client trusting the test certificate; `tweak` may change anything before it is built.
    RemoteClient& client(const std::function<void(RemoteConfig&)>& tweak = {});

    static QByteArray gzipRowset(const Rowset& rowset);
    /// Requests that passed authentication (the ones the service acts on).
    QList<RecordedRequest> served() const;

    QTemporaryDir m_dir;
    std::unique_ptr<TestHttpsServer> m_server;
    std::unique_ptr<RemoteClient> m_client;
    QList<QPair<QString, QString>> m_notices;
};

} // namespace tv::remote::test
