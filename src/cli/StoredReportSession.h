// What the commands that render stored reports share: the installation's store, and a renderer set
// up as the program sets up its engines: the page script the account synchronisation stored, the
// export program, ExtraFieldsInit from IMPORT.INI, the print offsets and the reference-laboratory
// mode. Notices are printed one a line; a failed set-up says why on standard error.
#pragma once

#include "cli/CliSession.h"
#include "render/ReportRenderer.h"
#include "store/Connection.h"

namespace tv::cli {

class StoredReportSession {
public:
    /// `command` prefixes the reasons of failure; `outlet` (null: no printers) must outlive the session.
    StoredReportSession(CommandContext& context, const QString& command, render::PrintOutlet* outlet);

    /// Opens the store and sets the engines up; false after saying why.
    bool open(bool referenceMode);
    /// The reason of a failure, on standard error.
    void fail(const QString& reason);

    store::Connection& db() { return m_db; }
    render::ReportRenderer& renderer() { return m_renderer; }
    const QString& extraFieldsInit() const { return m_extraFieldsInit; }
    /// The export program compiled; a run that exports needs it.
    bool exportProgramReady() const { return m_exportReady; }
    /// The instruction of the last notice: the one-line reason a rendering failed.
    const QString& lastNotice() const { return m_notices.lastInstruction(); }

private:
    bool loadPageScript(bool referenceMode);
    bool loadExportProgram();
    bool loadOffsets();

    CommandContext& m_context;
    QString m_command;
    PrintedNotices m_notices;
    store::Connection m_db;
    render::ReportRenderer m_renderer;
    QString m_extraFieldsInit;
    bool m_exportReady = false;
};

/// The stored report of the mode's table with this LABID and GENERICCODE: no row when there is none.
store::QueryResult storedReport(store::Connection& db, bool referenceMode, int labId, const QString& genericCode);

} // namespace tv::cli
