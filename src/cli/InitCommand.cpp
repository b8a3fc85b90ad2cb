// init: creates or opens the installation, runs the start-up and prints what it did.
#include "cli/CliSession.h"

#include <QDir>

namespace tv::cli {

namespace {

struct InitOptions {
    std::optional<app::AccountSetup> account;
    QString error;
};

InitOptions parseInitOptions(const QStringList& args)
{
    InitOptions options;
    QString account, customer, days;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        const QString& name = args[i];
        if (i + 1 >= args.size()) {
            options.error = QStringLiteral("%1 needs a value").arg(name);
            return options;
        }
        QString* target = name == QLatin1String("--account")    ? &account
                          : name == QLatin1String("--customer") ? &customer
                          : name == QLatin1String("--days")     ? &days
                                                                 : nullptr;
        if (!target) {
            options.error = QStringLiteral("unknown option %1").arg(name);
            return options;
        }
        *target = args[i + 1];
    }
    if (account.isNull() && customer.isNull() && days.isNull())
        return options;
    bool accountOk = false, daysOk = false;
    const qlonglong number = account.toLongLong(&accountOk);
    const int kept = days.toInt(&daysOk);
    if (!accountOk || number <= 0 || number > 2147483647 || account != QString::number(number))
        options.error = QStringLiteral("--account must be a whole number above 0");
    else if (customer.trimmed().isEmpty())
        options.error = QStringLiteral("--customer must name the customer");
    else if (!daysOk || kept <= 0)
        options.error = QStringLiteral("--days must be a whole number above 0");
    else
        options.account = app::AccountSetup{account, customer, kept};
    return options;
}

int runInit(CommandContext& context)
{
    const InitOptions options = parseInitOptions(context.args);
    if (!options.error.isEmpty()) {
        context.err << "tallyvane init: " << options.error << Qt::endl;
        return 2;
    }
    if (!QDir().mkpath(context.appFolder)) {
        context.err << "tallyvane init: the folder " << QDir::toNativeSeparators(context.appFolder)
                    << " cannot be created" << Qt::endl;
        return 1;
    }
    PrintedNotices notices(context.out);
    app::UserStore users;
    app::Tdm tdm(context.appFolder, notices, users);
    installHooks(tdm.hooks);
    bool asked = false;
    tdm.askAccount = [&] {
        asked = true;
        return options.account;
    };
    const bool started = tdm.DataModuleCreate();
    for (const QString& line : tdm.startupLog())
        context.out << line << Qt::endl;
    if (options.account && !asked && started)
        context.out << "account options ignored: the installation already has account " << tdm.Account << Qt::endl;
    if (!started) {
        context.err << "tallyvane init: start-up stopped: " << notices.lastInstruction() << Qt::endl;
        return 1;
    }
    return 0;
}

const CommandRegistration registration({QStringLiteral("init"),
                                        QStringLiteral("init [--account N --customer NAME --days D]"), runInit});

} // namespace

} // namespace tv::cli
