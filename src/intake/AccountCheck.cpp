#include "intake/AccountCheck.h"

#include "store/ConfigStore.h"

#include <QSysInfo>

namespace tv::intake {

AccountCheckResult runAccountCheck(AccountSyncContext& c, const remote::NoticeFn& notice,
                                   const QString& computerName, const QString& userName)
{
    AccountCheckResult result;
    c.remote.remoteScript(connectionLogStatement(c.account, computerName, userName), true);
    result.sync = syncAccount(c);
    const store::ConfigStore config(c.db);
    const QString service = QStringLiteral("Call PLOM customer service for details.");
    result.onHold = config.getConfig(QStringLiteral("USER.ONHOLD")).text == QLatin1String("T");
    if (result.onHold)
        notice(QStringLiteral("User account on HOLD"), service);
    result.disabled = config.getConfig(QStringLiteral("USER.WEBDATAENTRY")).text == QLatin1String("N");
    if (result.disabled)
        notice(QStringLiteral("Account disabled"), service);
    return result;
}

QString systemComputerName()
{
    return QSysInfo::machineHostName();
}

QString systemUserName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    return name;
}

} // namespace tv::intake
