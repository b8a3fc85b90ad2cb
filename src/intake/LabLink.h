// What a headless intake operation needs to reach the laboratory from an installation: a remote
// client configured the way the program configures it (the server list beside the program, the
// installation's TLS trust and proxy), and the clock, which TALLYVANE_NOW may fix for scripts
// and tests that run against a laboratory whose clock stands still.
#pragma once

#include "remote/ConfigAccess.h"
#include "remote/RemoteClient.h"
#include "store/Connection.h"

#include <QDateTime>
#include <memory>
#include <optional>

namespace tv::intake {

std::unique_ptr<remote::RemoteClient> makeRemoteClient(const QString& appFolder, const remote::ConfigRead& config,
                                                       remote::NoticeFn notice);

struct LabSession {
    std::unique_ptr<remote::RemoteClient> remote;
    int account = 0;
    QString error; ///< why the installation cannot reach its laboratory
};

/// The remote client of the installation whose store is open on `db`, and its account number
/// (USER.ACCOUNT, which must be a whole number above 0).
LabSession openLabSession(store::Connection& db, const QString& appFolder, remote::NoticeFn notice);

/// A date typed as yyyy-mm-dd or mm/dd/yyyy.
std::optional<QDate> readDate(const QString& text);

/// TALLYVANE_NOW ("yyyy-mm-ddThh:nn:ss") when set and valid, else the system clock.
QDateTime sessionNow();

} // namespace tv::intake
