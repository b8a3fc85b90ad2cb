// export-folder PATH: the folder the HL7 files of a run go to. The command line stands for the
// installation's administrator, so it asks no password.
#include "cli/CliSession.h"
#include "export/ReportFiles.h"
#include "store/ConfigStore.h"

namespace tv::cli {

namespace {

int runExportFolder(CommandContext& context)
{
    if (context.args.size() != 1 || context.args[0].isEmpty()) {
        context.err << "tallyvane export-folder: use \"export-folder PATH\"" << Qt::endl;
        return 2;
    }
    store::Connection connection;
    if (!openExistingStore(context, connection)) return 1;
    const QString path = exports::includeTrailingSeparator(context.args[0]);
    const store::StoreResult written = store::ConfigStore(connection).addConfig(QStringLiteral("EXPORT.PATH"), path);
    if (!written.ok) {
        context.err << "tallyvane export-folder: " << written.message << Qt::endl;
        return 1;
    }
    context.out << path << Qt::endl;
    return 0;
}

const CommandRegistration registration({QStringLiteral("export-folder"), QStringLiteral("export-folder PATH"),
                                        runExportFolder});

} // namespace

} // namespace tv::cli
