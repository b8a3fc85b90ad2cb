#include "cli/LabCommandSession.h"

namespace tv::cli {

LabCommandSession::LabCommandSession(CommandContext& context, const QString& command)
    : notices(context.out), notice([this](const QString& i, const QString& c) { notices.showNotice(i, c); })
{
    if (!openExistingStore(context, db)) return;
    lab = intake::openLabSession(db, context.appFolder, notice);
    if (!lab.remote) context.err << "tallyvane " << command << ": " << lab.error << Qt::endl;
}

} // namespace tv::cli
