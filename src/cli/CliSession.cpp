#include "cli/CliSession.h"

#include "app/StoreNotice.h"
#include "app/StrU.h"
#include "store/LocalDatabase.h"

#include <QDir>
#include <QFileInfo>

namespace tv::cli {

void PrintedNotices::showNotice(const QString& instruction, const QString& content)
{
    m_last = instruction;
    m_out << "notice: " << app::stripLineBreaks(instruction) << " - " << app::stripLineBreaks(content) << Qt::endl;
}

void PrintedNotices::showTimedNotice(const QString& title, const QString& text, int)
{
    m_out << "notice: " << app::stripLineBreaks(title) << " - " << app::stripLineBreaks(text) << Qt::endl;
}

bool openExistingStore(CommandContext& context, store::Connection& connection)
{
    const QString location = store::databaseLocation(context.appFolder);
    if (!store::isServerLocation(location) && !QFileInfo::exists(location) &&
        location == QDir(context.appFolder).filePath(store::kDefaultDatabaseName)) {
        context.err << "tallyvane: no installation in " << QDir::toNativeSeparators(context.appFolder)
                    << " (run init first)" << Qt::endl;
        return false;
    }
    const store::OpenOutcome opened = store::openDatabase(connection, context.appFolder);
    if (!opened.ok) {
        const app::Notice notice = app::storeFailureNotice(opened, QStringLiteral("opened"), opened.location);
        context.err << "tallyvane: " << notice.instruction << ": " << app::stripLineBreaks(notice.content)
                    << Qt::endl;
        return false;
    }
    return true;
}

} // namespace tv::cli
