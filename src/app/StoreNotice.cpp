#include "app/StoreNotice.h"

#include <QDir>

namespace tv::app {

using store::StoreFailure;

Notice storeFailureNotice(const store::StoreResult& failure, const QString& action, const QString& location)
{
    const QString where = QDir::toNativeSeparators(location);
    QString next;
    switch (failure.failure) {
    case StoreFailure::InUse:
        return {QStringLiteral("The local store is in use"),
                QStringLiteral("%1 is open in another program on this computer, such as a second Tallyvane. Close it, "
                               "then start again.")
                    .arg(where)};
    case StoreFailure::Missing:
        next = QStringLiteral("Correct the server= line of server.txt in the installation folder, or remove it to "
                              "use WEBDAV.FDB there.");
        break;
    case StoreFailure::Damaged:
        next = QStringLiteral("The file was left as it is. Restore it from a backup, or move it aside to start "
                              "with an empty store.");
        break;
    case StoreFailure::NoAccess:
        next = QStringLiteral("Make the installation folder and the database file writable for this user, then "
                              "start again.");
        break;
    case StoreFailure::None:
    case StoreFailure::Other:
        next = QStringLiteral("Check the file and the installation folder, then start again.");
        break;
    }
    return {QStringLiteral("The local database could not be %1").arg(action),
            QStringLiteral("%1: %2 %3").arg(where, failure.message, next)};
}

} // namespace tv::app
