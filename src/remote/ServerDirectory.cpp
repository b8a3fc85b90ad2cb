#include "remote/ServerDirectory.h"

#include "remote/HttpClient.h"
#include "text/IniFile.h"

#include <QFile>
#include <QSaveFile>

namespace tv::remote {

namespace {

const QString kServicePath = QStringLiteral("/orvalis/qtx80z.dll");

} // namespace

ServerDirectory::ServerDirectory(ServerListConfig config, HttpClient& http, NoticeFn notice)
    : m_config(std::move(config)), m_http(http), m_notice(std::move(notice))
{
}

QString ServerDirectory::pickServer()
{
    writeDefaultServerList();
    loadServerCandidates(QStringLiteral("MAIN"));
    QString server = probeServerCandidates();
    if (server.isEmpty()) {
        writeDefaultServerList();
        loadServerCandidates(QStringLiteral("MAIN"));
        server = probeServerCandidates();
    }
    if (server.isEmpty())
        m_notice(QStringLiteral("Check your Internet conecction"), QStringLiteral("Conecction Error"));
    return server;
}

void ServerDirectory::loadServerCandidates(const QString& key)
{
    const text::IniFile list = text::IniFile::load(m_config.path);
    const auto read = [&](const QString& section, const QString& name) {
        return list.value(section, name).value_or(QString());
    };
    bool isNumber = false;
    qint64 maxAddr = read(QStringLiteral("INIT"), QStringLiteral("MAXADDR")).toLongLong(&isNumber);
    if (!isNumber)
        maxAddr = 3;
    // Sections past the last numbered one only empty the path: one such pass is enough, however
    // large MaxAddr is.
    qint64 lastNumbered = 0;
    for (const QString& section : list.sectionNames())
        lastNumbered = qMax(lastNumbered, section.toLongLong());
    maxAddr = qMin(maxAddr, lastNumbered + 1);
    m_candidates.clear();
    for (qint64 n = 1; n <= maxAddr; ++n) {
        const QString section = QString::number(n);
        const QString value = read(section, key);
        m_servicePath = read(section, QStringLiteral("WEB.SERVICE"));
        if (!value.isEmpty())
            m_candidates.append(value);
    }
}

QString ServerDirectory::probeServerCandidates()
{
    for (const QString& candidate : m_candidates) {
        if (candidate.trimmed().isEmpty())
            continue;
        const QString baseUrl = candidate + m_servicePath;
        if (ackServer(baseUrl))
            return baseUrl;
    }
    return {};
}

bool ServerDirectory::ackServer(const QString& baseUrl)
{
    const QString id = m_config.now().toString(QStringLiteral("yyMMdd-HHmmss"));
    return m_http.send("POST", baseUrl + QStringLiteral("/ack"), {{"ID", id.toLatin1()}, {"DB", "ORVALIS"}}).ok;
}

bool ServerDirectory::writeDefaultServerList()
{
    if (QFile::exists(m_config.path))
        return true;
    const QStringList lines = {
        QStringLiteral("[INIT]"),
        QStringLiteral("MaxAddr=2"),
        QString(),
        QStringLiteral("[1]"),
        QStringLiteral("MAIN=") + m_config.primary,
        QStringLiteral("BACK=") + m_config.backup,
        QStringLiteral("NODE=") + m_config.makerHost,
        QStringLiteral("WEB.SERVICE=") + kServicePath,
        QString(),
        QStringLiteral("[2]"),
        QStringLiteral("back=") + m_config.primary,
        QStringLiteral("main=") + m_config.backup,
        QStringLiteral("node=") + m_config.makerHost,
        QStringLiteral("WEB.SERVICE=") + kServicePath,
    };
    QSaveFile file(m_config.path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    return file.commit();
}

} // namespace tv::remote
