// The account status check a start runs once after the login: log the connection at the
// laboratory, synchronise the account, then tell an account on hold and stop a disabled one.
// The caller unlocks the network functions and offers a new version; ending the program is its call.
#pragma once

#include "intake/AccountSync.h"

namespace tv::intake {

struct AccountCheckResult {
    AccountSyncResult sync;
    bool onHold = false;   ///< USER.ONHOLD is exactly "T" (told, the program goes on)
    bool disabled = false; ///< USER.WEBDATAENTRY is exactly "N" (told, the program ends)
};

AccountCheckResult runAccountCheck(AccountSyncContext& context, const remote::NoticeFn& notice,
                                   const QString& computerName, const QString& userName);

/// The computer's network name and the logged-on user's name, as the system reports them.
QString systemComputerName();
QString systemUserName();

} // namespace tv::intake
