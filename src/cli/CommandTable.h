// The command line's table of commands. Each command lives in its own file and registers itself
// with a static CommandRegistration; the files are compiled straight into the executable, so
// every registration runs and a new command needs no edit anywhere else. Start-up hooks that a
// layer provides register the same way (HookRegistration).
#pragma once

#include "app/Tdm.h"

#include <QStringList>
#include <QTextStream>
#include <functional>

namespace tv::cli {

struct CommandContext {
    QString appFolder;  ///< ends with a separator
    QStringList args;   ///< the words after the command's name
    QTextStream& out;
    QTextStream& err;
};

struct Command {
    QString name;
    QString usage;  ///< one line, after "tallyvane --app-folder DIR "
    std::function<int(CommandContext&)> run;  ///< exit status: 0 done, 1 failed, 2 wrong use
};

class CommandRegistration {
public:
    explicit CommandRegistration(Command command);
};

class HookRegistration {
public:
    explicit HookRegistration(std::function<void(app::TdmHooks&)> install);
};

const Command* findCommand(const QString& name);
QList<Command> allCommands();
/// Lets every registered layer fill its start-up hooks.
void installHooks(app::TdmHooks& hooks);

} // namespace tv::cli
