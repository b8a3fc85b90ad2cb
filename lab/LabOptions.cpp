#include "lab/LabOptions.h"

namespace tv::lab {

namespace {

const char* const usage = "usage: tallyvane-lab --port N --data DIR [--demo] [--demo-reports N] [--bind ADDRESS]\n"
                          "                     [--password TEXT] [--now yyyy-mm-ddThh:nn:ss]\n"
                          "environment: TALLYVANE_LAB_PASSWORD, TALLYVANE_LAB_NOW";

ParsedOptions failure(const QString& what)
{
    return {std::nullopt, what + QLatin1Char('\n') + QLatin1String(usage)};
}

} // namespace

QString defaultLabPassword()
{
    return QStringLiteral("portal!quinceleaf361");
}

std::optional<QDateTime> parseLabTime(const QString& text)
{
    for (const char* format : {"yyyy-MM-ddTHH:mm:ss", "yyyy-MM-ddTHH:mm", "yyyy-MM-dd HH:mm:ss"}) {
        const QDateTime time = QDateTime::fromString(text.trimmed(), QLatin1String(format));
        if (time.isValid()) return time;
    }
    return std::nullopt;
}

ParsedOptions parseLabOptions(const QStringList& args)
{
    LabOptions options;
    options.password = qEnvironmentVariable("TALLYVANE_LAB_PASSWORD", defaultLabPassword());
    QString nowText = qEnvironmentVariable("TALLYVANE_LAB_NOW");
    bool havePort = false;

    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--demo")) {
            options.demo = true;
            continue;
        }
        const bool takesValue = arg == QLatin1String("--port") || arg == QLatin1String("--data") ||
                                arg == QLatin1String("--bind") || arg == QLatin1String("--password") ||
                                arg == QLatin1String("--now") || arg == QLatin1String("--demo-reports");
        if (!takesValue) return failure(QStringLiteral("unknown argument: %1").arg(arg));
        if (i + 1 >= args.size()) return failure(QStringLiteral("%1 needs a value").arg(arg));
        const QString value = args[++i];
        if (arg == QLatin1String("--port")) {
            bool ok = false;
            const uint port = value.toUInt(&ok);
            if (!ok || port > 65535) return failure(QStringLiteral("not a port number: %1").arg(value));
            options.port = static_cast<quint16>(port);
            havePort = true;
        } else if (arg == QLatin1String("--data")) {
            options.dataDir = value;
        } else if (arg == QLatin1String("--bind")) {
            options.bindAddress = value;
        } else if (arg == QLatin1String("--password")) {
            options.password = value;
        } else if (arg == QLatin1String("--now")) {
            nowText = value;
        } else {
            bool ok = false;
            options.demoReports = value.toInt(&ok);
            if (!ok || options.demoReports < 0) return failure(QStringLiteral("not a report count: %1").arg(value));
        }
    }
    if (!havePort) return failure(QStringLiteral("--port is required"));
    if (options.dataDir.isEmpty()) return failure(QStringLiteral("--data is required"));
    if (options.password.isEmpty()) return failure(QStringLiteral("the password must not be empty"));
    if (!nowText.isEmpty()) {
        options.fixedNow = parseLabTime(nowText);
        if (!options.fixedNow) return failure(QStringLiteral("not a time (yyyy-mm-ddThh:nn:ss): %1").arg(nowText));
    }
    return {options, {}};
}

} // namespace tv::lab
