#include "intake/AccountCheck.h"

#include "store/ConfigStore.h"

#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

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
#ifdef Q_OS_UNIX
    // Services, scheduled jobs and containers often run without either variable.
    passwd entry{};
    passwd* found = nullptr;
    char buffer[1024];
    if (name.isEmpty() && getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found)
        name = QString::fromLocal8Bit(found->pw_name);
#endif
    return name;
}

} // namespace tv::intake
