// sync: the account status check of a start, without the window: connection log, account
// synchronisation, the on-hold and disabled notices, and the new version offer.
#include "cli/LabCommandSession.h"
#include "intake/AccountCheck.h"
#include "render/PageScript.h"
#include "render/StoredScript.h"
#include "update/NewVersion.h"

namespace tv::cli {

namespace {

// The running release the laboratory is told about and compares its published one with.
const QString kFileRelease = QStringLiteral("10.0");

int runSync(CommandContext& context)
{
    if (!context.args.isEmpty()) {
        context.err << "tallyvane sync: takes no arguments" << Qt::endl;
        return 2;
    }
    LabCommandSession session(context, QStringLiteral("sync"));
    if (!session.ok()) return 1;
    const store::ConfigStore config(session.db);
    const auto configIni = [&](const QString& key) { return config.getConfigIni(key).text; };
    QString pageScriptError;
    intake::AccountSyncContext sync{session.remote(),
                                    session.db,
                                    context.appFolder,
                                    session.lab.account,
                                    kFileRelease,
                                    render::encodeStoredScript,
                                    [&] { pageScriptError = render::getPageScript(configIni).error; }};
    const intake::AccountCheckResult check =
        intake::runAccountCheck(sync, session.notice, intake::systemComputerName(), intake::systemUserName());
    context.out << "laboratory: " << session.remote().lastServer() << Qt::endl;
    if (!check.sync.error.isEmpty()) {
        context.err << "tallyvane sync: " << check.sync.error << Qt::endl;
        return 1;
    }
    context.out << "account " << session.lab.account << ": " << config.getConfig(QStringLiteral("USER.LABNAME")).text
                << Qt::endl;
    if (!pageScriptError.isEmpty()) context.out << "page script: " << pageScriptError << Qt::endl;
    if (check.disabled) {
        context.err << "tallyvane sync: the account is disabled" << Qt::endl;
        return 3;
    }
    if (const std::optional<QString> offer =
            update::checkNewVersion(kFileRelease, config.getConfig(QStringLiteral("PROGRAM.WR")).text))
        context.out << "new version: " << *offer << " " << config.getConfig(QStringLiteral("UPDATE.WR")).text
                    << Qt::endl;
    return 0;
}

const CommandRegistration registration({QStringLiteral("sync"), QStringLiteral("sync"), runSync});

} // namespace

} // namespace tv::cli
