// The opening every command that talks to the laboratory shares: the installation's store, its
// notices printed one per line, and the remote client of its laboratory with the account number.
#pragma once

#include "cli/CliSession.h"
#include "intake/LabLink.h"

namespace tv::cli {

class LabCommandSession {
public:
    /// Prints why, as "tallyvane <command>: ...", when the store or the laboratory is out of reach.
    LabCommandSession(CommandContext& context, const QString& command);
    LabCommandSession(const LabCommandSession&) = delete;
    LabCommandSession& operator=(const LabCommandSession&) = delete;

    bool ok() const { return lab.remote != nullptr; }
    remote::RemoteClient& remote() { return *lab.remote; }

    store::Connection db;
    PrintedNotices notices;
    const remote::NoticeFn notice;
    intake::LabSession lab;
};

} // namespace tv::cli
