#include "cli/StoredReportSession.h"

#include "export/ExportProgramFile.h"
#include "export/PrintOffsets.h"
#include "intake/AccountSync.h"
#include "render/PageScript.h"
#include "store/ConfigStore.h"
#include "store/ReportChannel.h"

#include <QDir>

namespace tv::cli {

StoredReportSession::StoredReportSession(CommandContext& context, const QString& command, render::PrintOutlet* outlet)
    : m_context(context), m_command(command), m_notices(context.out),
      m_renderer(
          [this](const QString& instruction, const QString& content) { m_notices.showNotice(instruction, content); },
          outlet)
{
}

void StoredReportSession::fail(const QString& reason)
{
    m_context.err << "tallyvane " << m_command << ": " << reason << Qt::endl;
}

bool StoredReportSession::open(bool referenceMode)
{
    if (!openExistingStore(m_context, m_db)) return false;
    m_renderer.setReferenceMode(referenceMode);
    // Reference pages are unpacked into the installation folder, as the windowed program does.
    m_renderer.setAppFolder(m_context.appFolder);
    m_renderer.setConfigReader([this](const QString& key) { return store::ConfigStore(m_db).getConfig(key).text; });
    m_extraFieldsInit = intake::readExtraFieldsInit(m_context.appFolder);
    m_renderer.setExtraFieldsInit(m_extraFieldsInit);
    return loadOffsets() && loadPageScript(referenceMode) && loadExportProgram();
}

bool StoredReportSession::loadOffsets()
{
    const exports::StoredOffsets offsets = exports::readOffsets(store::ConfigStore(m_db), false);
    if (!offsets.ok) {
        fail(QStringLiteral("the stored print offsets cannot be read: %1").arg(offsets.message));
        return false;
    }
    m_renderer.setOffsetTexts(exports::xOffsetText(offsets.x), exports::yOffsetText(offsets.y));
    return true;
}

bool StoredReportSession::loadPageScript(bool referenceMode)
{
    const store::ConfigStore config(m_db);
    const render::PageScript script =
        render::getPageScript([&](const QString& key) { return config.getConfigIni(key).text; });
    if (!script.error.isEmpty()) {
        fail(QStringLiteral("the stored page script cannot be used: %1").arg(script.error));
        return false;
    }
    // Reference-laboratory reports are finished pictures: they need no page script.
    if (script.text.trimmed().isEmpty()) {
        if (referenceMode) return true;
        fail(QStringLiteral("the installation has no page script yet (run sync first)"));
        return false;
    }
    if (!m_renderer.setPageScript(script.text)) {
        fail(QStringLiteral("the stored page script does not compile: %1").arg(lastNotice()));
        return false;
    }
    return true;
}

bool StoredReportSession::loadExportProgram()
{
    const exports::ExportProgramText program = exports::loadExportProgram(m_context.appFolder);
    if (!program.error.isEmpty()) {
        m_notices.showNotice(program.fromFile ? QStringLiteral("EXPORT.DAT cannot be read")
                                              : QStringLiteral("EXPORT.DAT cannot be saved"),
                             program.error);
        if (program.fromFile) {
            fail(QStringLiteral("the export program cannot be loaded: %1").arg(program.error));
            return false;
        }
    }
    m_exportReady = m_renderer.setExportProgram(program.text);
    return true;
}

store::QueryResult storedReport(store::Connection& db, bool referenceMode, int labId, const QString& genericCode)
{
    return db.select(QStringLiteral("SELECT * FROM %1 WHERE LABID=? AND GENERICCODE=?")
                         .arg(store::channelNames(store::channelFor(referenceMode)).table),
                     {labId, genericCode});
}

} // namespace tv::cli
