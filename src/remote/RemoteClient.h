// The data module's side of the laboratory link: a SELECT comes back as the answer table `vt`,
// a script statement is delivered packed; `gotData` tells callers whether to go on. Failures are
// shown through the notice callback and leave `gotData` false; `lastServer` survives them.
#pragma once

#include "remote/HttpClient.h"
#include "remote/Notice.h"
#include "remote/Rowset.h"
#include "remote/ServerDirectory.h"

#include <QString>

namespace tv::remote {

struct RemoteConfig {
    QString dbHost = QStringLiteral("127.0.0.1"); ///< network address in the DB designation host:ORVALIS
    HttpSettings http;
    ServerListConfig servers;
};

class RemoteClient {
public:
    RemoteClient(RemoteConfig config, NoticeFn notice);

    /// Sends a SELECT (trimmed of blanks and control characters); `vt` receives the answer.
    void remoteQuery(const QString& sql, bool forcePick);
    /// Sends one statement, untrimmed and packed.
    void remoteScript(const QString& statement, bool forcePick);

    bool gotData() const { return m_gotData; }
    Rowset& vt() { return m_vt; }
    const Rowset& vt() const { return m_vt; }
    const QString& lastServer() const { return m_lastServer; }
    void setLastServer(const QString& url) { m_lastServer = url; }

    HttpClient& http() { return m_http; }
    ServerDirectory& servers() { return m_servers; }

private:
    /// Picks a server when asked to or when none is current; false (after the notice) when none answers.
    bool ensureServer(bool forcePick);
    QList<FormField> form(const QByteArray& sql) const;
    void failConnection();

    QString m_dbHost;
    NoticeFn m_notice;
    HttpClient m_http;
    ServerDirectory m_servers;
    Rowset m_vt;
    QString m_lastServer;
    bool m_gotData = false;
};

} // namespace tv::remote
