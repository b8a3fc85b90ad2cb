// config get KEY / config set KEY VALUE [LONGVALUE]: the configuration store of an existing
// installation, without the rest of the start-up.
#include "cli/CliSession.h"
#include "store/ConfigStore.h"

namespace tv::cli {

namespace {

int runConfig(CommandContext& context)
{
    const QStringList& args = context.args;
    const bool get = args.size() == 2 && args[0] == QLatin1String("get");
    const bool set = (args.size() == 3 || args.size() == 4) && args[0] == QLatin1String("set");
    if (!get && !set) {
        context.err << "tallyvane config: use \"config get KEY\" or \"config set KEY VALUE [LONGVALUE]\"" << Qt::endl;
        return 2;
    }
    store::Connection connection;
    if (!openExistingStore(context, connection))
        return 1;
    const store::ConfigStore config(connection);
    if (get) {
        const store::TextResult value = config.getConfig(args[1]);
        if (!value.ok) {
            context.err << "tallyvane config: " << value.message << Qt::endl;
            return 1;
        }
        context.out << value.text << Qt::endl;
        return 0;
    }
    const store::StoreResult written = config.addConfig(args[1], args[2], args.value(3));
    if (!written.ok) {
        context.err << "tallyvane config: " << written.message << Qt::endl;
        return 1;
    }
    return 0;
}

const CommandRegistration registration({QStringLiteral("config"),
                                        QStringLiteral("config get KEY | config set KEY VALUE [LONGVALUE]"),
                                        runConfig});

} // namespace

} // namespace tv::cli
