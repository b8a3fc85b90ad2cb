// tallyvane: the program's operations without a window. Global option --app-folder DIR (or the
// TALLYVANE_HOME variable) picks the installation; the program's own folder is the default.
#include "cli/CommandTable.h"
#include "cli/SystemPrinters.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <unistd.h>

using namespace tv::cli;

namespace {

void printUsage(QTextStream& err)
{
    err << "usage: tallyvane [--app-folder DIR] COMMAND [ARGS]" << Qt::endl;
    for (const Command& command : allCommands())
        err << "  " << command.usage << Qt::endl;
}

} // namespace

int main(int argc, char** argv)
{
    // Laying out pages needs fonts, which Qt gives only to a GUI application; nothing the commands
    // show (a print job's progress window at most) needs a screen, so the offscreen platform serves.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt warns on standard error when there is no per-user runtime folder (cron, CI, ssh); the
    // commands promise a one-line reason there, so give it the folder it would pick itself.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/runtime-tallyvane-") + QString::number(getuid());
        if (QDir().mkpath(runtime) &&
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    const std::unique_ptr<QGuiApplication> app = makeApplication(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app->arguments().mid(1);

    QString folder = qEnvironmentVariable("TALLYVANE_HOME");
    if (!args.isEmpty() && (args.first() == QLatin1String("--app-folder") || args.first() == QLatin1String("-a"))) {
        if (args.size() < 2) {
            err << "tallyvane: --app-folder needs a folder" << Qt::endl;
            return 2;
        }
        folder = args.at(1);
        args = args.mid(2);
    }
    if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
    if (args.isEmpty() || args.first() == QLatin1String("--help")) {
        printUsage(err);
        return args.isEmpty() ? 2 : 0;
    }
    const Command* command = findCommand(args.first());
    if (!command) {
        err << "tallyvane: unknown command \"" << args.first() << "\"" << Qt::endl;
        printUsage(err);
        return 2;
    }
    CommandContext context{QDir(folder).absolutePath() + QLatin1Char('/'), args.mid(1), out, err};
    return command->run(context);
}
