// Start-up step 7: EXPORT.DAT in the installation folder, or the built-in program saved there. The
// commands that render load it again through the same function when they set up their engines.
#include "cli/CommandTable.h"
#include "export/ExportProgramFile.h"

namespace tv::cli {

namespace {

const HookRegistration registration([](app::TdmHooks& hooks) {
    hooks.loadExportProgram = [](app::Tdm& tdm) {
        const exports::ExportProgramText program = exports::loadExportProgram(tdm.AppFolder);
        if (!program.error.isEmpty())
            tdm.ShowNotice(program.fromFile ? QStringLiteral("EXPORT.DAT cannot be read")
                                            : QStringLiteral("EXPORT.DAT cannot be saved"),
                           program.error);
    };
});

} // namespace

} // namespace tv::cli
