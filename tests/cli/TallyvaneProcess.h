// Runs the tallyvane program itself, as scripts outside the project do: its exit status and both
// outputs. The user store stays in the test's own folder.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

/// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace tv::cli::testing {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

inline Outcome runTallyvane(const QStringList& args, const QString& home,
                            const QList<std::pair<QString, QString>>& env = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    environment.remove(QStringLiteral("TALLYVANE_HOME"));
    for (const auto& [name, value] : env)
        environment.insert(name, value);
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("TV_BINARY_DIR") + QStringLiteral("/src/cli/tallyvane"), args);
    EXPECT_TRUE(process.waitForFinished(120000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace tv::cli::testing
