#include "remote/RemoteClient.h"

#include "remote/Gzip.h"
#include "remote/PackScript.h"
#include "text/Cp1252.h"

namespace tv::remote {

namespace {

/// Blanks and control characters at both ends go, as the laboratory expects a bare statement.
QString trimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= ' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

RemoteClient::RemoteClient(RemoteConfig config, NoticeFn notice)
    : m_dbHost(config.dbHost), m_notice(std::move(notice)), m_http(std::move(config.http)),
      m_servers(std::move(config.servers), m_http, m_notice)
{
}

bool RemoteClient::ensureServer(bool forcePick)
{
    if (forcePick || m_lastServer.isEmpty())
        m_lastServer = m_servers.pickServer();
    if (!m_lastServer.isEmpty())
        return true;
    m_notice(QStringLiteral("Server unreachable"), QStringLiteral("Check Internet Connection"));
    return false;
}

QList<FormField> RemoteClient::form(const QByteArray& sql) const
{
    return {{"SQL", sql}, {"DB", text::toCp1252(m_dbHost) + ":ORVALIS"}, {"ZIP", "ZIP"}};
}

void RemoteClient::failConnection()
{
    m_gotData = false;
    m_notice(QStringLiteral("Connection Fail"), QStringLiteral("Try later"));
}

void RemoteClient::remoteQuery(const QString& sql, bool forcePick)
{
    m_gotData = false;
    if (!ensureServer(forcePick))
        return;
    const HttpResult reply =
        m_http.send("GET", m_lastServer + QStringLiteral("/SELECT"), form(text::toCp1252(trimControls(sql))));
    m_vt.clear();
    if (!reply.ok)
        return failConnection();
    if (reply.body.isEmpty())
        return; // no data, and no failure either
    const GunzipResult table = gzipDecompress(reply.body);
    if (!table.ok)
        return failConnection();
    RowsetReadResult read = readRowsetXml(table.data);
    if (read.status != RowsetStatus::Ok)
        return failConnection();
    m_vt = std::move(read.rowset);
    m_gotData = true;
}

void RemoteClient::remoteScript(const QString& statement, bool forcePick)
{
    m_gotData = false;
    if (!ensureServer(forcePick))
        return;
    const HttpResult reply =
        m_http.send("POST", m_lastServer + QStringLiteral("/SCRIPT"), form(packScript(text::toCp1252(statement))));
    if (!reply.ok)
        return failConnection();
    m_gotData = true;
}

} // namespace tv::remote
