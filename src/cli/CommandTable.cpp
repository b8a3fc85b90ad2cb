#include "cli/CommandTable.h"

#include <algorithm>

namespace tv::cli {

namespace {

// Function-local statics: registrations in other files may run before anything here.
QList<Command>& commandTable()
{
    static QList<Command> table;
    return table;
}

QList<std::function<void(app::TdmHooks&)>>& hookTable()
{
    static QList<std::function<void(app::TdmHooks&)>> table;
    return table;
}

} // namespace

CommandRegistration::CommandRegistration(Command command)
{
    commandTable().append(std::move(command));
}

HookRegistration::HookRegistration(std::function<void(app::TdmHooks&)> install)
{
    hookTable().append(std::move(install));
}

const Command* findCommand(const QString& name)
{
    for (const Command& command : commandTable())
        if (command.name == name)
            return &command;
    return nullptr;
}

QList<Command> allCommands()
{
    QList<Command> sorted = commandTable();
    std::sort(sorted.begin(), sorted.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    return sorted;
}

void installHooks(app::TdmHooks& hooks)
{
    for (const auto& install : hookTable())
        install(hooks);
}

} // namespace tv::cli
