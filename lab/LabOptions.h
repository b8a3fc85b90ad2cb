// Command line and environment of `tallyvane-lab`. Every setting a test needs to fix
// (port, password, clock) can come from an option or an environment variable, options win.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace tv::lab {

struct LabOptions {
    quint16 port = 0; ///< 0 = any free port (the line "listening on" names the one taken)
    QString dataDir;  ///< database, certificate and key live here
    QString bindAddress = QStringLiteral("127.0.0.1");
    QString password;                  ///< of the HTTP user "WebDAV"
    bool demo = false;                 ///< seed the demo laboratory into a database that has no accounts yet
    int demoReports = 1000;            ///< how many reports the demo seeds
    std::optional<QDateTime> fixedNow; ///< the laboratory's clock stands still at this moment
};

/// The password the client ships with, so the demo works without extra set-up.
QString defaultLabPassword();

struct ParsedOptions {
    std::optional<LabOptions> options; ///< empty when the command line is wrong
    QString error;                     ///< what is wrong, with the usage
};

/// Parses `args` (without the program name). Environment: TALLYVANE_LAB_PASSWORD,
/// TALLYVANE_LAB_NOW ("yyyy-mm-ddThh:nn:ss").
ParsedOptions parseLabOptions(const QStringList& args);

/// Reads "yyyy-mm-ddThh:nn:ss" (seconds optional) as a local date-time; empty when invalid.
std::optional<QDateTime> parseLabTime(const QString& text);

} // namespace tv::lab
