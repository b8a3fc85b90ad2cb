// Which laboratory server to talk to: the candidates of the server list file beside the program
// are probed in order and the first that answers wins. The built-in default list is written only
// when no list exists, so a customer's own list survives any number of failed passes.
#pragma once

#include "remote/Notice.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tv::remote {

class HttpClient;

struct ServerListConfig {
    QString path;       ///< the list file: AppFolder + "/SERVERS_DNS_EMP.INI"
    QString primary = QStringLiteral("https://reports1.orvalis.example");  ///< root URLs of the default list
    QString backup = QStringLiteral("https://reports2.orvalis.example");
    QString makerHost = QStringLiteral("http://www.tallyvane.example");
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

class ServerDirectory {
public:
    ServerDirectory(ServerListConfig config, HttpClient& http, NoticeFn notice);

    /// The first answering base URL (root + service path), or empty after the notice.
    QString pickServer();
    void loadServerCandidates(const QString& key);
    QString probeServerCandidates();
    /// True when the probe request to `baseUrl` + "/ack" completed with a status below 400.
    bool ackServer(const QString& baseUrl);
    /// Writes the default list when the file does not exist; false when that write failed.
    bool writeDefaultServerList();

    const QStringList& serverCandidates() const { return m_candidates; }
    const QString& servicePath() const { return m_servicePath; }
    const ServerListConfig& config() const { return m_config; }

private:
    ServerListConfig m_config;
    HttpClient& m_http;
    NoticeFn m_notice;
    QStringList m_candidates;
    QString m_servicePath;
};

} // namespace tv::remote
