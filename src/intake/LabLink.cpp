#include "intake/LabLink.h"

#include "remote/ProxySettings.h"
#include "remote/TlsSettings.h"
#include "store/ConfigStore.h"
#include "store/SqlLiteral.h"

#include <QDir>

namespace tv::intake {

std::unique_ptr<remote::RemoteClient> makeRemoteClient(const QString& appFolder, const remote::ConfigRead& config,
                                                       remote::NoticeFn notice)
{
    remote::RemoteConfig settings;
    settings.servers.path = QDir(appFolder).absoluteFilePath(QStringLiteral("SERVERS_DNS_EMP.INI"));
    settings.servers.now = sessionNow;
    auto client = std::make_unique<remote::RemoteClient>(settings, std::move(notice));
    remote::applyTlsSettings(config, appFolder, client->http());
    remote::applyProxySettings(config, client->http());
    return client;
}

LabSession openLabSession(store::Connection& db, const QString& appFolder, remote::NoticeFn notice)
{
    LabSession session;
    const store::ConfigStore config(db);
    const store::TextResult account = config.getConfig(QStringLiteral("USER.ACCOUNT"));
    if (!account.ok) {
        session.error = account.message;
        return session;
    }
    const std::optional<int> number = store::readWholeNumber(account.text);
    if (!number || *number == 0) {
        session.error = QStringLiteral("the installation has no account yet (run init --account N first)");
        return session;
    }
    session.account = *number;
    session.remote = makeRemoteClient(
        appFolder, [config](const QString& key) { return config.getConfig(key).text; }, std::move(notice));
    return session;
}

std::optional<QDate> readDate(const QString& text)
{
    for (const char* format : {"yyyy-MM-dd", "MM/dd/yyyy", "M/d/yyyy"}) {
        const QDate date = QDate::fromString(text.trimmed(), QLatin1String(format));
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

QDateTime sessionNow()
{
    const QString fixed = qEnvironmentVariable("TALLYVANE_NOW");
    if (!fixed.isEmpty()) {
        const QDateTime moment = QDateTime::fromString(fixed, Qt::ISODate);
        if (moment.isValid())
            return QDateTime(moment.date(), moment.time());
    }
    return QDateTime::currentDateTime();
}

} // namespace tv::intake
